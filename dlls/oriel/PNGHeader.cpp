#include "dlls/oriel/PNGHeader.h"

#include "base/ByteOrder.h"

#include <cstring>

namespace NSOrielLibrary
{
namespace
{
constexpr u8 kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr u64 kChunkFrame = 12; // length, type and CRC around the data
constexpr u32 kHeaderLength = 13;
// Colour types with an alpha channel (grey + alpha 4, RGBA 6) have this bit.
constexpr u8 kColourTypeAlpha = 4;

bool IsType(const u8* chunk, const char* type)
{
    return std::memcmp(chunk + 4, type, 4) == 0;
}
} // namespace

NSImageCodec::TImageHeader ReadPNGHeader(const std::vector<u8>& file)
{
    const u64 size = file.size();
    if (size < sizeof(kSignature) + kChunkFrame + kHeaderLength ||
        std::memcmp(file.data(), kSignature, sizeof(kSignature)) != 0)
        NSImageCodec::ThrowFormatViolation();
    const u8* header = file.data() + sizeof(kSignature);
    if (NSByteOrder::ReadBE32(header) != kHeaderLength || !IsType(header, "IHDR"))
        NSImageCodec::ThrowFormatViolation();
    const u8* fields = header + 8;
    NSImageCodec::TImageHeader image{NSByteOrder::ReadBE32(fields), NSByteOrder::ReadBE32(fields + 4),
                                     NSImageCodec::kPixelFormatRGB};
    if (fields[9] & kColourTypeAlpha)
        image.fPixelFormat = NSImageCodec::kPixelFormatRGBA;

    // The transparency chunk, when there is one, stands before the first data chunk.
    u64 position = sizeof(kSignature) + kChunkFrame + kHeaderLength;
    while (position + kChunkFrame <= size)
    {
        const u8* chunk = file.data() + position;
        if (IsType(chunk, "IDAT"))
            return image;
        if (IsType(chunk, "tRNS"))
            image.fPixelFormat = NSImageCodec::kPixelFormatRGBA;
        const u64 length = NSByteOrder::ReadBE32(chunk);
        if (length > size - position - kChunkFrame)
            break;
        position += kChunkFrame + length;
    }
    NSImageCodec::ThrowFormatViolation();
}
} // namespace NSOrielLibrary
