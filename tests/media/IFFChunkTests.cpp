#include "media/IFFReader2.h"
#include "media/IFFWriter2.h"

#include "base/ExceptionClasses.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <exception>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
const TFourCC kTEST = MakeFourCC("TEST");
const TFourCC kNEXT = MakeFourCC("NEXT");
const TFourCC kDATA = MakeFourCC("DATA");
const TFourCC kTYPE = MakeFourCC("TYPE");

void ExpectChunk(const TIFFChunk& chunk, u32 kind, TFourCC fourCC, i64 headerOffset, i64 size)
{
    EXPECT_EQ(chunk.fKind, kind);
    EXPECT_EQ(chunk.fFourCC, fourCC);
    EXPECT_EQ(chunk.fHeaderOffset, headerOffset);
    EXPECT_EQ(chunk.fSize, size);
}

TEST(FourCC, ValidityFollowsThePrintableRange)
{
    struct Case
    {
        TFourCC fourCC;
        bool valid;
    };
    const Case kCases[] = {
        {MakeFourCC("FORM"), true}, {MakeFourCC("CAT "), true},  {MakeFourCC("A   "), true},
        {MakeFourCC(" ABC"), false}, {0x41424300, false},         {0x4142437F, false},
        {0x21202020, true},          {0x7E7E7E7E, true},          {0x411F4242, false},
    };
    for (const Case& c : kCases)
        EXPECT_EQ(IsValidFourCC(c.fourCC), c.valid) << std::hex << c.fourCC;
}

TEST(ChunkSizes, HeaderAndDataSizesByKind)
{
    EXPECT_EQ(GetChunkHeaderSize(kChunkKindPlain), 8);
    EXPECT_EQ(GetChunkHeaderSize(kChunkKindFORM), 12);
    EXPECT_EQ(GetChunkHeaderSize(kChunkKindLIST), 12);
    EXPECT_THROW(GetChunkHeaderSize(kChunkKindRoot), std::exception);
    EXPECT_EQ(GetChunkDataSize({kChunkKindPlain, kDATA, 0, 3}), 3);
    EXPECT_EQ(GetChunkDataSize({kChunkKindFORM, kTYPE, 0, 4}), 0);
    EXPECT_THROW(GetChunkDataSize({kChunkKindFORM, kTYPE, 0, 2}), NSQuorral::XFormatViolation);
}

TEST(IFFReader2, WalksChunksOverThePadByte)
{
    auto media = MediaOf(Concat({Text("TEST"), Bytes({0, 0, 0, 3, 'a', 'b', 'c', 0}), Text("NEXT"), Bytes({0, 0, 0, 0})}));
    CIFFReader2 reader(media);
    TIFFChunk chunk;
    ASSERT_TRUE(reader.FirstChunk(chunk));
    ExpectChunk(chunk, kChunkKindPlain, kTEST, 0, 3);
    EXPECT_EQ(media.fPosition, 8);

    u8 data[3];
    reader.ReadChunkData(chunk, data);
    EXPECT_EQ(TBytes(data, data + 3), Text("abc"));
    EXPECT_EQ(media.fPosition, 11);

    TIFFChunk next;
    ASSERT_TRUE(reader.NextChunk(chunk, next));
    ExpectChunk(next, kChunkKindPlain, kNEXT, 12, 0);
    EXPECT_FALSE(reader.NextChunk(next, next));

    TIFFChunk found;
    EXPECT_TRUE(reader.FindChunk(kNEXT, found));
    ExpectChunk(found, kChunkKindPlain, kNEXT, 12, 0);
    EXPECT_FALSE(reader.FindChunk(MakeFourCC("NONE"), found));
}

TEST(IFFReader2, ReadsGroupsWithTheirType)
{
    auto media = MediaOf(Concat({Text("FORM"), Bytes({0, 0, 0, 4}), Text("ABCD"), Text("LIST"), Bytes({0, 0, 0, 4}),
                                 Text("WXYZ"), Text("FORM"), Bytes({0, 0, 0, 2}), Text("SHRT")}));
    CIFFReader2 reader(media);
    TIFFChunk chunk;
    ASSERT_TRUE(reader.FirstChunk(chunk));
    ExpectChunk(chunk, kChunkKindFORM, MakeFourCC("ABCD"), 0, 4);
    EXPECT_EQ(GetChunkDataSize(chunk), 0);
    EXPECT_EQ(media.fPosition, 12);

    TIFFChunk list;
    ASSERT_TRUE(reader.FindLIST(MakeFourCC("WXYZ"), list));
    ExpectChunk(list, kChunkKindLIST, MakeFourCC("WXYZ"), 12, 4);

    // A stored size below the type's 4 bytes reads, but has no data size.
    TIFFChunk shortForm;
    ASSERT_TRUE(reader.NextChunk(list, shortForm));
    ExpectChunk(shortForm, kChunkKindFORM, MakeFourCC("SHRT"), 24, 2);
    EXPECT_THROW(GetChunkDataSize(shortForm), NSQuorral::XFormatViolation);
}

TEST(IFFReader2, MalformedHeadersAreFormatViolations)
{
    const TBytes eightByteChunk = Concat({Text("TEST"), Bytes({0, 0, 0, 0})});
    const TBytes kCases[] = {
        Concat({eightByteChunk, Bytes({'X', 'Y'})}),                          // stray bytes after the last chunk
        Concat({eightByteChunk, Text("NEXT"), Bytes({0, 0})}),                 // size field cut short
        Concat({eightByteChunk, Text(" BAD"), Bytes({0, 0, 0, 0})}),           // leading space
        Concat({eightByteChunk, Bytes({'B', 'A', 'D', 0x7F, 0, 0, 0, 0})}),    // byte above 126
        Concat({eightByteChunk, Bytes({'B', 0x1F, 'D', 'D', 0, 0, 0, 0})}),    // byte below 32
        Concat({eightByteChunk, Text("NEXT"), Bytes({0, 0, 0, 2, 'a'})}),      // size 1 beyond the window
        Concat({eightByteChunk, Text("FORM"), Bytes({0, 0, 0, 4, 'A', 'B'})}), // type cut short
        Concat({eightByteChunk, Text("LIST"), Bytes({0, 0, 0, 4}), Text("A\tBC")}), // invalid type
    };
    for (const TBytes& bytes : kCases)
    {
        auto media = MediaOf(bytes);
        CIFFReader2 reader(media);
        TIFFChunk first;
        ASSERT_TRUE(reader.FirstChunk(first));
        TIFFChunk next;
        EXPECT_THROW(reader.NextChunk(first, next), NSQuorral::XFormatViolation) << bytes.size();
    }
}

TEST(IFFReader2, ShortWindowHoldsNoChunk)
{
    auto media = MediaOf(Text("TEST000"));
    CIFFReader2 reader(media);
    TIFFChunk chunk;
    EXPECT_FALSE(reader.FirstChunk(chunk));
}

TEST(IFFReader2, NestedReaderSeesOnlyItsChunksData)
{
    auto media = MediaOf(Concat({Text("FORM"), Bytes({0, 0, 0, 13}), Text("TYPE"),
                                 Text("DATA"), Bytes({0, 0, 0, 1, 'x', 0}), Text("TAIL"), Bytes({0, 0, 0, 0})}));
    CIFFReader2 root(media);
    TIFFChunk form;
    ASSERT_TRUE(root.FindFORM(kTYPE, form));
    CIFFReader2 inner(root, form);
    EXPECT_EQ(inner.GetMedia().GetSize(), 9);
    TIFFChunk data;
    ASSERT_TRUE(inner.FirstChunk(data));
    ExpectChunk(data, kChunkKindPlain, kDATA, 0, 1);
    TIFFChunk next;
    EXPECT_FALSE(inner.NextChunk(data, next)) << "the pad byte lies past the group's odd size";
    u8 byte = 0;
    EXPECT_THROW(inner.GetMedia().Read(9, 1, &byte), NSQuorral::XRead);
}

TEST(IFFReader2, ChunkDataMustFollowTheReadersPosition)
{
    auto media = MediaOf(Concat({Text("DATA"), Bytes({0, 0, 0, 2, 'h', 'i'})}));
    CIFFReader2 reader(media);
    TIFFChunk chunk;
    ASSERT_TRUE(reader.FirstChunk(chunk));
    media.fPosition = 9; // past the data's start: the data no longer fits
    u8 data[2];
    EXPECT_THROW(reader.ReadChunkData(chunk, data), NSQuorral::XFormatViolation);
}

TEST(IFFWriter2, WritesChunksWithPadBytes)
{
    COwnedMemoryMedia media(0);
    CIFFWriter2 writer(media);
    EXPECT_EQ(writer.WriteChunk(kDATA, 3, "xyz"), 12);
    EXPECT_EQ(media.fPosition, 12);
    EXPECT_EQ(writer.WriteChunk(kDATA, 2, "hi"), 10);
    EXPECT_EQ(BytesOf(media), Concat({Text("DATA"), Bytes({0, 0, 0, 3}), Text("xyz"), Bytes({0}), Text("DATA"),
                                      Bytes({0, 0, 0, 2}), Text("hi")}));
}

TEST(IFFWriter2, EndChunkPatchesTheGroupSize)
{
    COwnedMemoryMedia media(0);
    CIFFWriter2 writer(media);
    const TIFFChunk form = writer.BeginFORM(kTYPE);
    ExpectChunk(form, kChunkKindFORM, kTYPE, 0, 0);
    {
        const auto data = writer.OpenChunkData(form);
        EXPECT_EQ(data->fPosition, 0);
        WriteBytes(*data, 10, "0123456789");
    }
    writer.EndChunk(form, 10);
    EXPECT_EQ(media.fPosition, 22);
    EXPECT_EQ(BytesOf(media), Concat({Text("FORM"), Bytes({0, 0, 0, 14}), Text("TYPE"), Text("0123456789")}));
}

TEST(IFFWriter2, ChunksOf4GiBOrMoreAreRefused)
{
    COwnedMemoryMedia media(0);
    CIFFWriter2 writer(media);
    const TIFFChunk chunk = writer.BeginChunk(kDATA);
    const TBytes before = BytesOf(media);
    EXPECT_THROW(writer.EndChunk(chunk, i64(1) << 32), NSQuorral::XOutOfSpace);
    const TIFFChunk form = writer.BeginFORM(kTYPE);
    EXPECT_THROW(writer.EndChunk(form, 0xFFFFFFFC), NSQuorral::XOutOfSpace);
    const TBytes after = BytesOf(media);
    EXPECT_EQ(TBytes(after.begin(), after.begin() + 8), before) << "no size was stored";
}

TEST(RIFFChunks, RoundTripWithLittleEndianSizes)
{
    COwnedMemoryMedia media(0);
    {
        CRIFFWriter2 writer(media);
        const TIFFChunk riff = writer.BeginGroup(kChunkKindFORM, kFourCC_RIFF, MakeFourCC("sfbk"));
        CRIFFWriter2 inner(writer, riff);
        inner.WriteChunk(kDATA, 3, "xyz");
        writer.EndChunk(riff, inner.GetMedia().GetSize());
    }
    EXPECT_EQ(BytesOf(media), Concat({Text("RIFF"), Bytes({16, 0, 0, 0}), Text("sfbk"), Text("DATA"),
                                      Bytes({3, 0, 0, 0}), Text("xyz"), Bytes({0})}));

    CRIFFReader2 reader(media);
    TIFFChunk riff;
    ASSERT_TRUE(reader.FindFORM(MakeFourCC("sfbk"), riff));
    ExpectChunk(riff, kChunkKindFORM, MakeFourCC("sfbk"), 0, 16);
    CRIFFReader2 inner(reader, riff);
    TIFFChunk data;
    ASSERT_TRUE(inner.FindChunk(kDATA, data));
    ExpectChunk(data, kChunkKindPlain, kDATA, 0, 3);
    u8 bytes[3];
    inner.ReadChunkData(data, bytes);
    EXPECT_EQ(TBytes(bytes, bytes + 3), Text("xyz"));
}

TEST(RIFFChunks, TruncatedHeaderFailsInTheWindowsRead)
{
    auto media = MediaOf(Concat({Text("RIFF"), Bytes({6, 0, 0, 0}), Text("sfbk"), Text("DA")}));
    CRIFFReader2 reader(media);
    TIFFChunk riff;
    ASSERT_TRUE(reader.FirstChunk(riff));
    CRIFFReader2 inner(reader, riff);
    inner.GetMedia().fPosition = 0;
    EXPECT_THROW(inner.ReadChunkHeader(), NSQuorral::XRead);
}
} // namespace
