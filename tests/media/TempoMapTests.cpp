#include "media/TempoMap.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSTempoMap;
using namespace NSTestSupport;

namespace
{
enum class EOutcome
{
    kLoads,
    kUnsupportedFormat,
    kFormatViolation,
    kVersionTooNew,
};

// TEMPOMAP data built field by field; count defaults to the number of points.
TBytes TempoMapData(std::vector<TTempoPoint> points, i32 value = 0, u16 version = 1, u16 reserved = 0,
                    i64 count = -1)
{
    TBytes bytes = Text("TEMPOMAP");
    const auto append = [&](u32 field, int width)
    {
        for (int shift = 8 * (width - 1); shift >= 0; shift -= 8)
            bytes.push_back(u8(field >> shift));
    };
    append(version, 2);
    append(reserved, 2);
    append(u32(value), 4);
    append(count < 0 ? u32(points.size()) : u32(count), 4);
    for (const TTempoPoint& point : points)
    {
        append(u32(point.fPosition), 4);
        append(u32(point.fTempo), 4);
    }
    return bytes;
}

EOutcome OutcomeOf(const TBytes& data)
{
    try
    {
        LoadTempoMap(data.data(), data.size(), 44100);
        return EOutcome::kLoads;
    }
    catch (const NSQuorral::XUnsupportedFormat&)
    {
        return EOutcome::kUnsupportedFormat;
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        return EOutcome::kFormatViolation;
    }
    catch (const NSQuorral::XVersionTooNew&)
    {
        return EOutcome::kVersionTooNew;
    }
}

TBytes Cut(TBytes bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

TBytes WithTrailingBytes(TBytes bytes)
{
    bytes.insert(bytes.end(), {1, 2, 3});
    return bytes;
}

struct ParseCase
{
    const char* what;
    TBytes data;
    EOutcome outcome;
};

const TTempoPoint kOne = {0, 120000};

const ParseCase kParseCases[] = {
    {"one point, exactly 28 bytes", TempoMapData({kOne}), EOutcome::kLoads},
    {"27 bytes", Cut(TempoMapData({kOne}), 27), EOutcome::kFormatViolation},
    {"7 bytes", Cut(TempoMapData({kOne}), 7), EOutcome::kUnsupportedFormat},
    {"wrong magic", Concat({Text("TEMPOMAQ"), Cut(TempoMapData({kOne}), 28)}), EOutcome::kUnsupportedFormat},
    {"magic only", Text("TEMPOMAP"), EOutcome::kFormatViolation},
    {"version 0", TempoMapData({kOne}, 0, 0), EOutcome::kLoads},
    {"version 1 with reserved bits", TempoMapData({kOne}, 0, 1, 0xBEEF), EOutcome::kLoads},
    {"version 2", TempoMapData({kOne}, 0, 2), EOutcome::kVersionTooNew},
    {"negative value", TempoMapData({kOne}, -1), EOutcome::kFormatViolation},
    {"no points", Concat({TempoMapData({}, 0, 1, 0, 0), TBytes(8)}), EOutcome::kFormatViolation},
    {"fewer points than announced", TempoMapData({kOne, {10, 130000}}, 0, 1, 0, 3),
     EOutcome::kFormatViolation},
    {"huge count", TempoMapData({kOne}, 0, 1, 0, 0xFFFFFFFF), EOutcome::kFormatViolation},
    {"bytes after the points", WithTrailingBytes(TempoMapData({kOne})), EOutcome::kLoads},
    {"negative position", TempoMapData({{-1, 120000}}), EOutcome::kFormatViolation},
    {"decreasing position", TempoMapData({{10, 120000}, {9, 130000}}), EOutcome::kFormatViolation},
    {"two points at one position", TempoMapData({{10, 120000}, {10, 130000}}), EOutcome::kLoads},
    {"three points at one position", TempoMapData({{10, 120000}, {10, 130000}, {10, 140000}}),
     EOutcome::kFormatViolation},
    {"two equal tempos", TempoMapData({{0, 120000}, {10, 120000}}), EOutcome::kLoads},
    {"three equal tempos", TempoMapData({{0, 120000}, {10, 120000}, {20, 120000}}),
     EOutcome::kFormatViolation},
    {"tempo 1000", TempoMapData({{0, 1000}}), EOutcome::kLoads},
    {"tempo 999999", TempoMapData({{0, 999999}}), EOutcome::kLoads},
    {"tempo 999", TempoMapData({{0, 999}}), EOutcome::kFormatViolation},
    {"tempo 1000000", TempoMapData({{0, 1000000}}), EOutcome::kFormatViolation},
};
} // namespace

TEST(TempoMap, ParseOutcomes)
{
    for (const ParseCase& c : kParseCases)
        EXPECT_EQ(OutcomeOf(c.data), c.outcome) << c.what;
}

TEST(TempoMap, ParseGivesPointsAndValue)
{
    const TBytes data = TempoMapData({{0, 120000}, {100, 125000}}, 77);
    const TTempoMapChunk chunk = ParseTempoMapChunk(data.data(), data.size());
    EXPECT_EQ(chunk.fValue, 77);
    EXPECT_EQ(chunk.fPoints, (std::vector<TTempoPoint>{{0, 120000}, {100, 125000}}));
}

struct ReductionCase
{
    std::vector<TTempoPoint> points;
    std::vector<TTempoPoint> kept;
};

const ReductionCase kReductions[] = {
    // The point at 100 lies on the line from 0 to 200; 200 is not on the line from 0 to 300.
    {{{0, 120000}, {100, 125000}, {200, 130000}, {300, 130000}}, {{0, 120000}, {200, 130000}, {300, 130000}}},
    // A jump at 100: nothing is dropped.
    {{{0, 120000}, {100, 120000}, {100, 140000}, {200, 140000}},
     {{0, 120000}, {100, 120000}, {100, 140000}, {200, 140000}}},
    // A straight ramp keeps only its ends.
    {{{0, 100000}, {10, 110000}, {20, 120000}, {30, 130000}, {40, 140000}}, {{0, 100000}, {40, 140000}}},
    {{{0, 120000}}, {{0, 120000}}},
    {{{0, 120000}, {50, 130000}}, {{0, 120000}, {50, 130000}}},
};

TEST(TempoMap, ReductionDropsPointsOnTheLine)
{
    for (const ReductionCase& c : kReductions)
    {
        const TBytes data = TempoMapData(c.points, 5);
        const auto loaded = LoadTempoMap(data.data(), data.size(), 48000);
        EXPECT_EQ(loaded->first.GetPoints(), c.kept);
        EXPECT_EQ(loaded->first.GetFrameRate(), 48000u);
        EXPECT_EQ(loaded->second, 5);
    }
}

TEST(TempoMap, SaveWritesTheKeptPointsWithTheValue)
{
    const TBytes data = TempoMapData({{0, 120000}, {100, 125000}, {200, 130000}, {300, 130000}}, 42, 0, 9);
    const auto loaded = LoadTempoMap(data.data(), data.size(), 44100);
    EXPECT_EQ(SaveTempoMap(loaded->first, loaded->second),
              TempoMapData({{0, 120000}, {200, 130000}, {300, 130000}}, 42));
}

TEST(TempoMap, SinglePointMapSavesAs28Bytes)
{
    const CTempoMap map({{7, 99000}}, 44100);
    EXPECT_EQ(SaveTempoMap(map, 3), TempoMapData({{7, 99000}}, 3));
    EXPECT_EQ(SaveTempoMap(map, 3).size(), 28u);
}
