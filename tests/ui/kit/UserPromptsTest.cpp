#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "support/QtPrinting.h"
#include "support/RecordingPrompts.h"
#include "ui/kit/QtUserPrompts.h"

using namespace quorrel;

TEST(RecordingPrompts, AnswersQueuedAnswersFirstThenOkOrNo) {
    RecordingPrompts prompts;
    prompts.queueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(prompts.confirm(QStringLiteral("Reset GNSS receiver?")));
    EXPECT_FALSE(prompts.confirm(QStringLiteral("Power off GNSS receiver?")));
    EXPECT_EQ(prompts.ask({QStringLiteral("Cannot connect GPS")}), PromptAnswer::Ok);
    EXPECT_EQ(prompts.texts(), QStringList({"Reset GNSS receiver?", "Power off GNSS receiver?",
                                            "Cannot connect GPS"}));
    EXPECT_EQ(prompts.prompts()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.prompts()[0].icon, PromptIcon::Exclamation);
}

TEST(RecordingPrompts, ResponderAnswersWhenTheQueueIsEmpty) {
    RecordingPrompts prompts;
    prompts.responder = [](const Prompt& p) {
        return p.text.startsWith("Reset") ? PromptAnswer::Yes : PromptAnswer::No;
    };
    EXPECT_TRUE(prompts.confirm(QStringLiteral("Reset GNSS receiver?")));
    EXPECT_FALSE(prompts.confirm(QStringLiteral("Power off GNSS receiver?")));
}

TEST(RecordingPrompts, BusyCursorNestsAndIsRecordedAtEachBox) {
    RecordingPrompts prompts;
    {
        BusyCursor outer(prompts);
        {
            BusyCursor inner(prompts);
            EXPECT_EQ(prompts.busyDepth(), 2);
        }
        prompts.tell(QStringLiteral("while busy"));
        outer.release();
        EXPECT_EQ(prompts.busyDepth(), 0);
    }
    prompts.tell(QStringLiteral("after"));
    EXPECT_EQ(prompts.busyDepth(), 0);
    EXPECT_EQ(prompts.busyCount(), 2);
    EXPECT_EQ(prompts.busyAtPrompt(), std::vector<bool>({true, false}));
}

TEST(UserPrompts, ScopedPromptsInstallsAndRestores) {
    UserPrompts& original = UserPrompts::current();
    RecordingPrompts recording;
    {
        ScopedPrompts scope(recording);
        EXPECT_EQ(&UserPrompts::current(), &recording);
        UserPrompts::current().tell(QStringLiteral("seen"));
    }
    EXPECT_EQ(&UserPrompts::current(), &original);
    EXPECT_EQ(recording.texts(), QStringList({"seen"}));
}

TEST(QtUserPrompts, BusyCursorIsTheOverrideCursorUntilTheLastEnd) {
    QtUserPrompts prompts;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    prompts.beginBusy();
    prompts.beginBusy();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.endBusy();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    prompts.endBusy();
    prompts.endBusy();  // one too many changes nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUserPrompts, YesNoBoxCarriesTheResourceTextsAndTitle) {
    auto box = QtUserPrompts::makeBox(
        {QStringLiteral("Reset GNSS receiver?"), PromptButtons::YesNo, PromptIcon::Exclamation},
        nullptr);
    EXPECT_EQ(box->windowTitle(), "GNSS Quorrel");
    EXPECT_EQ(box->text(), "Reset GNSS receiver?");
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    ASSERT_NE(box->button(QMessageBox::Yes), nullptr);
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "Yes");
    EXPECT_EQ(box->button(QMessageBox::No)->text(), "No");
    EXPECT_EQ(box->button(QMessageBox::Ok), nullptr);
}

TEST(QtUserPrompts, AskReturnsTheButtonTheUserPressedAndShowsAnArrowMeanwhile) {
    QtUserPrompts prompts;
    prompts.beginBusy();
    Qt::CursorShape shapeDuringBox = Qt::BlankCursor;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shapeDuringBox = QApplication::overrideCursor()->shape();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.ask({QStringLiteral("Power off GNSS receiver?"), PromptButtons::YesNo,
                           PromptIcon::Exclamation}),
              PromptAnswer::No);
    EXPECT_EQ(shapeDuringBox, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.endBusy();
}
