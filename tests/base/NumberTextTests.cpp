#include <gtest/gtest.h>

#include <limits>

#include "base/MulDiv64.h"
#include "base/NumberText.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
TEST(FormatInteger, PlainDecimal)
{
    EXPECT_EQ(FormatInteger(0), MakeText(u"0"));
    EXPECT_EQ(FormatInteger(1234567), MakeText(u"1234567"));
    EXPECT_EQ(FormatInteger(-42), MakeText(u"-42"));
    EXPECT_EQ(FormatInteger(std::numeric_limits<i64>::min()), MakeText(u"-9223372036854775808"));
    EXPECT_EQ(FormatInteger(std::numeric_limits<i64>::max()), MakeText(u"9223372036854775807"));
}

struct ParseCase
{
    const char* name;
    TUTF16String text;
    bool read;
    i64 value;
};

const ParseCase kParseCases[] = {
    {"blanks and plus skipped", MakeText(u"  +42"), true, 42},
    {"plus and blanks mixed", MakeText(u"+ +7"), true, 7},
    {"negative", MakeText(u"-15"), true, -15},
    {"stops at a letter", MakeText(u"7 days"), true, 7},
    {"stops at an inner minus", MakeText(u"12-3"), true, 12},
    {"saturates high", MakeText(u"99999999999999999999"), true, std::numeric_limits<i64>::max()},
    {"saturates low", MakeText(u"-99999999999999999999"), true, std::numeric_limits<i64>::min()},
    {"empty", TUTF16String(), false, 0},
    {"letters", MakeText(u"abc"), false, 0},
    {"only blanks", MakeText(u"   "), false, 0},
    {"lone minus", MakeText(u"-"), false, 0},
    {"double minus", MakeText(u"--5"), false, 0},
    {"full-width digit is no digit", MakeText(u"\uFF11"), false, 0},
};

TEST(ParseInteger, ReadsLeadingDecimal)
{
    for (const ParseCase& c : kParseCases)
    {
        i64 value = 99;
        EXPECT_EQ(ParseInteger(c.text, value), c.read) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

TEST(MulDiv64, ScalesByOneBillionExactly)
{
    struct Case
    {
        i64 a;
        i64 c;
        i64 expected;
    };
    const Case kCases[] = {
        {3, 7, 428571428},
        {-3, 7, -428571428},
        {1000, -3, -333333333333},
        {-1000, -3, 333333333333},
        {10000000, 10000000, 1000000000},
        {0, 10000000, 0},
        // The product needs more than 64 bits.
        {std::numeric_limits<i64>::max(), 1000000000, std::numeric_limits<i64>::max()},
        {std::numeric_limits<i64>::min(), 1000000000, std::numeric_limits<i64>::min()},
        {9223372036854775, 10000000, 922337203685477500},
        {5, 0, 0}, // no trap
    };
    for (const Case& c : kCases)
        EXPECT_EQ(MulDiv64(c.a, c.c), c.expected) << c.a << " / " << c.c;
}
} // namespace
