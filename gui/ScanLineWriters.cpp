#include "gui/ScanLineWriters.h"

#include "base/Throw.h"
#include "gui/ScreenInfo.h"

#include <cstdlib>
#include <stdexcept>

namespace NSFerrant
{
namespace
{
constexpr TPixelLayout kRGB{3, 0, 1, 2, 0, false};
constexpr TPixelLayout kBGR{3, 2, 1, 0, 0, false};
constexpr TPixelLayout kRGBA{4, 0, 1, 2, 3, true};
constexpr TPixelLayout kARGB{4, 1, 2, 3, 0, true};
constexpr TPixelLayout kBGRA{4, 2, 1, 0, 3, true};
} // namespace

CBitmapScanLineWriter::~CBitmapScanLineWriter() = default;

void CBitmapScanLineWriter::WriteRowRGB(u32 row, u32 count, const u8* pixels)
{
    WriteRow(row, count, pixels, kRGB);
}

void CBitmapScanLineWriter::WriteRowBGR(u32 row, u32 count, const u8* pixels)
{
    WriteRow(row, count, pixels, kBGR);
}

void CBitmapScanLineWriter::WriteRowRGBA(u32 row, u32 count, const u8* pixels)
{
    WriteRow(row, count, pixels, kRGBA);
}

void CBitmapScanLineWriter::WriteRowARGB(u32 row, u32 count, const u8* pixels)
{
    WriteRow(row, count, pixels, kARGB);
}

void CBitmapScanLineWriter::WriteRowBGRA(u32 row, u32 count, const u8* pixels)
{
    WriteRow(row, count, pixels, kBGRA);
}

std::unique_ptr<CVRAMBitmap> CBitmapScanLineWriter::TakeBitmap()
{
    fAccess.reset();
    return std::move(fTarget);
}

void CBitmapScanLineWriter::MakeTarget(u32 width, u32 height)
{
    std::unique_ptr<CVRAMBitmap> target = CreateTarget(width, height);
    fAccess = OpenPixelsForWriting(*target);
    fTarget = std::move(target);
}

void CBitmapScanLineWriter::WriteRow(u32 row, u32 count, const u8* pixels, const TPixelLayout& layout)
{
    if (!fAccess)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    // Rows come from the user's files: they must fit the bitmap.
    if (row >= fAccess->GetInfo().fHeight || count > fAccess->GetInfo().fWidth)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (count == 0)
        return;
    if (!pixels)
        NSQuorral::Throw<std::invalid_argument>();
    StoreRow(fAccess->GetRow(row), count, pixels, layout);
}

std::unique_ptr<CVRAMBitmap> C8NoDitherScanLineWriter::CreateTarget(u32 width, u32 height)
{
    return NewBitmap8(width, height, fScreen.fPalette);
}

void C8NoDitherScanLineWriter::StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout)
{
    const TPalette& palette = fScreen.fPalette;
    for (u32 x = 0; x < count; ++x, pixels += layout.fSize)
    {
        const int red = pixels[layout.fRed];
        const int green = pixels[layout.fGreen];
        const int blue = pixels[layout.fBlue];
        u32 nearest = 0;
        int nearestDistance = INT32_MAX;
        for (u32 i = 0; i < palette.size(); ++i)
        {
            const int distance =
                std::abs(red - palette[i][0]) + std::abs(green - palette[i][1]) + std::abs(blue - palette[i][2]);
            if (distance < nearestDistance)
            {
                nearest = i;
                nearestDistance = distance;
            }
        }
        row[x] = u8(nearest);
    }
}

std::unique_ptr<CVRAMBitmap> C16ErrorDiffusionScanLineWriter::CreateTarget(u32 width, u32 height)
{
    fErrorRow.assign(size_t(width) * 3, 0);
    fCarries[0] = fCarries[1] = fCarries[2] = 0;
    return NewBitmap16(width, height);
}

void C16ErrorDiffusionScanLineWriter::StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout)
{
    for (u32 x = 0; x < count; ++x, pixels += layout.fSize)
    {
        const u8 source[3] = {pixels[layout.fBlue], pixels[layout.fGreen], pixels[layout.fRed]};
        u32 channels[3];
        for (u32 channel = 0; channel < 3; ++channel)
        {
            u8& error = fErrorRow[3 * size_t(x) + channel];
            const u32 value = u32(source[channel]) + fCarries[channel] + error;
            const u32 clamped = value < 255 ? value : 255;
            // Half of the three low bits that the 5-bit value drops.
            const u8 spread = u8((clamped >> 1) & 3);
            fCarries[channel] = spread;
            error = spread;
            channels[channel] = clamped >> 3;
        }
        const u16 pixel = u16((channels[2] << 10) | (channels[1] << 5) | channels[0]);
        row[2 * x] = u8(pixel);
        row[2 * x + 1] = u8(pixel >> 8);
    }
}

std::unique_ptr<CVRAMBitmap> C32ScanLineWriter::CreateTarget(u32 width, u32 height)
{
    return NewBitmap32(width, height);
}

void C32ScanLineWriter::StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout)
{
    for (u32 x = 0; x < count; ++x, pixels += layout.fSize, row += 4)
    {
        row[0] = pixels[layout.fBlue];
        row[1] = pixels[layout.fGreen];
        row[2] = pixels[layout.fRed];
        row[3] = layout.fHasAlpha ? pixels[layout.fAlpha] : 255;
    }
}

std::unique_ptr<CVRAMBitmap> CRGBAScanLineWriter::CreateTarget(u32 width, u32 height)
{
    return NewBitmapRGBA(width, height);
}

void CRGBAScanLineWriter::StoreRow(u8* row, u32 count, const u8* pixels, const TPixelLayout& layout)
{
    if (!fHasTransparency && layout.fHasAlpha)
    {
        u64 sum = 0;
        for (u32 x = 0; x < count; ++x)
            sum += pixels[size_t(x) * layout.fSize + layout.fAlpha];
        fHasTransparency = sum != u64(count) * 255;
    }
    C32ScanLineWriter::StoreRow(row, count, pixels, layout);
}
} // namespace NSFerrant
