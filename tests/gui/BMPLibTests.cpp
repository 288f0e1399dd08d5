// 24-bit Windows bitmaps written from and read into the program's bitmaps.
#include "gui/BMPLib.h"

#include "base/ByteOrder.h"
#include "base/Quorral.h"
#include "gui/ScanLineWriters.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// A 5 × 2 bitmap whose pixel (x, y) is blue x, green y, red 200.
std::unique_ptr<CVRAMBitmap> SmallBitmap()
{
    C32ScanLineWriter writer;
    writer.Begin(5, 2);
    for (u32 y = 0; y < 2; ++y)
    {
        std::vector<u8> row;
        for (u32 x = 0; x < 5; ++x)
            row.insert(row.end(), {u8(x), u8(y), 200});
        writer.WriteRowBGR(y, 5, row.data());
    }
    return writer.TakeBitmap();
}

TBytes Encoded(CVRAMBitmap& bitmap)
{
    COwnedMemoryMedia media(0);
    CBMPLib().Encode(bitmap, media);
    return BytesOf(media);
}

TEST(BMPLib, RowsAreStoredBottomUpAndPaddedToFourBytes)
{
    EXPECT_EQ(CBMPLib::RowBytes(5), 16u);
    EXPECT_EQ(CBMPLib::RowBytes(4), 12u);
    const std::unique_ptr<CVRAMBitmap> bitmap = SmallBitmap();
    const TBytes file = Encoded(*bitmap);
    ASSERT_EQ(file.size(), 54u + 2 * 16);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(NSByteOrder::ReadLE32(file.data() + 2), 54u + 32);
    EXPECT_EQ(NSByteOrder::ReadLE32(file.data() + 10), 54u);
    EXPECT_EQ(NSByteOrder::ReadLE16(file.data() + 28), 24u);
    // The first stored row is the bottom row (y = 1), its padding zero.
    const TBytes firstRow(file.begin() + 54, file.begin() + 70);
    EXPECT_EQ(firstRow, (TBytes{0, 1, 200, 1, 1, 200, 2, 1, 200, 3, 1, 200, 4, 1, 200, 0}));

    COwnedMemoryMedia media = MediaOf(file);
    C32ScanLineWriter writer;
    CBMPLib().Decode(media, writer);
    const std::unique_ptr<CVRAMBitmap> decoded = writer.TakeBitmap();
    const std::unique_ptr<CPixelAccess> before = OpenPixelsForReading(*bitmap);
    const std::unique_ptr<CPixelAccess> after = OpenPixelsForReading(*decoded);
    for (u32 y = 0; y < 2; ++y)
        EXPECT_EQ(TBytes(before->GetRow(y), before->GetRow(y) + 20), TBytes(after->GetRow(y), after->GetRow(y) + 20));
}

TEST(BMPLib, HeadersThatTheDataCannotHoldAreRefusedBeforeAnyRow)
{
    const std::unique_ptr<CVRAMBitmap> bitmap = SmallBitmap();
    const TBytes good = Encoded(*bitmap);
    const auto patched = [&](size_t offset, u32 value) {
        TBytes bytes = good;
        NSByteOrder::WriteLE32(bytes.data() + offset, value);
        return bytes;
    };
    TBytes cut = good;
    cut.pop_back();
    TBytes notBMP = good;
    notBMP[0] = 'X';
    struct
    {
        const char* fName;
        TBytes fBytes;
        bool fUnsupported;
    } cases[] = {
        {"one byte short", cut, false},
        {"data offset past the end", patched(10, 1000), false},
        {"height of a million rows", patched(22, 1000000), false},
        {"width of two billion", patched(18, 0x7FFFFFFF), false},
        {"no signature", notBMP, false},
        {"negative height", patched(22, 0xFFFFFFFE), true},
        {"compressed", patched(30, 1), true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fName);
        COwnedMemoryMedia media = MediaOf(c.fBytes);
        C32ScanLineWriter writer;
        if (c.fUnsupported)
            EXPECT_THROW(CBMPLib().Decode(media, writer), NSQuorral::XUnsupportedFormat);
        else
            EXPECT_THROW(CBMPLib().Decode(media, writer), NSQuorral::XFormatViolation);
        EXPECT_EQ(writer.TakeBitmap(), nullptr) << "no target was made";
    }
}

TEST(BMPLib, SixteenBitPixelsWidenAndEightBitBitmapsCannotBeWritten)
{
    C16ErrorDiffusionScanLineWriter writer;
    writer.Begin(1, 1);
    const u8 rgb[3] = {255, 8, 0};
    writer.WriteRowRGB(0, 1, rgb);
    const TBytes file = Encoded(*writer.TakeBitmap());
    EXPECT_EQ(TBytes(file.begin() + 54, file.begin() + 58), (TBytes{0, 8, 248, 0}));

    const TPalette palette(256, {0, 0, 0});
    COwnedMemoryMedia media(0);
    EXPECT_THROW(CBMPLib().Encode(*NewBitmap8(2, 2, palette), media), std::exception);
    EXPECT_EQ(media.GetSize(), 54) << "the header only";
}
} // namespace
