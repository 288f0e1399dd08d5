#include "dlls/glisk/JPEGHeader.h"

#include "base/ByteOrder.h"

namespace NSGliskLibrary
{
namespace
{
constexpr u8 kMarkerPrefix = 0xFF;
constexpr u8 kStartOfImage = 0xD8;
constexpr u8 kStartOfScan = 0xDA;
constexpr u8 kEndOfImage = 0xD9;
// The entropy-coded data spends at least one bit on each 8 x 8 block of the component that covers
// the whole image, so a file of n bytes holds at most 512 n pixels.
constexpr u64 kMostPixelsPerByte = 8 * 64;

// Start-of-frame markers: C0 to CF except the Huffman table (C4), the arithmetic conditioning
// (CC) and JPG extension (C8) markers.
bool IsStartOfFrame(u8 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Markers without a length: TEM and the restart markers.
bool IsStandalone(u8 marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}
} // namespace

NSImageCodec::TImageHeader ReadJPEGHeader(const std::vector<u8>& file)
{
    const u64 size = file.size();
    if (size < 4 || file[0] != kMarkerPrefix || file[1] != kStartOfImage)
        NSImageCodec::ThrowFormatViolation();
    u64 position = 2;
    for (;;)
    {
        if (position >= size || file[position] != kMarkerPrefix)
            NSImageCodec::ThrowFormatViolation();
        // Any number of fill bytes may precede a marker.
        while (position < size && file[position] == kMarkerPrefix)
            ++position;
        if (position >= size)
            NSImageCodec::ThrowFormatViolation();
        const u8 marker = file[position++];
        if (IsStandalone(marker))
            continue;
        if (marker == kStartOfScan || marker == kEndOfImage || marker == kStartOfImage || size - position < 2)
            NSImageCodec::ThrowFormatViolation();
        const u64 length = NSByteOrder::ReadBE16(file.data() + position);
        if (length < 2 || length > size - position)
            NSImageCodec::ThrowFormatViolation();
        if (IsStartOfFrame(marker))
        {
            // precision (1), height (2), width (2), component count (1)
            if (length < 8)
                NSImageCodec::ThrowFormatViolation();
            const u8* frame = file.data() + position + 2;
            const u32 height = NSByteOrder::ReadBE16(frame + 1);
            const u32 width = NSByteOrder::ReadBE16(frame + 3);
            if (height == 0)
                NSImageCodec::ThrowUnsupportedFormat();
            NSImageCodec::CheckImageSize(width, height);
            // The decoder fills whatever the data leaves out, so a short file claiming a vast
            // image would cost time and memory by its claim, not by its data.
            if (u64(width) * height > kMostPixelsPerByte * size)
                NSImageCodec::ThrowFormatViolation();
            return {width, height, NSImageCodec::kPixelFormatRGB};
        }
        position += length;
    }
}
} // namespace NSGliskLibrary
