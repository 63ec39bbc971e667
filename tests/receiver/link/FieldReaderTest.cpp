#include <gtest/gtest.h>

#include <climits>

#include "receiver/link/FieldReader.h"

using namespace quorrel;

TEST(FieldReader, DigitsStopAtTheWidthOrANonDigit) {
    const char* p = "12345,";
    EXPECT_EQ(readDigits(p, 2), 12);
    EXPECT_STREQ(p, "345,");
    p = ",7";
    EXPECT_EQ(readDigits(p, 4), 0);
    EXPECT_STREQ(p, ",7");
    p = "9";
    EXPECT_EQ(readDigits(p, 4), 9);
    EXPECT_STREQ(p, "");
}

TEST(FieldReader, DecimalReadsTheWholeIntegerPartAndBoundedFraction) {
    struct Case {
        const char* text;
        int fracDigits;
        double value;
        const char* rest;
    } cases[] = {
        {"545.4,M", 3, 545.4, ",M"},
        {"1.23456,", 3, 1.234, "56,"},  // the field's precision: further digits unread
        {"2.88,", 1, 2.8, "8,"},
        {"317.563,", 3, 317.563, ","},  // more integer digits than usual: still that number
        {"120.5,", 1, 120.5, ","},
        {".5,", 1, 0.5, ","},
        {",", 2, 0.0, ","},
        {"123456789012345678901234.5*", 1, 123456789012345678901234.5, "*"},
    };
    for (const Case& c : cases) {
        const char* p = c.text;
        EXPECT_DOUBLE_EQ(readDecimal(p, c.fracDigits), c.value) << c.text;
        EXPECT_STREQ(p, c.rest) << c.text;
    }
}

TEST(FieldReader, WholeNumberTakesEveryDigitAndSaturates) {
    struct Case {
        const char* text;
        int value;
        const char* rest;
    } cases[] = {
        {"193,00", 193, ",00"},
        {"05,", 5, ","},
        {",1", 0, ",1"},
        {"99999999999999999999*", INT_MAX, "*"},
    };
    for (const Case& c : cases) {
        const char* p = c.text;
        EXPECT_EQ(readWholeNumber(p), c.value) << c.text;
        EXPECT_STREQ(p, c.rest) << c.text;
    }
}

TEST(FieldReader, SignedDecimalTakesEitherSign) {
    const char* p = "-20.300,M";
    EXPECT_NEAR(readSignedDecimal(p, 3), -20.3, 1e-12);
    EXPECT_STREQ(p, ",M");
    p = "+1.5";
    EXPECT_NEAR(readSignedDecimal(p, 3), 1.5, 1e-12);
}

TEST(FieldReader, TimeOfDayInSeconds) {
    const char* p = "232712.125,";
    EXPECT_NEAR(readTimeOfDay(p), 23 * 3600 + 27 * 60 + 12.125, 1e-9);
    EXPECT_STREQ(p, ",");
}

TEST(FieldReader, LatitudeWithHemisphere) {
    const char* p = "4404.1237962,N,12118.8472460,W,1";
    EXPECT_NEAR(readLatitude(p), 44 + 4.123796 / 60, 1e-9);
    EXPECT_STREQ(p, "2,N,12118.8472460,W,1");  // six fraction digits of minutes at most
    p = "3330.000000,S,";
    EXPECT_NEAR(readLatitude(p), -33.5, 1e-12);
    EXPECT_STREQ(p, ",");
}

TEST(FieldReader, LongitudeWithHemisphere) {
    const char* p = "12118.847246,W,";
    EXPECT_NEAR(readLongitude(p), -(121 + 18.847246 / 60), 1e-9);
    EXPECT_STREQ(p, ",");
    p = "01131.000000,E,";
    EXPECT_NEAR(readLongitude(p), 11 + 31.0 / 60, 1e-12);
}

TEST(FieldReader, MissingHemisphereMeansPositiveAndStepsOverTheComma) {
    const char* p = "4807.038000,,1";
    EXPECT_GT(readLatitude(p), 0.0);
    EXPECT_STREQ(p, ",1");
}

TEST(FieldReader, FieldStopsAtEveryDelimiterAndIsCut) {
    char out[8];
    for (const char* text : {"abc,x", "abc*7F", "abc\r\n", "abc\n", "abc"}) {
        const char* p = text;
        readField(p, out, sizeof out);
        EXPECT_STREQ(out, "abc") << text;
        EXPECT_EQ(p, text + 3) << text;
    }
    const char* p = "0123456789,";
    readField(p, out, sizeof out);
    EXPECT_STREQ(out, "0123456");
    EXPECT_STREQ(p, ",");
}

TEST(FieldReader, ListItemSplitsAtSemicolons) {
    char out[16];
    const char* p = "STR;MNT1;Bend,OR;";
    readListItem(p, out, sizeof out);
    EXPECT_STREQ(out, "STR");
    ++p;
    readListItem(p, out, sizeof out);
    EXPECT_STREQ(out, "MNT1");
    ++p;
    readListItem(p, out, sizeof out);
    EXPECT_STREQ(out, "Bend,OR");
}

TEST(FieldReader, SkipFieldMovesPastTheNextComma) {
    const char* p = "abc,def";
    skipField(p);
    EXPECT_STREQ(p, "def");
    skipField(p);
    EXPECT_STREQ(p, "");
}
