// The integer fields take a whole decimal integer within 32 bits, nothing else.

#include "tceditor/StrictInteger.h"

#include <gtest/gtest.h>

using orvik::tceditor::strictInteger;

TEST(StrictInteger, AcceptsWholeDecimalIntegers)
{
    EXPECT_EQ(strictInteger("0"), 0);
    EXPECT_EQ(strictInteger("65535"), 65535);
    EXPECT_EQ(strictInteger("70000"), 70000);
    EXPECT_EQ(strictInteger("-1"), -1);
    EXPECT_EQ(strictInteger("+12"), 12);
    EXPECT_EQ(strictInteger("2147483647"), 2147483647);
    EXPECT_EQ(strictInteger("-2147483648"), -2147483647 - 1);
}

TEST(StrictInteger, RefusesAnythingElse)
{
    for (const char* text : {"", " ", "12x", "x12", " 12", "12 ", "1.5", "1,5", "0x10", "$10", "+", "-", "+-1",
                             "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(strictInteger(text).has_value()) << '"' << text << '"';
    EXPECT_EQ(orvik::tceditor::notAnIntegerMessage("12x"), "'12x' is not a valid integer value");
    EXPECT_EQ(orvik::tceditor::notAnIntegerMessage(""), "'' is not a valid integer value");
}
