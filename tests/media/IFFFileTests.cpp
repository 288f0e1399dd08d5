#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "media/MIDIFileReader.h"

#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>


using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
const TFourCC kTEST = MakeFourCC("TEST");
const TFourCC kDATA = MakeFourCC("DATA");
const TFourCC kTYPE = MakeFourCC("TYPE");

TEST(IFFFileReader, WalksTheChunksOfAFORM)
{
    auto media = MediaOf(Concat({Text("FORM"), Bytes({0, 0, 0, 12}), Text("TEST"), Text("DATA"), Bytes({0, 0, 0, 0})}));
    CIFFFileReader reader(media);
    EXPECT_FALSE(reader.EnterFORM(kTYPE));
    EXPECT_EQ(reader.GetDepth(), 0u);
    EXPECT_THROW(reader.RequireFORM(kTYPE), NSQuorral::XFormatViolation);
    EXPECT_EQ(reader.GetDepth(), 0u);

    ASSERT_TRUE(reader.EnterFORM(kTEST));
    ASSERT_TRUE(reader.EnterFirstChunk());
    EXPECT_EQ(reader.GetCurrentChunk().fFourCC, kDATA);
    EXPECT_EQ(reader.GetCurrentChunk().fSize, 0);
    EXPECT_FALSE(reader.EnterNextChunk());
    EXPECT_EQ(reader.GetDepth(), 1u);
    EXPECT_EQ(reader.GetCurrentChunk().fFourCC, kTEST);
}

TEST(IFFFileReader, EntersSongCATAndBODYOrThrows)
{
    // A song "CAT " holding a FORM, and a published song's BODY.
    auto song = MediaOf(Concat({Text("CAT "), Bytes({0, 0, 0, 16}), Text("TS10"), Text("FORM"), Bytes({0, 0, 0, 4}),
                                Text("SONG"), Text("BODY"), Bytes({0, 0, 0, 1, 'z', 0})}));
    CIFFFileReader reader(song);
    EXPECT_FALSE(reader.EnterCAT(MakeFourCC("TS11")));
    reader.EnterSongCAT();
    EXPECT_TRUE(reader.EnterFORM(MakeFourCC("SONG")));
    reader.LeaveLevel();
    reader.LeaveLevel();
    reader.EnterBODYChunk();
    EXPECT_EQ(reader.GetCurrentReader().GetMedia().GetSize(), 1);
    EXPECT_EQ(ReadU8(reader.GetCurrentReader().GetMedia()), 'z');

    auto plain = MediaOf(Concat({Text("DATA"), Bytes({0, 0, 0, 0})}));
    CIFFFileReader other(plain);
    EXPECT_THROW(other.EnterSongCAT(), NSQuorral::XFormatViolation);
    EXPECT_THROW(other.EnterBODYChunk(), NSQuorral::XFormatViolation);
    EXPECT_EQ(other.GetDepth(), 0u);
    EXPECT_THROW(other.LeaveLevel(), NSQuorral::XIllegalCallSequence);
}

// Groups nested depth deep, FORM, LIST and "CAT " in turn, the innermost one empty: 12 bytes a level.
TBytes NestedGroups(u32 depth)
{
    const char* const ids[] = {"FORM", "LIST", "CAT "};
    TBytes bytes;
    bytes.reserve(size_t(depth) * 12);
    for (u32 level = 0; level < depth; ++level)
    {
        const TBytes id = Text(ids[level % 3]);
        bytes.insert(bytes.end(), id.begin(), id.end());
        PutBE32(bytes, 4 + 12 * (depth - 1 - level));
        const TBytes type = Text("NEST");
        bytes.insert(bytes.end(), type.begin(), type.end());
    }
    return bytes;
}

// Enters the first chunk at every level until there is none; answers the depth reached.
size_t WalkDown(CIFFFileReader& reader)
{
    while (reader.EnterFirstChunk())
    {
    }
    return reader.GetDepth();
}

TEST(IFFFileReader, WalksNestingUpToTheBoundAndRefusesDeeper)
{
    for (const u32 depth : {1u, 1000u, kMaxChunkNestingDepth})
    {
        auto media = MediaOf(NestedGroups(depth));
        CIFFFileReader reader(media);
        EXPECT_EQ(WalkDown(reader), depth);
        EXPECT_EQ(reader.GetCurrentChunk().fSize, 4);
    }
    // A deep file is refused when the walk passes the bound, without walking the rest of it.
    for (const u32 depth : {kMaxChunkNestingDepth + 1, 100000u})
    {
        auto media = MediaOf(NestedGroups(depth));
        CIFFFileReader reader(media);
        EXPECT_THROW(WalkDown(reader), NSQuorral::XFormatViolation) << depth;
        EXPECT_EQ(reader.GetDepth(), kMaxChunkNestingDepth) << depth;
    }
}

TEST(IFFFileReader, ChunkReadersRefuseNestingBeyondTheBound)
{
    auto media = MediaOf(NestedGroups(kMaxChunkNestingDepth + 1));
    std::vector<std::unique_ptr<CIFFReader2>> readers;
    readers.push_back(std::make_unique<CIFFReader2>(media));
    TIFFChunk chunk;
    for (u32 depth = 1; depth <= kMaxChunkNestingDepth; ++depth)
    {
        ASSERT_TRUE(readers.back()->FirstChunk(chunk));
        readers.push_back(std::make_unique<CIFFReader2>(*readers.back(), chunk));
    }
    ASSERT_TRUE(readers.back()->FirstChunk(chunk));
    EXPECT_THROW(CIFFReader2(*readers.back(), chunk), NSQuorral::XFormatViolation);
}

TEST(IFFFileWriter, WritesAFORMWithAnOddChunk)
{
    COwnedMemoryMedia media(0);
    CIFFFileWriter writer(media);
    writer.BeginFORM(kTYPE);
    writer.GetCurrentWriter().WriteChunk(kDATA, 3, "xyz");
    writer.EndLevel();
    EXPECT_EQ(BytesOf(media), Concat({Text("FORM"), Bytes({0, 0, 0, 16}), Text("TYPE"), Text("DATA"),
                                      Bytes({0, 0, 0, 3}), Text("xyz"), Bytes({0})}));
    EXPECT_EQ(media.fPosition, 24);
}

TEST(IFFFileWriter, DestructionEndsOpenLevelsInnermostFirst)
{
    COwnedMemoryMedia media(0);
    {
        CIFFFileWriter writer(media);
        writer.BeginCAT(MakeFourCC("TS10"));
        writer.BeginFORM(kTYPE);
        writer.BeginChunk(kDATA);
        WriteBytes(writer.GetCurrentWriter().GetMedia(), 5, "hello");
    }
    const TBytes expected = Concat({Text("CAT "), Bytes({0, 0, 0, 30}), Text("TS10"), Text("FORM"), Bytes({0, 0, 0, 18}),
                                    Text("TYPE"), Text("DATA"), Bytes({0, 0, 0, 5}), Text("hello"), Bytes({0})});
    EXPECT_EQ(BytesOf(media), expected);

    // And it reads back through the nested reader.
    CIFFFileReader reader(media);
    ASSERT_TRUE(reader.EnterCAT(MakeFourCC("TS10")));
    reader.RequireFORM(kTYPE);
    ASSERT_TRUE(reader.EnterFirstChunk());
    EXPECT_EQ(reader.GetCurrentChunk().fSize, 5);
    EXPECT_FALSE(reader.EnterNextChunk());
}

// A media whose writes fail once it holds a given number of bytes.
class CFullMedia : public COwnedMemoryMedia
{
public:
    explicit CFullMedia(i64 limit) : COwnedMemoryMedia(0), fLimit(limit) {}
    void Write(i64 offset, i64 size, const void* source) override
    {
        if (offset + size > fLimit)
            NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XWrite(""));
        COwnedMemoryMedia::Write(offset, size, source);
    }

private:
    i64 fLimit;
};

TEST(IFFFileWriter, DestructionSwallowsAFailingLevelAndEndsTheRest)
{
    // Inner group ends at 27 (odd): its pad byte cannot be written; the outer one still gets its size.
    CFullMedia media(27);
    {
        CIFFFileWriter writer(media);
        writer.BeginFORM(MakeFourCC("OUTR"));
        writer.BeginFORM(MakeFourCC("INNR"));
        WriteBytes(writer.GetCurrentWriter().GetMedia(), 3, "abc");
    }
    const TBytes bytes = BytesOf(media);
    ASSERT_EQ(bytes.size(), 27u);
    EXPECT_EQ(TBytes(bytes.begin() + 4, bytes.begin() + 8), Bytes({0, 0, 0, 19}));
    EXPECT_EQ(TBytes(bytes.begin() + 16, bytes.begin() + 20), Bytes({0, 0, 0, 7}));
}

TEST(IsRIFFMedia, AcceptsOnlyAGroupThatFits)
{
    const TBytes body = Concat({Text("sfbk"), Text("DATA"), Bytes({2, 0, 0, 0, 'h', 'i'})});
    struct Case
    {
        TBytes bytes;
        bool isRIFF;
    };
    const Case kCases[] = {
        {Concat({Text("RIFF"), Bytes({14, 0, 0, 0}), body}), true},
        {Concat({Text("LIST"), Bytes({14, 0, 0, 0}), body}), true},
        {Concat({Text("RIFF"), Bytes({15, 0, 0, 0}), body}), false},
        {Concat({Text("DATA"), Bytes({2, 0, 0, 0, 'h', 'i'})}), false},
        {Concat({Text("RIFF"), Bytes({0, 0, 0, 14}), body}), false},
        {TBytes(), false},
        {Text("RIFF"), false},
    };
    for (const Case& c : kCases)
    {
        auto media = MediaOf(c.bytes);
        media.fPosition = 3;
        EXPECT_EQ(IsRIFFMedia(media), c.isRIFF) << c.bytes.size();
        EXPECT_EQ(media.fPosition, 3);
    }
}

TEST(IsRIFFMedia, NeverThrowsOnMutatedInput)
{
    const TBytes valid = Concat({Text("RIFF"), Bytes({26, 0, 0, 0}), Text("sfbk"), Text("LIST"),
                                 Bytes({10, 0, 0, 0}), Text("INFO"), Text("ab"), Bytes({1, 0, 0, 0, 'x', 0})});
    CByteMutator mutator(4242, EFieldOrder::kLittleEndian, ChunkSizeFields(valid, EFieldOrder::kLittleEndian));
    int accepted = 0;
    for (int round = 0; round < 400; ++round)
    {
        const TBytes bytes = mutator.Mutate(valid);
        auto media = MediaOf(bytes);
        bool isRIFF = false;
        EXPECT_NO_THROW(isRIFF = IsRIFFMedia(media));
        accepted += isRIFF;
    }
    EXPECT_GT(accepted, 0);
    EXPECT_LT(accepted, 400);
}

TEST(MIDIFileReader, ReadsFormatTracksAndDivision)
{
    auto ticks = MediaOf(Concat({Text("MThd"), Bytes({0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0})}));
    CMIDIFileReader reader(ticks);
    TMIDIFileHeader header;
    reader.ReadHeader(header);
    EXPECT_EQ(header.fFormat, 1u);
    EXPECT_EQ(header.fTrackCount, 2);
    EXPECT_EQ(header.fDivisionKind, kMIDIDivisionTicksPerQuarterNote);
    EXPECT_EQ(header.fTicksPerQuarterNote, 480);
    EXPECT_EQ(ticks.fPosition, 14);

    auto smpte = MediaOf(Concat({Text("MThd"), Bytes({0, 0, 0, 6, 0, 0, 0, 1, 0xE7, 0x28})}));
    CMIDIFileReader(smpte).ReadHeader(header);
    EXPECT_EQ(header.fFormat, 0u);
    EXPECT_EQ(header.fDivisionKind, kMIDIDivisionSMPTE);
    EXPECT_EQ(header.fSMPTEFramesPerSecond, 25);
    EXPECT_EQ(header.fTicksPerFrame, 40);
    EXPECT_EQ(header.fTicksPerQuarterNote, 0);
}

TEST(MIDIFileReader, ShortMediaAreFormatViolations)
{
    for (size_t size : {0u, 7u, 8u, 13u})
    {
        auto media = MediaOf(TBytes(size, 1));
        TMIDIFileHeader header;
        EXPECT_THROW(CMIDIFileReader(media).ReadHeader(header), NSQuorral::XFormatViolation) << size;
    }
}
} // namespace
