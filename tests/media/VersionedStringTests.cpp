#include "media/VersionedString.h"

#include "base/ExceptionClasses.h"
#include "base/HashedString.h"
#include "base/Media.h"
#include "base/TextConversions.h"
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
