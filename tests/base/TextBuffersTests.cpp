#include <gtest/gtest.h>

#include "base/TextBuffers.h"
#include "tests/support/TextLiterals.h"

using namespace NSTextPackage;

namespace
{
TEST(TruncateText, NeverEndsInHalfASurrogatePair)
{
    const TUTF16String text = MakeUnits({0x41, 0x42, 0x43, 0xD83D, 0xDE00});
    struct Case
    {
        std::size_t maxUnits;
        TUTF16String expected;
    };
    const Case kCases[] = {
        {0, TUTF16String()},
        {3, MakeUnits({0x41, 0x42, 0x43})},
        {4, MakeUnits({0x41, 0x42, 0x43})},
        {5, text},
        {99, text},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(TruncateText(text, c.maxUnits), c.expected) << c.maxUnits;
}

TEST(ReplaceCharacters, ReplacesEveryUnitOfTheSetAndKeepsTheLength)
{
    EXPECT_EQ(ReplaceCharacters(MakeText(u"a<b>c:d\u00E9"), "<>:"), MakeText(u"a_b_c_d\u00E9"));
    EXPECT_EQ(ReplaceCharacters(MakeText(u"abc"), ""), MakeText(u"abc"));
}

TEST(WideBuffers, CopyIsBoundedAndAlwaysTerminated)
{
    const u16 source[] = {'a', 'b', 'c', 'd', 'e', 0};
    EXPECT_EQ(GetWideLength(source), 5u);

    u16 destination[8];
    std::fill(std::begin(destination), std::end(destination), u16(0xFFFF));
    CopyWide(destination, source, 3);
    EXPECT_EQ(TUTF16String(destination, 4), MakeUnits({'a', 'b', 'c', 0}));
    EXPECT_EQ(destination[4], 0xFFFF) << "wrote past n + 1 units";

    const u16 shortSource[] = {'x', 0};
    CopyWide(destination, shortSource, 3);
    EXPECT_EQ(TUTF16String(destination, 2), MakeUnits({'x', 0}));

    CopyWide(destination, source, 0);
    EXPECT_EQ(destination[0], 0);
}
} // namespace
