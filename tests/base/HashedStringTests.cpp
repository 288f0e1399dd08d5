#include "base/HashedString.h"

#include "base/TextConversions.h"

#include <gtest/gtest.h>

using NSTextPackage::TUTF16String;

namespace
{
TUTF16String Wide(const char* text)
{
    return NSTextPackage::ASCIIToUTF16(text, 0);
}

TEST(HashedString, HashVectorsIgnoreCase)
{
    struct Case
    {
        const char* text;
        u32 hash;
    };
    const Case kCases[] = {
        {"", 0}, {"a", 0x2845874B}, {"A", 0x2845874B}, {"abc", 0xD308A417}, {"ABC", 0xD308A417},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(THashedString(Wide(c.text)).GetHash(), c.hash) << c.text;
    EXPECT_EQ(THashedString().GetHash(), 0u);
    EXPECT_NE(THashedString(Wide("abc")).GetHash(), THashedString(Wide("abd")).GetHash());
}

TEST(HashedString, EqualityNeedsLengthHashAndCaseFreeText)
{
    const THashedString abc(Wide("abc"));
    EXPECT_TRUE(abc == THashedString(Wide("ABC")));
    EXPECT_FALSE(abc != THashedString(Wide("AbC")));
    EXPECT_TRUE(abc != THashedString(Wide("abd")));
    EXPECT_TRUE(THashedString() == THashedString(TUTF16String()));

    // The locale would call these equal (a leading byte-order mark is skipped); the lengths differ.
    const THashedString withMark(TUTF16String(1, u16(0xFEFF)) + Wide("abc"));
    EXPECT_FALSE(withMark == abc);
    EXPECT_TRUE(withMark != abc);
}

TEST(HashedString, CopiesCarryTheHashAndSwapExchangesAll)
{
    const THashedString source(Wide("Name"));
    const u32 hash = source.GetHash();
    THashedString target(Wide("other"));
    target = source;
    EXPECT_TRUE(target == source);
    EXPECT_EQ(target.GetHash(), hash);
    EXPECT_EQ(target.GetText(), Wide("Name"));

    THashedString empty;
    empty.Swap(target);
    EXPECT_EQ(empty.GetText(), Wide("Name"));
    EXPECT_EQ(empty.GetHash(), hash);
    EXPECT_TRUE(target.GetText().empty());
    EXPECT_EQ(target.GetHash(), 0u);
}
} // namespace
