#pragma once
// Tempo maps: how the tempo of a sample changes along its positions. A series of points, each a
// position and the tempo that holds there, with a straight ramp of tempo between neighbouring
// points and a jump where two points share a position.
//
// TEMPOMAP data, all integers big-endian:
//   "TEMPOMAP", u16 version (1 written; 0 and 1 read), u16 reserved (0 written, ignored),
//   i32 value (at least 0, carried through unchanged), u32 point count (at least 1),
//   then per point i32 position (at least 0) and i32 tempo (1000 to 999999).
// Bytes after the last point are ignored.
#include "base/Types.h"

#include <memory>
#include <utility>
#include <vector>

namespace NSTempoMap
{
struct TTempoPoint
{
    i32 fPosition;
    i32 fTempo;

    bool operator==(const TTempoPoint&) const = default;
};

// The contents of TEMPOMAP data.
struct TTempoMapChunk
{
    std::vector<TTempoPoint> fPoints;
    i32 fValue = 0;
};

// Parses TEMPOMAP data and enforces the rules of the point list: positions never decrease, and
// no three points in a row share a position or a tempo. Data that is too short or not
// TEMPOMAP data is XUnsupportedFormat; version 2 or higher XVersionTooNew; every other fault
// XFormatViolation.
TTempoMapChunk ParseTempoMapChunk(const u8* data, u64 size);

// A reduced point list and the frame rate it was built for.
class CTempoMap
{
public:
    // Drops every point that lies exactly on the line from the last kept point to the point
    // after it; the first and the last point are always kept.
    CTempoMap(const std::vector<TTempoPoint>& points, u32 frameRate);

    const std::vector<TTempoPoint>& GetPoints() const { return fPoints; }
    u32 GetFrameRate() const { return fFrameRate; }

private:
    std::vector<TTempoPoint> fPoints;
    u32 fFrameRate;
};

// A loaded map paired with the value of the data it came from.
using TLoadedTempoMap = std::pair<CTempoMap, int>;

std::shared_ptr<TLoadedTempoMap> LoadTempoMap(const u8* data, u64 size, u32 frameRate);

// The TEMPOMAP data (version 1) of the map's points with the given value.
std::vector<u8> SaveTempoMap(const CTempoMap& map, i32 value);
} // namespace NSTempoMap
