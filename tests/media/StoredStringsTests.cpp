#include "media/StoredStrings.h"
#include "media/UTF32Text.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace NSFerrant;
using namespace NSTestSupport;
using NSTextPackage::TUTF16String;

namespace
{
TUTF16String Units(std::initializer_list<u16> units)
{
    return TUTF16String(units);
}

TBytes WrittenName(const TUTF16String& text)
{
    COwnedMemoryMedia media(0);
    WriteNameString(media, text);
    EXPECT_EQ(media.fPosition, media.GetSize());
    return BytesOf(media);
}

TUTF16String ReadName(const TBytes& bytes, i64 expectedEnd)
{
    auto media = MediaOf(Concat({bytes, Text("tail")}));
    const TUTF16String text = ReadNameString(media);
    EXPECT_EQ(media.fPosition, expectedEnd);
    return text;
}

const TBytes kUTF8Escape = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 1, 0, 0, 0});

TEST(NameString, ChoosesWindows1252WhenItLosesNothing)
{
    struct Case
    {
        TUTF16String text;
        TBytes bytes;
    };
    const Case kCases[] = {
        {Units({'a', 'b', 'c'}), Bytes({0, 0, 0, 3, 'a', 'b', 'c'})},
        {TUTF16String(), Bytes({0, 0, 0, 0})},
        {Units({0xE9, 0x20AC}), Bytes({0, 0, 0, 2, 0xE9, 0x80})}, // é and the euro sign are in 1252
        {Units({0x100}), Concat({kUTF8Escape, Bytes({0, 0, 0, 2, 0xC4, 0x80})})},
        {Units({'a', 0x2029, 'b'}), Concat({kUTF8Escape, Bytes({0, 0, 0, 5, 'a', 0xE2, 0x80, 0xA9, 'b'})})},
        {Units({0xD83D, 0xDE00}), Concat({kUTF8Escape, Bytes({0, 0, 0, 4, 0xF0, 0x9F, 0x98, 0x80})})},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(WrittenName(c.text), c.bytes);
        EXPECT_EQ(GetNameStringSize(c.text), i64(c.bytes.size()));
        EXPECT_EQ(ReadName(c.bytes, i64(c.bytes.size())), c.text);
    }
}

// The size of a text the writer refuses is answered without a failure: the failure is the writer's.
TEST(NameString, TheSizeOfATextThatCannotBeWrittenIsAnsweredWithoutAFailure)
{
    EXPECT_NO_THROW(GetNameStringSize(Units({'a', 0xD800, 'b'})));
    const TUTF16String tooLarge(kMaxStoredNameBytes + 1, u16('x'));
    EXPECT_EQ(GetNameStringSize(tooLarge), i64(4 + tooLarge.size()));
}

TEST(NameString, UnpairedSurrogateIsRefusedAndNothingWritten)
{
    COwnedMemoryMedia media(0);
    EXPECT_THROW(WriteNameString(media, Units({'a', 0xD800, 'b'})), NSQuorral::XFormatViolation);
    EXPECT_EQ(media.GetSize(), 0);
    EXPECT_EQ(media.fPosition, 0);
}

TEST(NameString, Windows1252LineBreaksBecomeParagraphSeparators)
{
    const u16 P = 0x2029;
    struct Case
    {
        TBytes text;
        TUTF16String windows1252Form;
    };
    const Case kCases[] = {
        {Bytes({'a', '\r', '\n', 'b'}), Units({'a', P, 'b'})},
        {Bytes({'a', '\n', '\r', 'b'}), Units({'a', P, P, 'b'})},
        {Bytes({'\r', '\r', '\n', '\n'}), Units({P, P, P})},
        {Bytes({'a', '\r'}), Units({'a', P})},
    };
    for (const Case& c : kCases)
    {
        const u8 n = u8(c.text.size());
        EXPECT_EQ(ReadName(Concat({Bytes({0, 0, 0, n}), c.text}), 4 + n), c.windows1252Form);
        // The UTF-8 form keeps them as they are.
        const TUTF16String kept = ReadName(Concat({kUTF8Escape, Bytes({0, 0, 0, n}), c.text}), 13 + n);
        EXPECT_EQ(kept, TUTF16String(c.text.begin(), c.text.end()));
    }
}

TEST(NameString, TextEndsAtAZeroByteAndTheCountIsConsumed)
{
    EXPECT_EQ(ReadName(Bytes({0, 0, 0, 5, 'a', 'b', 0, 'c', 'd'}), 9), Units({'a', 'b'}));
    EXPECT_EQ(ReadName(Concat({kUTF8Escape, Bytes({0, 0, 0, 3, 'x', 0, 'y'})}), 16), Units({'x'}));
    EXPECT_EQ(ReadName(Concat({kUTF8Escape, Bytes({0, 0, 0, 0})}), 13), TUTF16String());
}

TEST(NameString, CountsBeyondTheBytesLeftOrTheCapAreRefused)
{
    struct Case
    {
        TBytes bytes;
        bool unsupported;
    };
    const Case kCases[] = {
        {Bytes({0, 0, 0, 4, 'a', 'b', 'c'}), false},
        {Concat({kUTF8Escape, Bytes({0, 0, 0, 4, 'a', 'b', 'c'})}), false},
        {Bytes({0, 0, 0}), false},
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 1, 0}), false},
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBD, 1, 0, 0, 0, 0, 0, 0, 0}), false},
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 2, 0, 0, 0, 0, 0, 0, 0}), true},
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 0, 9, 0, 0, 0, 0, 0, 0}), true},
    };
    for (const Case& c : kCases)
    {
        auto media = MediaOf(c.bytes);
        if (c.unsupported)
            EXPECT_THROW(ReadNameString(media), NSQuorral::XUnsupportedFormat);
        else
            EXPECT_THROW(ReadNameString(media), NSQuorral::XFormatViolation) << c.bytes.size();
    }

}

// A media that claims to be 1 TiB large, starts with a given count and records its largest read.
class CHugeMedia : public CMedia
{
public:
    explicit CHugeMedia(u32 count) : fCount(count) {}
    void Read(i64 offset, i64 size, void* destination) const override
    {
        fLargestRead = std::max(fLargestRead, size);
        const u8 count[4] = {u8(fCount >> 24), u8(fCount >> 16), u8(fCount >> 8), u8(fCount)};
        for (i64 i = 0; i < std::min<i64>(size, 4); ++i)
            static_cast<u8*>(destination)[i] = offset + i < 4 ? count[offset + i] : 0;
    }
    void Write(i64, i64, const void*) override {}
    i64 GetSize() const override { return i64(1) << 40; }
    mutable i64 fLargestRead = 0;

private:
    u32 fCount;
};

TEST(NameString, CountAboveTheCapIsRefusedBeforeAllocating)
{
    CHugeMedia media(kMaxStoredNameBytes + 1);
    EXPECT_THROW(ReadNameString(media), NSQuorral::XFormatViolation);
    EXPECT_EQ(media.fLargestRead, 4);
}

TEST(UTF8String, RoundTripsAndLimitsItsCount)
{
    COwnedMemoryMedia media(0);
    WriteUTF8String(media, TUTF16String());
    WriteUTF8String(media, Units({'a', 0x2029, 0xD83D, 0xDE00}));
    EXPECT_EQ(BytesOf(media), Bytes({0, 0, 0, 0, 0, 0, 0, 8, 'a', 0xE2, 0x80, 0xA9, 0xF0, 0x9F, 0x98, 0x80}));
    media.fPosition = 0;
    EXPECT_EQ(ReadUTF8String(media), TUTF16String());
    EXPECT_EQ(ReadUTF8String(media), Units({'a', 0x2029, 0xD83D, 0xDE00}));
    EXPECT_EQ(media.fPosition, 16);

    auto largest = MediaOf(Concat({Bytes({0, 0, 0x3F, 0xFF}), TBytes(16383, 'x')}));
    EXPECT_EQ(ReadUTF8String(largest).size(), 16383u);

    auto tooLarge = MediaOf(Concat({Bytes({0, 0, 0x40, 0x00}), TBytes(16384, 'x')}));
    EXPECT_THROW(ReadUTF8String(tooLarge), NSQuorral::XFormatViolation);
    EXPECT_EQ(tooLarge.fPosition, 4) << "no text was read";

    auto withZero = MediaOf(Bytes({0, 0, 0, 3, 'a', 0, 'b'}));
    EXPECT_EQ(ReadUTF8String(withZero), Units({'a'}));
    EXPECT_EQ(withZero.fPosition, 7);
}

TEST(UTF32Text, AstralCodePointsBecomePairs)
{
    const NSTextPackage::TUTF32String codePoints = {0x41, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF};
    EXPECT_EQ(NSTextPackage::UTF32ToUTF16(codePoints),
              Units({0x41, 0xFFFF, 0xD800, 0xDC00, 0xD83D, 0xDE00, 0xDBFF, 0xDFFF}));
}
} // namespace
