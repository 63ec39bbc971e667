#include <gtest/gtest.h>

#include "receiver/CommandText.h"
#include "receiver/SentenceText.h"

using namespace quorrel;

TEST(SentenceText, PrintableLatin1PassesAsSingleBytesAndBreakersDoNot) {
    std::string field = "untouched";
    EXPECT_TRUE(toSentenceText(u"Base 1 (roof) #2", field));
    EXPECT_EQ(field, "Base 1 (roof) #2");
    EXPECT_TRUE(toSentenceText(u"M\u00fcnchen \u00e9t\u00e9", field));
    EXPECT_EQ(field, "M\xfcnchen \xe9t\xe9");
    EXPECT_TRUE(isSentenceText(u""));
    const struct {
        std::u16string text;
        TextFault fault;
    } refused[] = {
        {u"a,b", TextFault::FieldCharacter},
        {u"a*b", TextFault::FieldCharacter},
        {u"$a", TextFault::FieldCharacter},
        {u"a\rb", TextFault::ControlCharacter},
        {u"a\nb", TextFault::ControlCharacter},
        {u"a\tb", TextFault::ControlCharacter},
        {u"\u007f", TextFault::ControlCharacter},
        {u"\u0085", TextFault::ControlCharacter},
        {u"\u20ac", TextFault::NotLatin1},
        {std::u16string(u"a\0b", 3), TextFault::ControlCharacter},
    };
    for (const auto& value : refused) {
        field = "untouched";
        EXPECT_EQ(sentenceTextFault(value.text), value.fault);
        EXPECT_FALSE(toSentenceText(value.text, field));
        EXPECT_EQ(field, "untouched");
    }
}

TEST(SentenceText, TextLongerThanItsFieldIsRefused) {
    std::string field = "untouched";
    EXPECT_TRUE(toSentenceText(u"12345", 5, field));
    EXPECT_EQ(field, "12345");
    EXPECT_FALSE(toSentenceText(u"123456", 5, field));
    EXPECT_EQ(sentenceTextFault(u"123456", 5), TextFault::TooLong);
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
