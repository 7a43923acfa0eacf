// Rounding, roots, version numbers, the decimal-aware comparisons and the
// number form of the sheets.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "engine/SheetTexts.h"
#include "engine/Ucommon.h"

using namespace korvexa;

TEST(Rounding, IsSymmetricAboutZeroInEveryMode)
{
    EXPECT_DOUBLE_EQ(RoundHalfUp(-2.345, 2), -2.35);
    EXPECT_DOUBLE_EQ(RoundHalfUp(2.345, 2), 2.35);
    EXPECT_DOUBLE_EQ(RoundHalfUp(2.344, 2), 2.34);
    EXPECT_DOUBLE_EQ(RoundUp(4201, -1), 4210);
    EXPECT_DOUBLE_EQ(RoundUp(-4201, -1), -4210);
    EXPECT_DOUBLE_EQ(RoundDown(1.999, 1), 1.9);
    EXPECT_DOUBLE_EQ(RoundDown(-1.999, 1), -1.9);
    EXPECT_EQ(RoundUp(0, 3), 0);
    EXPECT_EQ(RoundHalfUp(0, -2), 0);
}

TEST(Rounding, TreatsDecimalInputsAsTheirDecimalValue)
{
    // 1.005 is 1.00499999999999989... as a double.
    EXPECT_DOUBLE_EQ(RoundHalfUp(1.005, 2), 1.01);
    // 90 × 0.55 × 20 is 990.0000000000001 in binary: a snow load of 990, not 1000.
    EXPECT_DOUBLE_EQ(RoundUp(90 * 0.55 * 20, -1), 990);
    EXPECT_DOUBLE_EQ(RoundUp(140 * 0.7 * 30, -1), 2940);
    // 0.1 + 0.2 is just above 0.3: rounding up must not jump to 0.4.
    EXPECT_DOUBLE_EQ(RoundUp(0.1 + 0.2, 1), 0.3);
    // A genuine excess is still rounded up.
    EXPECT_DOUBLE_EQ(RoundUp(990.01, -1), 1000);
}

TEST(Rounding, DecimalFloorAndComparisons)
{
    EXPECT_EQ(DecimalFloor(30 * 8.2), 246);   // 245.99999999999997 in binary
    EXPECT_EQ(DecimalFloor(30 * 8.25), 247);
    EXPECT_EQ(DecimalFloor(-0.5), -1);
    EXPECT_FALSE(DecimalGreater(8.4 / 2.8, 3.0));
    EXPECT_TRUE(DecimalGreater(3.01, 3.0));
    EXPECT_TRUE(DecimalGreaterEqual(10.8, 10 * 3.24 / 3));
    EXPECT_FALSE(DecimalGreaterEqual(10.79, 10 * 3.24 / 3));
    EXPECT_TRUE(DecimalEqual(1 + 5 * 0.1, 1.5));
}

TEST(NthRoot, CoversTheSpecialCases)
{
    EXPECT_DOUBLE_EQ(NthRoot(8, 3), 2);
    EXPECT_EQ(NthRoot(0, 3), 0);
    EXPECT_EQ(NthRoot(7.5, 1), 7.5);
    EXPECT_DOUBLE_EQ(NthRoot(16, 4), 2);
    EXPECT_EQ(NthRoot(-8, 3), 0);  // never NaN
}

TEST(VersionNumber, WeighsTheDottedFields)
{
    EXPECT_EQ(VersionNumber("1.1.0.8"), 1108);
    EXPECT_EQ(VersionNumber("1.0.3.2"), 1032);
    EXPECT_EQ(VersionNumber("0.9.0.2"), 902);
    EXPECT_EQ(VersionNumber("1.1.0.2"), 1102);
    EXPECT_EQ(VersionNumber("1.2"), 1200);
    EXPECT_EQ(VersionNumber("1.0.2.0.9"), 1020);  // the fifth field is truncated away
    EXPECT_EQ(VersionNumber(""), 0);
}

TEST(FixedNumber, WritesWhatPrintfWrites)
{
    // Exact binary ties go to the even digit; decimals just below a tie in
    // binary go down.
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.625, 2, "0.62"},    {0.375, 2, "0.38"}, {-0.625, 2, "-0.62"}, {2.5, 0, "2"},
        {3.5, 0, "4"},         {0.0625, 3, "0.062"}, {1.005, 2, "1.00"}, {123.45, 1, "123.5"},
        {-0.001, 2, "-0.00"},  {1000.05, 1, "1000.0"}, {4200, 0, "4200"}, {0, 2, "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FixedNumber(c.value, c.decimals), c.text) << c.value << " " << c.decimals;

    std::setlocale(LC_NUMERIC, "C");
    for (int i = -2000; i <= 2000; ++i) {
        const double v = i / 800.0;  // every eighth of a hundredth: many exact ties
        for (int decimals = 0; decimals <= 3; ++decimals) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            ASSERT_EQ(FixedNumber(v, decimals), expected) << v << " " << decimals;
        }
    }
}
