#include "media/codec/KORBTrailer.h"

#include "base/Media.h"
#include "media/TempoMap.h"
#include "base/ByteOrder.h"
#include "base/Quorral.h"

namespace
{
constexpr u32 kBlockOpening = NSFerrant::MakeFourCC("KoMB");
constexpr u32 kBlockClosing = NSFerrant::MakeFourCC("KoME");
// "KoMB", tag and L before the data; tag, L and "KoME" after it.
constexpr i64 kBlockFrame = 24;
constexpr i64 kTrailerCopyChunk = 8192;

constexpr i64 kMarkSize = 12;

// Writes a block's opening or closing twelve bytes.
void WriteMark(NSFerrant::CMedia& destination, u32 first, u32 second, u32 third)
{
    u8 mark[kMarkSize];
    NSByteOrder::WriteBE32(mark, first);
    NSByteOrder::WriteBE32(mark + 4, second);
    NSByteOrder::WriteBE32(mark + 8, third);
    NSFerrant::WriteBytes(destination, kMarkSize, mark);
}

// Puts a media's position back on every way out of a scope.
class CPositionKeeper
{
public:
    explicit CPositionKeeper(NSFerrant::CMedia& media) : fMedia(media), fPosition(media.fPosition) {}
    ~CPositionKeeper() { fMedia.fPosition = fPosition; }
    CPositionKeeper(const CPositionKeeper&) = delete;
    CPositionKeeper& operator=(const CPositionKeeper&) = delete;

private:
    NSFerrant::CMedia& fMedia;
    i64 fPosition;
};
} // namespace

void AppendKORBTrailerBlock(NSFerrant::CMedia& destination, u32 tag, NSFerrant::CMedia& data)
{
    const i64 length = NSFerrant::GetBytesLeft(data);
    if (length > i64(0xFFFFFFFF))
        NSQuorral::Throw<NSQuorral::XOutOfSpace>("extra info to large");
    WriteMark(destination, kBlockOpening, tag, u32(length));
    NSFerrant::CopyBytes(destination, length, data, kTrailerCopyChunk);
    WriteMark(destination, tag, u32(length), kBlockClosing);
}

bool FindKORBTempoMapBlock(NSFerrant::CMedia& stream, u32 tag, NSFerrant::CMedia& out)
{
    CPositionKeeper keeper(stream);
    // Each step moves the end back by a whole block of at least 24 bytes, so the walk ends.
    for (i64 end = stream.GetSize(); end >= kBlockFrame;)
    {
        u8 closing[kMarkSize];
        NSFerrant::ReadBytesAt(stream, end - kMarkSize, kMarkSize, closing);
        const u32 closingTag = NSByteOrder::ReadBE32(closing);
        const u32 length = NSByteOrder::ReadBE32(closing + 4);
        if (NSByteOrder::ReadBE32(closing + 8) != kBlockClosing || length + kBlockFrame > end)
            return false;
        const i64 start = end - length - kBlockFrame;
        u8 opening[kMarkSize];
        NSFerrant::ReadBytesAt(stream, start, kMarkSize, opening);
        if (NSByteOrder::ReadBE32(opening) != kBlockOpening ||
            NSByteOrder::ReadBE32(opening + 4) != closingTag || NSByteOrder::ReadBE32(opening + 8) != length)
            return false;
        if (closingTag == tag)
        {
            stream.fPosition = start + kMarkSize;
            NSFerrant::CopyBytes(out, length, stream, kTrailerCopyChunk);
            return true;
        }
        end = start;
    }
    return false;
}

void BuildKORBTempoMapBlock(NSFerrant::CMedia& destination, const NSTempoMap::CTempoMap& map, int value)
{
    const std::vector<u8> bytes = NSTempoMap::SaveTempoMap(map, value);
    NSFerrant::COwnedMemoryMedia data(i64(bytes.size()), bytes.data());
    AppendKORBTrailerBlock(destination, kKORBTempoMapTag, data);
}
