#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/QtPrinting.h"
#include "ui/kit/Resources.h"

using namespace quorrel;

namespace {

class EnglishPackTest : public ::testing::Test {
protected:
    void TearDown() override { resources.unloadLanguageFile(); }

    // Every id of the string table and its built-in text.
    static QList<std::pair<int, QString>> builtinTexts() {
        QList<std::pair<int, QString>> texts;
        for (const QString& line : Resources::instance().builtinStringTable().split(u'\n')) {
            if (line.isEmpty()) continue;
            const int id = line.left(line.indexOf(u'\t')).toInt();
            texts.append({id, Resources::instance().text(id)});
        }
        return texts;
    }

    // Each text from the language file `rccPath` must be the built-in one.
    void expectSameTexts(const QString& rccPath) {
        const auto texts = builtinTexts();
        ASSERT_GT(texts.size(), 100);
        ASSERT_TRUE(resources.loadLanguageFile(rccPath));
        for (const auto& [id, text] : texts)
            EXPECT_EQ(resources.text(id), text) << "id " << id;
    }

    Resources& resources = Resources::instance();
};

}  // namespace

TEST_F(EnglishPackTest, TheBuiltPackCarriesEveryBuiltInTextUnchanged) {
    expectSameTexts(QStringLiteral(QUORREL_ENGLISH_PACK));
}

// A translator's file made the documented way: the table, a qrc naming it, rcc -binary.
TEST_F(EnglishPackTest, TextsWithBackslashesTabsAndLineBreaksSurviveTheStringTable) {
    resources.addBuiltinText(990001, QStringLiteral("C:\\path\\n is not\na break\tafter a tab"));
    resources.addBuiltinText(990002, QString::fromUtf8("Empfänger… \\"));
    QTemporaryDir dir;
    QFile table(dir.filePath("strings.txt")), qrc(dir.filePath("lang.qrc"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly) && qrc.open(QIODevice::WriteOnly));
    table.write(resources.builtinStringTable().toUtf8());
    qrc.write("<RCC><qresource prefix=\"/\"><file>strings.txt</file></qresource></RCC>\n");
    table.close();
    qrc.close();
    QProcess rcc;
    rcc.setWorkingDirectory(dir.path());
    rcc.start(QStringLiteral(QUORREL_RCC), {"-binary", "lang.qrc", "-o", "Lang.rcc"});
    ASSERT_TRUE(rcc.waitForFinished(30000) && rcc.exitCode() == 0)
        << rcc.readAllStandardError().toStdString();
    expectSameTexts(dir.filePath("Lang.rcc"));
}
