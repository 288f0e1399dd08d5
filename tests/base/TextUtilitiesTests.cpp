#include "base/TextConversions.h"
#include "base/TextUtilities.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace
{
NSTextPackage::TUTF16String Ascii(const char* text)
{
    return NSTextPackage::ASCIIToUTF16(text, 0);
}

TEST(ExtractUntil, StopsBeforeTheFirstDelimiterFromStart)
{
    const struct
    {
        const char* text;
        u64 start;
        const char* delimiters;
        const char* expected;
    } kCases[] = {
        {"a;b;c", 2, ";", "b"}, {"a;b;c", 4, ";", "c"},   {"a;b;c", 0, "", "a;b;c"},
        {"a;b,c", 0, ",;", "a"}, {"a;b;c", 5, ";", ""}, {"a;b;c", 1, ";", ""},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(NSFerrant::ExtractUntil(Ascii(c.text), c.start, Ascii(c.delimiters)), Ascii(c.expected))
            << c.text << " from " << c.start;
    EXPECT_THROW(NSFerrant::ExtractUntil(MakeText(u"abc"), 4, MakeText(u";")), std::out_of_range);
}

TEST(CopyTextDroppingNewlines, KeepsAtMost128BytesAndAlwaysEndsInZero)
{
    char buffer[NSFerrant::kDroppedNewlinesBufferSize];

    NSFerrant::CopyTextDroppingNewlines(buffer, std::string(200, 'x'));
    EXPECT_EQ(std::string(buffer), std::string(128, 'x'));
    EXPECT_EQ(buffer[128], 0);

    std::string withNewlines;
    for (int i = 0; i < 130; ++i)
        withNewlines += (i % 26 == 5) ? '\n' : char('a' + i % 26);
    std::string expected = withNewlines;
    std::erase(expected, '\n');
    ASSERT_EQ(expected.size(), 125u);
    std::memset(buffer, 'z', sizeof buffer);
    NSFerrant::CopyTextDroppingNewlines(buffer, withNewlines);
    EXPECT_EQ(std::string(buffer, 125), expected);
    for (std::size_t i = 125; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], 0) << i;

    NSFerrant::CopyTextDroppingNewlines(buffer, "a\rb");
    EXPECT_EQ(std::string(buffer), "a\rb");
}

TEST(ConvertCRToCRLF, InsertsAnLFAfterEveryCR)
{
    EXPECT_EQ(NSFerrant::ConvertCRToCRLF("a\rb"), "a\r\nb");
    EXPECT_EQ(NSFerrant::ConvertCRToCRLF(""), "");
    EXPECT_EQ(NSFerrant::ConvertCRToCRLF("a\r\nb\n"), "a\r\n\nb\n");
}
} // namespace
