#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/TextFailure.h"
#include "tests/support/ExpectThrown.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
struct UTF8Case
{
    const char* name;
    std::string utf8;
    TUTF16String units;
};

const UTF8Case kWellFormed[] = {
    {"empty", "", {}},
    {"ascii", "Az", MakeUnits({0x41, 0x7A})},
    {"nul", std::string(1, '\0'), MakeUnits({0x0000})},
    {"two bytes", "\xC3\xA9", MakeUnits({0x00E9})},
    {"largest two bytes", "\xDF\xBF", MakeUnits({0x07FF})},
    {"smallest three bytes", "\xE0\xA0\x80", MakeUnits({0x0800})},
    {"euro sign", "\xE2\x82\xAC", MakeUnits({0x20AC})},
    {"last before the surrogates", "\xED\x9F\xBF", MakeUnits({0xD7FF})},
    {"first after the surrogates", "\xEE\x80\x80", MakeUnits({0xE000})},
    {"byte-order mark kept", "\xEF\xBB\xBF", MakeUnits({0xFEFF})},
    {"largest three bytes", "\xEF\xBF\xBF", MakeUnits({0xFFFF})},
    {"first astral", "\xF0\x90\x80\x80", MakeUnits({0xD800, 0xDC00})},
    {"emoji", "\xF0\x9F\x98\x80", MakeUnits({0xD83D, 0xDE00})},
    {"last code point", "\xF4\x8F\xBF\xBF", MakeUnits({0xDBFF, 0xDFFF})},
    {"mixed",
     "a\xF0\x9F\x98\x80"
     "b",
     MakeUnits({0x61, 0xD83D, 0xDE00, 0x62})},
};

TEST(UTF8Conversion, DecodesAndEncodesWellFormedText)
{
    for (const UTF8Case& c : kWellFormed)
    {
        EXPECT_EQ(UTF8ToUTF16(c.utf8), c.units) << c.name;
        EXPECT_EQ(UTF16ToUTF8(c.units), c.utf8) << c.name;
        EXPECT_EQ(FromUTF8(c.utf8), c.units) << c.name;
        EXPECT_EQ(ToUTF8(c.units), c.utf8) << c.name;
    }
}

TEST(UTF8Conversion, AcceptsOverlongZero)
{
    EXPECT_EQ(UTF8ToUTF16(std::string("\xC0\x80", 2)), MakeUnits({0x0000}));
    EXPECT_EQ(UTF8ToUTF16(std::string("\xE0\x80\x80", 3)), MakeUnits({0x0000}));
}

struct MalformedCase
{
    const char* name;
    std::string utf8;
};

const MalformedCase kMalformed[] = {
    {"continuation byte as lead", "\x80"},
    {"continuation byte after text", "A\xBF"},
    {"lead FF", "\xFF"},
    {"five-byte lead", "\xF8\x88\x80\x80\x80"},
    {"six-byte lead", "\xFC\x84\x80\x80\x80\x80"},
    {"lead FE", "\xFE\x83\x80\x80\x80\x80\x80"},
    {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
    {"largest four-byte value", "\xF7\xBF\xBF\xBF"},
    {"bad second byte", "\xC3\x41"},
    {"bad third byte", "\xE2\x82\x41"},
    {"lead instead of continuation", "\xE2\xC3\xA9"},
    {"two bytes cut", "\xC3"},
    {"three bytes cut after one", "\xE2"},
    {"three bytes cut after two", "\xE2\x82"},
    {"four bytes cut after three", "ok\xF0\x9F\x98"},
    {"first surrogate", "\xED\xA0\x80"},
    {"last high surrogate", "\xED\xAF\xBF"},
    {"first low surrogate", "\xED\xB0\x80"},
    {"last surrogate", "\xED\xBF\xBF"},
    {"surrogate pair as two sequences", "\xED\xA0\xBD\xED\xB8\x80"},
    {"overlong surrogate", "\xF0\x8D\xA0\x80"},
};

TEST(UTF8Conversion, RejectsMalformedBytesAsFormatViolation)
{
    for (const MalformedCase& c : kMalformed)
    {
        const auto what = CatchThrown<NSQuorral::XFormatViolation>([&] { UTF8ToUTF16(c.utf8); },
                                                                   NSQuorral::GetUnicodeObjectType());
        ASSERT_TRUE(what) << c.name;
        EXPECT_EQ(*what, "") << c.name;
    }
}

TEST(UTF8Conversion, CutSequenceIsNotCompletedFromBytesBeyondTheInput)
{
    // The byte after the input is the string's terminating zero. A decoder that took it as the
    // missing byte, without testing it, would decode F0 9F 98 as U+1F600 (whose last six bits
    // are zero) instead of failing.
    const std::string cut = "\xF0\x9F\x98";
    ASSERT_EQ(cut.c_str()[cut.size()], '\0');
    EXPECT_THROW(UTF8ToUTF16(cut), NSQuorral::XFormatViolation);
}

struct UnpairedCase
{
    const char* name;
    TUTF16String units;
};

const UnpairedCase kUnpaired[] = {
    {"low surrogate alone", MakeUnits({0xDC00})},
    {"low before high", MakeUnits({0xDC00, 0xD800})},
    {"high surrogate at the end", MakeUnits({0x41, 0xD800})},
    {"high surrogate before a letter", MakeUnits({0xD800, 0x41})},
    {"two high surrogates", MakeUnits({0xD800, 0xD800, 0xDC00})},
};

TEST(UTF8Conversion, UnpairedSurrogateIsRejected)
{
    for (const UnpairedCase& c : kUnpaired)
    {
        const auto what = CatchThrown<NSQuorral::XFormatViolation>([&] { UTF16ToUTF8(c.units); },
                                                                   NSQuorral::GetUnicodeObjectType());
        ASSERT_TRUE(what) << c.name;
        EXPECT_EQ(*what, "High-surrogate missing! Broken Unicode") << c.name;
    }
}

TEST(ASCIIConversion, WidensOrReplacesBytesAbove127)
{
    const std::string text = "A\xE9"
                             "B";
    EXPECT_THROW(ASCIIToUTF16(text, 0), NSQuorral::XFormatViolation);
    EXPECT_EQ(ASCIIToUTF16(text, 0x3F), MakeUnits({0x41, 0x3F, 0x42}));
    EXPECT_EQ(ASCIIToUTF16(text, 0x1F600), MakeUnits({0x41, 0xD83D, 0xDE00, 0x42}));
    EXPECT_EQ(ASCIIToUTF16("", 0), TUTF16String());
    EXPECT_THROW(ASCIIToUTF16(text, 0x110000), NSQuorral::XFormatViolation);
}

TEST(ASCIIConversion, NarrowsOneBytePerUnit)
{
    EXPECT_EQ(UTF16ToASCII(MakeUnits({0x41, 0xE9, 0x42}), '?'), "A?B");
    EXPECT_EQ(UTF16ToASCII(MakeUnits({0xD83D, 0xDE00}), '_'), "__");
    EXPECT_EQ(UTF16ToASCII(MakeUnits({0x7F}), '?'), "\x7F");
    EXPECT_EQ(UTF16ToASCII(TUTF16String(), '?'), "");
}

TEST(CodePageConversion, Windows1252RoundTripsEveryByte)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(char(b));
    const TUTF16String text = Windows1252ToUTF16(bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(text[0x41], 0x41);
    EXPECT_EQ(text[0x80], 0x20AC); // the euro sign
    EXPECT_EQ(text[0xE9], 0xE9);
    EXPECT_EQ(UTF16ToWindows1252(text), bytes);
}

TEST(CodePageConversion, CharacterWithoutMappingBecomesQuestionMark)
{
    EXPECT_EQ(UTF16ToWindows1252(MakeUnits({0x41, 0x4E00, 0x42})), "A?B");
}

TEST(CodePageConversion, EmptyTextNeedsNoPlatformCall)
{
    // An invalid code page would fail any platform call.
    EXPECT_EQ(CodePageToUTF16("", 0xFFFF), TUTF16String());
    EXPECT_EQ(UTF16ToCodePage(TUTF16String(), 0xFFFF), "");
}

TEST(CodePageConversion, BytesInvalidInTheCodePageFail)
{
    const auto what = CatchThrown<std::exception>([] { CodePageToUTF16("A\xFF", 65001); },
                                                  NSQuorral::GetUnicodeObjectType());
    EXPECT_TRUE(what);
}

TEST(CodePageConversion, UnknownCodePageFailsAsLogicError)
{
    const auto what = CatchThrown<std::logic_error>([] { UTF16ToCodePage(MakeText(u"A"), 0xFFFF); },
                                                    NSQuorral::GetUnicodeObjectType());
    EXPECT_TRUE(what);
}

TEST(CodePageConversion, BufferBeyondTheIntRangeIsRefusedBeforeThePlatformCall)
{
    // The code-page calls take int lengths and size their buffers at three units per byte and six
    // bytes per unit; a text whose buffer would not fit an int fails cleanly instead of wrapping.
    EXPECT_EQ(CheckedPlatformLength(std::size_t(INT_MAX) / 3, 3), INT_MAX / 3 * 3);
    EXPECT_EQ(CheckedPlatformLength(std::size_t(INT_MAX)), INT_MAX);
    struct Case
    {
        std::size_t count;
        std::size_t unitsPerElement;
    };
    const Case kCases[] = {
        {std::size_t(INT_MAX) / 3 + 1, 3},
        {std::size_t(INT_MAX) / 6 + 1, 6},
        {std::size_t(INT_MAX) + 1, 1},
        {std::size_t(UINT_MAX) + 1, 1}, // would wrap to 0 as a 32-bit count
    };
    for (const Case& c : kCases)
    {
        const auto what = CatchThrown<std::length_error>(
            [&] { CheckedPlatformLength(c.count, c.unitsPerElement); }, NSQuorral::GetUnicodeObjectType());
        EXPECT_TRUE(what) << c.count << " x " << c.unitsPerElement;
    }
}

TEST(CodePageConversion, UTF8CodePageEncodesAstralCharacters)
{
    // The UTF code pages refuse a default character; asking for one would fail every call.
    EXPECT_EQ(UTF16ToCodePage(MakeUnits({0xD83D, 0xDE00}), 65001), "\xF0\x9F\x98\x80");
    EXPECT_EQ(CodePageToUTF16("\xF0\x9F\x98\x80", 65001), MakeUnits({0xD83D, 0xDE00}));
}

TEST(CodePageConversion, ANSICodePageFollowsTheSystem)
{
    // The test run pins the ANSI code page to 1252.
    ASSERT_EQ(GetACP(), 1252u);
    EXPECT_EQ(ANSIToUTF16("\xE9"), MakeUnits({0xE9}));
}
} // namespace
