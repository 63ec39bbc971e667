#include <gtest/gtest.h>

#include "support/QtPrinting.h"
#include "ui/kit/Resources.h"
#include "ui/kit/StringIds.h"

using namespace quorrel;

namespace {

const QString kLangFile = QStringLiteral(QUORREL_LANG_RCC);

class LanguageFileTest : public ::testing::Test {
protected:
    void TearDown() override { Resources::instance().unloadLanguageFile(); }
    Resources& resources = Resources::instance();
};

QRgb centre(const QIcon& icon) {
    return icon.pixmap(32, 32).toImage().pixel(16, 16);
}

}  // namespace

TEST_F(LanguageFileTest, ReplacesTheTextsAndImagesItCarriesAndNothingElse) {
    ASSERT_TRUE(resources.loadLanguageFile(kLangFile));
    EXPECT_TRUE(resources.hasLanguageFile());
    EXPECT_EQ(resources.text(kStrCannotConnectGps), "Keine Verbindung zum GPS");
    EXPECT_EQ(resources.text(kStrResetQuestion), QString::fromUtf8("GNSS-Empfänger zurücksetzen?"));
    EXPECT_EQ(resources.text(kStrPowerOffQuestion), "Power off GNSS receiver?");
    EXPECT_EQ(centre(resources.icon(128)), qRgb(0, 160, 0));
    EXPECT_EQ(resources.bitmap(172).size(), QSize(256, 32)) << "the strip stays the program's own";
}

TEST_F(LanguageFileTest, UnloadingBringsTheBuiltInResourcesBack) {
    ASSERT_TRUE(resources.loadLanguageFile(kLangFile));
    resources.unloadLanguageFile();
    EXPECT_FALSE(resources.hasLanguageFile());
    EXPECT_EQ(resources.text(kStrCannotConnectGps), "Cannot connect GPS");
    EXPECT_NE(centre(resources.icon(128)), qRgb(0, 160, 0));
}

TEST_F(LanguageFileTest, MissingOrBrokenFileKeepsTheBuiltInResources) {
    EXPECT_FALSE(resources.loadLanguageFile(QStringLiteral("/nonexistent/Lang.rcc")));
    EXPECT_FALSE(resources.loadLanguageFile(QStringLiteral(QUORREL_SOURCE_DIR "/README.md")));
    EXPECT_FALSE(resources.hasLanguageFile());
    EXPECT_EQ(resources.text(kStrCannotConnectGps), "Cannot connect GPS");
}
