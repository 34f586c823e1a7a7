#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/vbmath.h"

namespace {

TEST(Numbers, RoundHalvesToEven) {
    EXPECT_EQ(CInt16(2.5), 2);
    EXPECT_EQ(CInt16(3.5), 4);
    EXPECT_EQ(CInt16(-2.5), -2);
    EXPECT_EQ(CInt32(0.5), 0);
    EXPECT_THROW(CInt16(32767.5), OverflowError);  // rounds to 32768
    EXPECT_EQ(CInt16(-32768.4), -32768);
    EXPECT_THROW(CInt32(2147483648.0), OverflowError);
}

TEST(Numbers, ValReadsALeadingNumber) {
    EXPECT_EQ(Val("  12abc"), 12);
    EXPECT_EQ(Val("001"), 1);
    EXPECT_EQ(Val("-3.5e1x"), -35);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("1e"), 1);
    EXPECT_EQ(Val("1e999"), 0);  // not a finite number
    EXPECT_FALSE(LeadingNumber(" x 918").has_value());
    EXPECT_EQ(*LeadingNumber(" 918"), 918);
}

TEST(Numbers, ParseNumberWantsTheWholeText) {
    EXPECT_EQ(*ParseNumber(" 3 "), 3);
    EXPECT_FALSE(ParseNumber("3 4").has_value());
    EXPECT_FALSE(ParseNumber("").has_value());
    EXPECT_EQ(NumberText(3.0), "3");
    EXPECT_EQ(NumberText(3.5), "3.5");
    EXPECT_EQ(NumberText(-0.0), "0");
}

TEST(Numbers, TwipsToPixelsRoundsBothThenTruncates) {
    EXPECT_EQ(TwipsToPixels(800, 15), 53);
    EXPECT_EQ(TwipsToPixels(-800, 15), -53);
    EXPECT_EQ(TwipsToPixels(15359.5, 15), 1024);  // 15360 after rounding to even
    EXPECT_EQ(TwipsToPixels(15358.5, 15), 1023);  // 15358
    EXPECT_THROW(TwipsToPixels(100, 0.4), DivisionByZeroError);
}

}  // namespace
