#include <gtest/gtest.h>

#include <limits>

#include "base/GroupedNumbers.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
TNumberLocale MakeLocale(std::vector<u8> sizes, bool repeat, const TUTF16String& thousands,
                         const TUTF16String& decimal)
{
    TNumberLocale locale;
    locale.fGroupSizes = std::move(sizes);
    locale.fRepeatLastGroup = repeat;
    locale.fThousandsSeparator = thousands;
    locale.fDecimalPoint = decimal;
    return locale;
}

const TNumberLocale kEnglish = MakeLocale({3}, true, MakeText(u","), MakeText(u"."));
const TNumberLocale kGerman = MakeLocale({3}, true, MakeText(u"."), MakeText(u","));
const TNumberLocale kIndian = MakeLocale({3, 2}, true, MakeText(u","), MakeText(u"."));
const TNumberLocale kOneGroupOnly = MakeLocale({3}, false, MakeText(u","), MakeText(u"."));
const TNumberLocale kUngrouped = MakeLocale({}, false, MakeText(u","), MakeText(u"."));
const TNumberLocale kWideSeparator = MakeLocale({3}, true, MakeText(u"\u00A0\u00A0"), MakeText(u","));

struct FormatCase
{
    const char* name;
    const TNumberLocale& locale;
    i64 value;
    TUTF16String expected;
};

const FormatCase kFormatCases[] = {
    {"zero", kEnglish, 0, MakeText(u"0")},
    {"one group", kEnglish, 999, MakeText(u"999")},
    {"groups of three", kEnglish, 1234567, MakeText(u"1,234,567")},
    {"negative", kEnglish, -1234, MakeText(u"-1,234")},
    {"smallest", kEnglish, std::numeric_limits<i64>::min(), MakeText(u"-9,223,372,036,854,775,808")},
    {"German separator", kGerman, 1234567, MakeText(u"1.234.567")},
    {"three then twos", kIndian, 123456789, MakeText(u"12,34,56,789")},
    {"one group only", kOneGroupOnly, 1234567, MakeText(u"1234,567")},
    {"no grouping", kUngrouped, 1234567, MakeText(u"1234567")},
    {"separator of two units", kWideSeparator, 1234567, MakeText(u"1\u00A0\u00A0234\u00A0\u00A0567")},
};

TEST(GroupedNumbers, FormatFollowsTheLocaleGrouping)
{
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(FormatGroupedNumber(c.value, c.locale), c.expected) << c.name;
}

TEST(GroupedNumbers, FormattedTextParsesBack)
{
    for (const FormatCase& c : kFormatCases)
    {
        i64 value = 0;
        EXPECT_TRUE(ParseNumber(c.expected, value, c.locale)) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}

struct ParseCase
{
    const char* name;
    const TNumberLocale& locale;
    TUTF16String text;
    bool read;
    i64 value;
};

const ParseCase kParseCases[] = {
    {"stops at a letter outside the set", kEnglish, MakeText(u"1x"), true, 1},
    {"letter first", kEnglish, MakeText(u"x1"), false, 0},
    {"leading blank", kEnglish, MakeText(u" 12"), true, 12},
    {"hex letters end the digits", kEnglish, MakeText(u"12ab"), true, 12},
    {"hex letters alone", kEnglish, MakeText(u"ab"), false, 0},
    {"plus sign", kEnglish, MakeText(u"+5"), true, 5},
    {"two signs", kEnglish, MakeText(u"+-5"), false, 0},
    {"empty", kEnglish, TUTF16String(), false, 0},
    {"ungrouped digits", kEnglish, MakeText(u"1234567"), true, 1234567},
    {"stops at the decimal point", kEnglish, MakeText(u"12.5"), true, 12},
    {"German groups", kGerman, MakeText(u"1.234.567"), true, 1234567},
    {"German decimal comma", kGerman, MakeText(u"12,5"), true, 12},
    {"group too short", kEnglish, MakeText(u"12,34"), false, 1234},
    {"leftmost group too long", kEnglish, MakeText(u"1234,567"), false, 1234567},
    {"separator first", kEnglish, MakeText(u",123"), false, 0},
    {"two separators", kEnglish, MakeText(u"1,,234"), false, 0},
    {"separator last", kEnglish, MakeText(u"1,"), false, 1},
    {"ungrouped locale stops at the separator", kUngrouped, MakeText(u"1,234"), true, 1},
    {"beyond 64 bits", kEnglish, MakeText(u"9223372036854775808"), false, std::numeric_limits<i64>::max()},
    {"smallest", kEnglish, MakeText(u"-9223372036854775808"), true, std::numeric_limits<i64>::min()},
};

TEST(GroupedNumbers, ParseReadsTheFilteredLeadingNumber)
{
    for (const ParseCase& c : kParseCases)
    {
        i64 value = 99;
        EXPECT_EQ(ParseNumber(c.text, value, c.locale), c.read) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }
}
} // namespace
