#include "media/codec/KORBTrailer.h"

#include "media/TempoMap.h"
#include "base/ExceptionClasses.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <optional>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
const u32 kOtherTag = MakeFourCC("KoXX");

// The bytes of a stream of code words followed by blocks of the given tags and data.
TBytes StreamWithBlocks(std::initializer_list<std::pair<u32, TBytes>> blocks)
{
    COwnedMemoryMedia stream(0);
    const TBytes codes = {0x82, 0x08, 0x20, 0x00, 0, 0, 0, 0};
    WriteBytes(stream, i64(codes.size()), codes.data());
    for (const auto& [tag, data] : blocks)
    {
        COwnedMemoryMedia dataMedia = MediaOf(data);
        AppendKORBTrailerBlock(stream, tag, dataMedia);
    }
    return BytesOf(stream);
}

// The data FindKORBTempoMapBlock copies out, or nothing when it answers false.
std::optional<TBytes> FindTempoMapData(COwnedMemoryMedia& stream)
{
    stream.fPosition = 3;
    COwnedMemoryMedia out(0);
    const i64 position = stream.fPosition;
    const bool found = FindKORBTempoMapBlock(stream, kKORBTempoMapTag, out);
    EXPECT_EQ(stream.fPosition, position);
    if (!found)
        return std::nullopt;
    return BytesOf(out);
}
} // namespace

TEST(KORBTrailer, BlockLayout)
{
    COwnedMemoryMedia stream(0);
    COwnedMemoryMedia data = MediaOf({1, 2, 3});
    AppendKORBTrailerBlock(stream, kKORBTempoMapTag, data);
    EXPECT_EQ(BytesOf(stream), Concat({Text("KoMBKoTM"), Bytes({0, 0, 0, 3, 1, 2, 3}), Text("KoTM"),
                                       Bytes({0, 0, 0, 3}), Text("KoME")}));
    EXPECT_EQ(stream.fPosition, 27);
    EXPECT_EQ(data.fPosition, 3);
}

TEST(KORBTrailer, FindSkipsBlocksOfOtherTags)
{
    const TBytes tempo = {9, 8, 7, 6, 5};
    struct Case
    {
        const char* what;
        TBytes stream;
        std::optional<TBytes> found;
    };
    const Case cases[] = {
        {"no blocks", StreamWithBlocks({}), std::nullopt},
        {"only the tempo map", StreamWithBlocks({{kKORBTempoMapTag, tempo}}), tempo},
        {"other blocks behind it",
         StreamWithBlocks({{kKORBTempoMapTag, tempo}, {kOtherTag, {1}}, {kOtherTag, {}}}), tempo},
        {"other blocks before it", StreamWithBlocks({{kOtherTag, {1, 2}}, {kKORBTempoMapTag, tempo}}), tempo},
        {"empty tempo block", StreamWithBlocks({{kKORBTempoMapTag, {}}}), TBytes{}},
        {"only other blocks", StreamWithBlocks({{kOtherTag, tempo}}), std::nullopt},
    };
    for (const Case& c : cases)
    {
        COwnedMemoryMedia stream = MediaOf(c.stream);
        EXPECT_EQ(FindTempoMapData(stream), c.found) << c.what;
    }
}

TEST(KORBTrailer, MalformedBlocksAreNotFound)
{
    const TBytes tempo = {9, 8, 7, 6, 5};
    const TBytes good = StreamWithBlocks({{kKORBTempoMapTag, tempo}});
    const size_t blockStart = good.size() - tempo.size() - 24;
    struct Case
    {
        const char* what;
        size_t offset;
        u8 value;
    };
    const Case damages[] = {
        {"closing mark", good.size() - 1, 'X'}, {"closing length too large", good.size() - 8, 0x7F},
        {"opening mark", blockStart, 'X'},      {"opening tag", blockStart + 7, 'X'},
        {"opening length", blockStart + 11, 6},
    };
    for (const Case& c : damages)
    {
        TBytes bytes = good;
        bytes[c.offset] = c.value;
        COwnedMemoryMedia stream = MediaOf(bytes);
        EXPECT_EQ(FindTempoMapData(stream), std::nullopt) << c.what;
    }
    // Shorter than any block, though it ends with a closing mark.
    COwnedMemoryMedia tooShort = MediaOf(Concat({TBytes(19), Text("KoME")}));
    EXPECT_EQ(FindTempoMapData(tooShort), std::nullopt);
}

TEST(KORBTrailer, DataOfMoreThan4GiBIsRefused)
{
    class CHugeMedia : public CMedia
    {
    public:
        void Read(i64, i64, void*) const override { ADD_FAILURE() << "read"; }
        void Write(i64, i64, const void*) override { ADD_FAILURE() << "write"; }
        i64 GetSize() const override { return i64(0x100000000); }
    } huge;
    COwnedMemoryMedia stream(0);
    try
    {
        AppendKORBTrailerBlock(stream, kKORBTempoMapTag, huge);
        ADD_FAILURE() << "no failure";
    }
    catch (const NSQuorral::XOutOfSpace& failure)
    {
        EXPECT_STREQ(failure.what(), "extra info to large");
    }
    EXPECT_EQ(stream.GetSize(), 0);
}

TEST(KORBTrailer, TempoMapBlockRoundTrip)
{
    COwnedMemoryMedia stream = MediaOf(StreamWithBlocks({{kOtherTag, {1, 2, 3}}}));
    stream.fPosition = stream.GetSize();
    const NSTempoMap::CTempoMap map({{0, 120000}, {480, 90000}}, 44100);
    BuildKORBTempoMapBlock(stream, map, 12);
    const std::optional<TBytes> data = FindTempoMapData(stream);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(*data, NSTempoMap::SaveTempoMap(map, 12));
    const auto loaded = NSTempoMap::LoadTempoMap(data->data(), data->size(), 44100);
    EXPECT_EQ(loaded->first.GetPoints(), map.GetPoints());
    EXPECT_EQ(loaded->second, 12);
}
