#include <gtest/gtest.h>

#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

using namespace quorrel;

TEST(SentenceText, PrintableAsciiPassesAndFieldOrSentenceBreakersDoNot) {
    std::string field = "untouched";
    EXPECT_TRUE(toSentenceText(u"Base 1 (roof) #2", field));
    EXPECT_EQ(field, "Base 1 (roof) #2");
    EXPECT_TRUE(isSentenceText(u""));
    const std::u16string refused[] = {
        u"a,b",  u"a*b",    u"$a",     u"a\rb",   u"a\nb",
        u"a\tb", u"\u007f", u"\u00e9", u"\u20ac", std::u16string(u"a\0b", 3)};
    for (const std::u16string& value : refused) {
        field = "untouched";
        EXPECT_FALSE(toSentenceText(value, field));
        EXPECT_EQ(field, "untouched");
    }
}

TEST(SentenceText, TextLongerThanItsFieldIsRefused) {
    std::string field = "untouched";
    EXPECT_TRUE(toSentenceText(u"12345", 5, field));
    EXPECT_EQ(field, "12345");
    EXPECT_FALSE(toSentenceText(u"123456", 5, field));
    EXPECT_FALSE(toSentenceText(u"a,b", 5, field));
    EXPECT_EQ(field, "12345");
}

TEST(SentenceText, ReceiverTextWidensByteByByte) {
    EXPECT_EQ(fromReceiverText("QX\xe9"), std::u16string(u"QX\u00e9"));
}

TEST(CommandText, FixedPointIgnoresTheLocale) {
    EXPECT_EQ(fixedText(1.5, 6), "1.500000");
    EXPECT_EQ(fixedText(-0.04499, 4), "-0.0450");
    EXPECT_EQ(fixedText(0.125, 2), "0.12");  // round half to even, as printf does
}

TEST(CommandText, PortLettersOfBothMappings) {
    EXPECT_EQ(fullPortLetter(4), 'E');
    EXPECT_EQ(fullPortLetter(6), 'A');
    EXPECT_EQ(fullPortLetter(-1), 'A');
    EXPECT_EQ(noEPortLetter(4), 'A');
    EXPECT_EQ(noEPortLetter(5), 'F');
}

TEST(CommandText, PositionMinutesHaveTwoIntegerDigits) {
    EXPECT_EQ(positionText(-33.5, 151.25), "3330.0000000,S,15115.0000000,E");
    EXPECT_EQ(positionText(-(33 + 5.5 / 60), 0.0), "3305.5000000,S,000.0000000,E");
    // 59.99999999 minutes round to 60: the degree goes up instead.
    EXPECT_EQ(positionText(10 + 59.999999999 / 60, -(9 + 59.99999999 / 60)),
              "1100.0000000,N,1000.0000000,W");
}
