#include "base/HashedString.h"
#include "base/VersionedString.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "media/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSTestSupport;
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

struct ReadCase
{
    TBytes bytes;
    bool utf8Form;
    const char* text;
    i64 endPosition;
};

TEST(VersionedString, ReadsEachFormAndEndsAfterIt)
{
    const TBytes nameABC = Bytes({0, 0, 0, 3, 'A', 'B', 'C'});
    const ReadCase kCases[] = {
        {Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBC, 1, 0, 0, 0}), nameABC}), false, "ABC", 16},
        {Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBC, 1, 0, 0, 0}), nameABC}), true, "ABC", 16},
        {Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBC, 1, 2, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 1, 0, 0, 0, 0, 0, 0,
                        2, 'h', 'i'})}),
         false, "hi", 24},
        {nameABC, true, "ABC", 7},
        {nameABC, false, "ABC", 7},
        {Bytes({0, 0, 0, 5, 'A', 0, 'B', 'C', 'D'}), true, "A", 9},
        {Bytes({0, 0, 0, 0}), true, "", 4},
        {Bytes({0, 0, 0, 2, 0xC3, 0xA9}), true, "\xC3\xA9", 6},
        {Bytes({0, 0, 0, 2, 0xC3, 0xA9}), false, "\xC3\x83\xC2\xA9", 6}, // the same bytes read as Windows-1252
    };
    for (const ReadCase& c : kCases)
    {
        auto media = MediaOf(Concat({c.bytes, Text("tail")}));
        THashedString name(Wide("previous"));
        const u32 previousHash = name.GetHash();
        NSFerrant::ReadVersionedString(name, media, c.utf8Form);
        EXPECT_EQ(NSTextPackage::UTF16ToUTF8(name.GetText()), c.text);
        EXPECT_EQ(media.fPosition, c.endPosition) << c.text;
        EXPECT_EQ(name.GetHash(), THashedString(name.GetText()).GetHash());
        if (name.GetText() != Wide("previous"))
        {
            EXPECT_NE(name.GetHash(), previousHash);
        }
    }
}

template <class TException>
void ExpectReadFails(const TBytes& bytes, bool utf8Form)
{
    auto media = MediaOf(bytes);
    THashedString name(Wide("kept"));
    EXPECT_THROW(NSFerrant::ReadVersionedString(name, media, utf8Form), TException) << bytes.size();
    EXPECT_EQ(name.GetText(), Wide("kept"));
}

TEST(VersionedString, RejectsOtherMajorsAndCountsBeyondTheEnd)
{
    const TBytes nameABC = Bytes({0, 0, 0, 3, 'A', 'B', 'C'});
    ExpectReadFails<NSQuorral::XVersionTooNew>(Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBC, 2, 0, 0, 0}), nameABC}), false);
    ExpectReadFails<NSQuorral::XVersionTooOld>(Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBC, 0, 9, 0, 0}), nameABC}), false);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xBD, 1, 0, 0, 0}), false);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0x7F, 0xFF, 0xFF, 0xFF, 'a', 'b'}), true);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0x7F, 0xFF, 0xFF, 0xFF, 'a', 'b'}), false);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0, 0, 0}), true);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0, 0, 0, 4, 'a', 'b', 'c'}), true);
    ExpectReadFails<NSQuorral::XFormatViolation>(Bytes({0, 0, 0, 2, 0xC3, 0x28}), true); // invalid UTF-8
}
} // namespace
