// The scan-line writers' conversions and the checks every row passes.
#include "gui/ScanLineWriters.h"

#include "base/Quorral.h"
#include "gui/ScreenInfo.h"

#include <gtest/gtest.h>

#include <vector>

using namespace NSFerrant;

namespace
{
std::vector<u8> RowOf(CVRAMBitmap& bitmap, u32 row)
{
    const std::unique_ptr<CPixelAccess> pixels = OpenPixelsForReading(bitmap);
    const u8* start = pixels->GetRow(row);
    return std::vector<u8>(start, start + pixels->GetInfo().fRowBytes);
}

u16 Pixel16(const std::vector<u8>& row, u32 x)
{
    return u16(row[2 * x] | (row[2 * x + 1] << 8));
}

TEST(ScanLineWriters, ThirtyTwoBitRowsStoreBlueGreenRedAlphaFromEveryLayout)
{
    const u8 rgb[3] = {10, 20, 30};
    const u8 argb[4] = {128, 10, 20, 30};
    const u8 bgra[4] = {30, 20, 10, 64};
    C32ScanLineWriter writer;
    writer.Begin(1, 3);
    writer.WriteRowRGB(0, 1, rgb);
    writer.WriteRowARGB(1, 1, argb);
    writer.WriteRowBGRA(2, 1, bgra);
    const std::unique_ptr<CVRAMBitmap> bitmap = writer.TakeBitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(RowOf(*bitmap, 0), (std::vector<u8>{30, 20, 10, 255}));
    EXPECT_EQ(RowOf(*bitmap, 1), (std::vector<u8>{30, 20, 10, 128}));
    EXPECT_EQ(RowOf(*bitmap, 2), (std::vector<u8>{30, 20, 10, 64}));
    EXPECT_EQ(bitmap->GetInfo().fHasAlpha, 0u);
}

TEST(ScanLineWriters, TheRGBAWriterNotesAnyPixelThatIsNotOpaque)
{
    const std::vector<u8> opaque = {1, 2, 3, 255, 4, 5, 6, 255};
    const std::vector<u8> almost = {1, 2, 3, 255, 4, 5, 6, 254};
    const std::vector<u8> rgb = {1, 2, 3, 4, 5, 6};
    CRGBAScanLineWriter writer;
    writer.Begin(2, 3);
    writer.WriteRowRGB(0, 2, rgb.data());
    writer.WriteRowRGBA(1, 2, opaque.data());
    EXPECT_FALSE(writer.HasTransparency());
    writer.WriteRowRGBA(2, 2, almost.data());
    EXPECT_TRUE(writer.HasTransparency());
    const std::unique_ptr<CVRAMBitmap> bitmap = writer.TakeBitmap();
    EXPECT_EQ(bitmap->GetInfo().fHasAlpha, 1u);
    EXPECT_EQ(RowOf(*bitmap, 2), (std::vector<u8>{3, 2, 1, 255, 6, 5, 4, 254}));
}

TEST(ScanLineWriters, SixteenBitDiffusionCarriesHalfTheDroppedBits)
{
    C16ErrorDiffusionScanLineWriter writer;
    writer.Begin(3, 2);
    const std::vector<u8> white(9, 255);
    writer.WriteRowRGB(0, 3, white.data());
    for (u32 channel = 0; channel < 3; ++channel)
        EXPECT_EQ(writer.GetCarries()[channel], 3);
    // 250 + the carry 3 + the error 3 of the row above is clamped to 255.
    const std::vector<u8> nearlyWhite(9, 250);
    writer.WriteRowRGB(1, 1, nearlyWhite.data());
    const std::unique_ptr<CVRAMBitmap> bitmap = writer.TakeBitmap();
    const std::vector<u8> top = RowOf(*bitmap, 0);
    for (u32 x = 0; x < 3; ++x)
        EXPECT_EQ(Pixel16(top, x), 0x7FFF);
    EXPECT_EQ(Pixel16(RowOf(*bitmap, 1), 0), 0x7FFF);

    // Without carries 250 is 31 in five bits, and 8 + 0 + 0 becomes 1.
    C16ErrorDiffusionScanLineWriter fresh;
    fresh.Begin(1, 1);
    const u8 pixel[3] = {8, 250, 0}; // red, green, blue
    fresh.WriteRowRGB(0, 1, pixel);
    EXPECT_EQ(Pixel16(RowOf(*fresh.TakeBitmap(), 0), 0), (1 << 10) | (31 << 5));
}

TEST(ScanLineWriters, EightBitPixelsTakeTheNearestPaletteEntryAndTheLowerIndexOnATie)
{
    TPalette palette(256, {255, 255, 255});
    palette[3] = {10, 0, 0};
    palette[7] = {30, 0, 0};
    palette[9] = {0, 0, 200};
    const CScreenInfo screen(8, palette);
    C8NoDitherScanLineWriter writer(screen);
    writer.Begin(4, 1);
    const u8 bgr[12] = {0, 0, 20, 0, 0, 29, 190, 0, 0, 250, 250, 250};
    writer.WriteRowBGR(0, 4, bgr);
    const std::unique_ptr<CVRAMBitmap> bitmap = writer.TakeBitmap();
    EXPECT_EQ(bitmap->GetInfo().fBitsPerPixel, 8u);
    const std::vector<u8> row = RowOf(*bitmap, 0);
    EXPECT_EQ(std::vector<u8>(row.begin(), row.begin() + 4), (std::vector<u8>{3, 7, 9, 0}));
}

TEST(ScanLineWriters, RowsOutsideTheTargetAreRefused)
{
    const std::vector<u8> row(4 * 5, 0);
    C32ScanLineWriter writer;
    EXPECT_THROW(writer.WriteRowRGB(0, 1, row.data()), NSQuorral::XIllegalCallSequence) << "before Begin";
    writer.Begin(4, 2);
    EXPECT_THROW(writer.Begin(4, 2), NSQuorral::XIllegalCallSequence);
    EXPECT_THROW(writer.WriteRowRGBA(2, 4, row.data()), NSQuorral::XFormatViolation);
    EXPECT_THROW(writer.WriteRowRGBA(0xFFFFFFFF, 1, row.data()), NSQuorral::XFormatViolation);
    EXPECT_THROW(writer.WriteRowRGBA(1, 5, row.data()), NSQuorral::XFormatViolation);
    EXPECT_NO_THROW(writer.WriteRowRGBA(1, 4, row.data()));
    EXPECT_NO_THROW(writer.WriteRowRGBA(0, 2, row.data())) << "a short row";
}
} // namespace
