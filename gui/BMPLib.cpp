#include "gui/BMPLib.h"

#include "base/ByteOrder.h"
#include "base/Throw.h"
#include "gui/VRAMBitmap.h"
#include "base/Media.h"

#include <vector>

namespace NSFerrant
{
namespace
{
constexpr u32 kHeaderSize = 54;
constexpr u32 kInfoHeaderSize = 40;
constexpr u32 kPixelsPerMetre = 1000;

struct TBMPHeader
{
    u32 fDataOffset;
    i32 fWidth;
    i32 fHeight;
    u16 fBitsPerPixel;
    u32 fCompression;
};

TBMPHeader ReadHeader(CMedia& source)
{
    u8 bytes[kHeaderSize];
    ReadBytes(source, kHeaderSize, bytes);
    if (bytes[0] != 'B' || bytes[1] != 'M')
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return TBMPHeader{NSByteOrder::ReadLE32(bytes + 10), i32(NSByteOrder::ReadLE32(bytes + 18)),
                      i32(NSByteOrder::ReadLE32(bytes + 22)), NSByteOrder::ReadLE16(bytes + 28),
                      NSByteOrder::ReadLE32(bytes + 30)};
}

void PutLE16(u8*& out, u16 value)
{
    NSByteOrder::WriteLE16(out, value);
    out += 2;
}

void PutLE32(u8*& out, u32 value)
{
    NSByteOrder::WriteLE32(out, value);
    out += 4;
}
} // namespace

u64 CBMPLib::RowBytes(u32 width)
{
    return ((u64(width) + 1) * 3) & ~u64(3);
}

void CBMPLib::Decode(CMedia& source, CABCScanLineWriter& writer)
{
    const i64 start = source.fPosition;
    const TBMPHeader header = ReadHeader(source);
    // Bottom-up rows only: a negative height would mean top-down rows, which this reader does not take.
    if (header.fBitsPerPixel != 24 || header.fCompression != 0 || header.fWidth <= 0 || header.fHeight <= 0)
        NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
    const u32 width = u32(header.fWidth);
    const u32 height = u32(header.fHeight);
    const u64 rowBytes = RowBytes(width);
    const i64 available = source.GetSize() - start;
    if (header.fDataOffset < kHeaderSize || header.fDataOffset > u64(available) ||
        rowBytes * height > u64(available) - header.fDataOffset)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();

    writer.Begin(width, height);
    std::vector<u8> row(rowBytes);
    source.fPosition = start + header.fDataOffset;
    for (u32 stored = 0; stored < height; ++stored)
    {
        ReadBytes(source, i64(rowBytes), row.data());
        writer.WriteRowBGR(height - 1 - stored, width, row.data());
    }
}

void CBMPLib::Encode(CVRAMBitmap& bitmap, CMedia& destination)
{
    const std::unique_ptr<CPixelAccess> pixels = OpenPixelsForReading(bitmap);
    const NSTinct::TBitmapInfo& info = pixels->GetInfo();
    const u64 rowBytes = RowBytes(info.fWidth);
    u8 header[kHeaderSize] = {'B', 'M'};
    u8* out = header + 2;
    PutLE32(out, u32(kHeaderSize + rowBytes * info.fHeight));
    PutLE32(out, 0);
    PutLE32(out, kHeaderSize);
    PutLE32(out, kInfoHeaderSize);
    PutLE32(out, info.fWidth);
    PutLE32(out, info.fHeight);
    PutLE16(out, 1);
    PutLE16(out, 24);
    PutLE32(out, 0);
    PutLE32(out, 0);
    PutLE32(out, kPixelsPerMetre);
    PutLE32(out, kPixelsPerMetre);
    PutLE32(out, 0);
    PutLE32(out, 0);
    WriteBytes(destination, kHeaderSize, header);
    if (info.fBitsPerPixel == 8)
        NSQuorral::Throw<std::exception>();

    std::vector<u8> row(rowBytes, 0);
    for (u32 stored = 0; stored < info.fHeight; ++stored)
    {
        const u8* in = pixels->GetRow(info.fHeight - 1 - stored);
        for (u32 x = 0; x < info.fWidth; ++x)
        {
            u8* bgr = row.data() + 3 * size_t(x);
            if (info.fBitsPerPixel == 16)
            {
                const u16 pixel = NSByteOrder::ReadLE16(in + 2 * size_t(x));
                bgr[0] = u8((pixel & 0x1F) << 3);
                bgr[1] = u8(((pixel >> 5) & 0x1F) << 3);
                bgr[2] = u8(((pixel >> 10) & 0x1F) << 3);
            }
            else
            {
                bgr[0] = in[4 * size_t(x)];
                bgr[1] = in[4 * size_t(x) + 1];
                bgr[2] = in[4 * size_t(x) + 2];
            }
        }
        WriteBytes(destination, i64(rowBytes), row.data());
    }
}
} // namespace NSFerrant
