#include "media/TempoMap.h"

#include "base/ByteOrder.h"
#include "base/Quorral.h"

#include <cstring>

namespace NSTempoMap
{
namespace
{
constexpr char kMagic[8] = {'T', 'E', 'M', 'P', 'O', 'M', 'A', 'P'};
constexpr u64 kHeaderSize = 20;
constexpr u64 kPointSize = 8;
constexpr u16 kCurrentVersion = 1;
constexpr i32 kSlowestTempo = 1000;
constexpr i32 kFastestTempo = 999999;

i32 ReadI32(const u8* bytes)
{
    return i32(NSByteOrder::ReadBE32(bytes));
}

void CheckPoint(const std::vector<TTempoPoint>& points, const TTempoPoint& point)
{
    const size_t count = points.size();
    if (point.fPosition < 0)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (count >= 1 && point.fPosition < points[count - 1].fPosition)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    // Two points at one position mark a jump; a third adds nothing and is refused.
    if (count >= 2 && point.fPosition == points[count - 2].fPosition)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (point.fTempo < kSlowestTempo || point.fTempo > kFastestTempo)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (count >= 2 && point.fTempo == points[count - 1].fTempo && point.fTempo == points[count - 2].fTempo)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

// True when current lies exactly on the line from last to next. The differences wrap as 32-bit
// values before they are widened, as the stored maps were reduced that way.
bool LiesOnLine(const TTempoPoint& last, const TTempoPoint& current, const TTempoPoint& next)
{
    const auto difference = [](i32 a, i32 b) { return double(i32(u32(a) - u32(b))); };
    const double span = difference(next.fPosition, last.fPosition);
    const double left = difference(current.fPosition, last.fPosition) * difference(next.fTempo, last.fTempo) +
                        double(last.fTempo) * span;
    const double right = double(current.fTempo) * span;
    return left == right;
}
} // namespace

TTempoMapChunk ParseTempoMapChunk(const u8* data, u64 size)
{
    if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    if (size < kHeaderSize + kPointSize)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (NSByteOrder::ReadBE16(data + 8) > kCurrentVersion)
        NSQuorral::Throw<NSQuorral::XVersionTooNew>();
    TTempoMapChunk chunk;
    chunk.fValue = ReadI32(data + 12);
    if (chunk.fValue < 0)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    const u64 count = NSByteOrder::ReadBE32(data + 16);
    // The count is checked against the bytes before it sizes anything.
    if (count == 0 || size < kHeaderSize + kPointSize * count)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    chunk.fPoints.reserve(count);
    for (u64 i = 0; i < count; ++i)
    {
        const u8* bytes = data + kHeaderSize + kPointSize * i;
        const TTempoPoint point = {ReadI32(bytes), ReadI32(bytes + 4)};
        CheckPoint(chunk.fPoints, point);
        chunk.fPoints.push_back(point);
    }
    return chunk;
}

CTempoMap::CTempoMap(const std::vector<TTempoPoint>& points, u32 frameRate) : fFrameRate(frameRate)
{
    if (points.empty())
        return;
    fPoints.push_back(points.front());
    size_t current = 1;
    while (current < points.size())
    {
        // Drop points on the line from the last kept one while a next point exists to draw it to.
        while (current + 1 < points.size())
        {
            const TTempoPoint& last = fPoints.back();
            const TTempoPoint& next = points[current + 1];
            if (points[current].fPosition == last.fPosition || points[current].fPosition == next.fPosition ||
                !LiesOnLine(last, points[current], next))
                break;
            ++current;
        }
        fPoints.push_back(points[current]);
        ++current;
    }
}

std::shared_ptr<TLoadedTempoMap> LoadTempoMap(const u8* data, u64 size, u32 frameRate)
{
    const TTempoMapChunk chunk = ParseTempoMapChunk(data, size);
    return std::make_shared<TLoadedTempoMap>(CTempoMap(chunk.fPoints, frameRate), chunk.fValue);
}

std::vector<u8> SaveTempoMap(const CTempoMap& map, i32 value)
{
    const std::vector<TTempoPoint>& points = map.GetPoints();
    std::vector<u8> bytes(kHeaderSize + kPointSize * points.size());
    std::memcpy(bytes.data(), kMagic, sizeof kMagic);
    NSByteOrder::WriteBE16(bytes.data() + 8, kCurrentVersion);
    NSByteOrder::WriteBE16(bytes.data() + 10, 0);
    NSByteOrder::WriteBE32(bytes.data() + 12, u32(value));
    NSByteOrder::WriteBE32(bytes.data() + 16, u32(points.size()));
    u8* out = bytes.data() + kHeaderSize;
    for (const TTempoPoint& point : points)
    {
        NSByteOrder::WriteBE32(out, u32(point.fPosition));
        NSByteOrder::WriteBE32(out + 4, u32(point.fTempo));
        out += kPointSize;
    }
    return bytes;
}
} // namespace NSTempoMap
