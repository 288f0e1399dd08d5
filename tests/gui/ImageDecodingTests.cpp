// Images decoded through the program's adapters of the PNG and JPEG libraries, and the program's
// PNG resources turned into bitmaps for each screen depth.
#include "gui/DecodeImageResource.h"

#include "base/CodeModule.h"
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "dlls/imagecodec/ImageCodec.h"
#include "gui/ImageIDs.h"
#include "gui/ScanLineWriters.h"
#include "gui/ScreenInfo.h"
#include "base/Media.h"
#include "media/codec/ImageCodecCallbacks.h"
#include "media/codec/ImageCodecLibraries.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/ImageFixtures.h"

#include <gtest/gtest.h>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
std::vector<u8> PixelsOf(CVRAMBitmap& bitmap)
{
    const std::unique_ptr<CPixelAccess> access = OpenPixelsForReading(bitmap);
    const NSTinct::TBitmapInfo& info = access->GetInfo();
    std::vector<u8> pixels;
    for (u32 row = 0; row < info.fHeight; ++row)
        pixels.insert(pixels.end(), access->GetRow(row), access->GetRow(row) + info.fWidth * 4);
    return pixels;
}

// ImageMagick's RGBA pixels as the bitmap stores them: blue, green, red, alpha.
std::vector<u8> AsBGRA(std::vector<u8> rgba)
{
    for (size_t i = 0; i < rgba.size(); i += 4)
        std::swap(rgba[i], rgba[i + 2]);
    return rgba;
}

TEST(ImageCodecAdapters, ImagesAreReadFromTheMediaPositionToItsEnd)
{
    // Eight bytes of something else before the PNG: the adapter reads from the position.
    std::vector<u8> bytes(8, 0xEE);
    const std::vector<u8> png = ReadImageFixture("rgba.png");
    bytes.insert(bytes.end(), png.begin(), png.end());
    COwnedMemoryMedia media(i64(bytes.size()), bytes.data());
    media.fPosition = 8;
    CRGBAScanLineWriter writer;
    GetOriel().Decode(media, writer);
    EXPECT_TRUE(writer.HasTransparency());
    EXPECT_EQ(PixelsOf(*writer.TakeBitmap()), AsBGRA(ReadImageFixturePixels("rgba.png")));

    const std::vector<u8> jpeg = ReadImageFixture("full-444.jpg");
    bytes.assign(5, 0);
    bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
    COwnedMemoryMedia jpegMedia(i64(bytes.size()), bytes.data());
    jpegMedia.fPosition = 5;
    C32ScanLineWriter jpegWriter;
    GetGlisk().Decode(jpegMedia, jpegWriter);
    const std::unique_ptr<CVRAMBitmap> photo = jpegWriter.TakeBitmap();
    EXPECT_EQ(photo->GetInfo().fWidth, kImageFixtureWidth);
    EXPECT_EQ(photo->GetInfo().fHeight, kImageFixtureHeight);
}

TEST(ImageCodecAdapters, FailuresOfTheLibrariesAreThrown)
{
    const std::vector<u8> junk(64, 0x11);
    COwnedMemoryMedia media(i64(junk.size()), junk.data());
    C32ScanLineWriter writer;
    EXPECT_THROW(GetOriel().Decode(media, writer), NSQuorral::XFormatViolation);
    media.fPosition = 0;
    EXPECT_THROW(GetGlisk().Decode(media, writer), NSQuorral::XFormatViolation);
    EXPECT_EQ(writer.TakeBitmap(), nullptr);
}

TEST(ImageCodecAdapters, APixelFormatOtherThanRGBOrRGBAFailsEveryRow)
{
    C32ScanLineWriter writer;
    CPNGScanLineWriterPixelWriter pixelWriter(writer);
    ASSERT_EQ(pixelWriter.BeginImage(2, 2, 656), kOrielOK);
    const u8 row[8] = {};
    EXPECT_NE(pixelWriter.WriteScanLine(0, row), kOrielOK);
    EXPECT_NE(pixelWriter.WriteScanLine(1, row), kOrielOK);
    // A row past the image is refused as a format violation, not written.
    CJPEGScanLineWriterPixelWriter jpegWriter(writer);
    EXPECT_EQ(jpegWriter.WriteScanLine(2, row), GliskStatus(kImageFormatViolation));
}

// The length fields of a PNG's chunks, which the mutations aim their huge values at.
std::vector<size_t> PNGChunkLengthFields(const TBytes& png)
{
    std::vector<size_t> fields;
    for (size_t at = 8; at + 12 <= png.size(); at += 12 + NSByteOrder::ReadBE32(png.data() + at))
        fields.push_back(at);
    return fields;
}

TEST(ImageCodecAdapters, DamagedImagesAreReadOrRefused)
{
    const struct
    {
        const char* fName;
        CImageLib& fCodec;
    } cases[] = {
        {"rgba.png", GetOriel()}, {"interlaced.png", GetOriel()}, {"palette-trns.png", GetOriel()},
        {"baseline.jpg", GetGlisk()}, {"progressive.jpg", GetGlisk()},
    };
    u32 seed = 21;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fName);
        const TBytes file = ReadImageFixture(c.fName);
        const bool isPNG = &c.fCodec == &GetOriel();
        CByteMutator mutator(seed++, EFieldOrder::kBigEndian, isPNG ? PNGChunkLengthFields(file) : std::vector<size_t>{});
        int read = 0;
        for (int round = 0; round < 100; ++round)
        {
            SCOPED_TRACE(round);
            COwnedMemoryMedia media = MediaOf(mutator.Mutate(file));
            CRGBAScanLineWriter writer;
            read += ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XUnsupportedFormat>(
                [&] { c.fCodec.Decode(media, writer); });
        }
        EXPECT_LT(read, 100);
    }
}

// The program's code module over this executable, for its PNG resources.
class ImageResourceTest : public ::testing::Test
{
protected:
    CApplicationTarget fModule{TCodeModuleInfo(nullptr, NSTextPackage::ASCIIToUTF16("VantlePacker.exe", 0),
                                               NSTextPackage::ASCIIToUTF16("Vantle Packer", 0),
                                               GetModuleHandleW(nullptr))};
};

TEST_F(ImageResourceTest, AnOpaqueImageTakesTheScreenDepth)
{
    const TResourceID about = MakePNGImageID(1000).fResource;
    TPalette palette(256, {0, 0, 0});
    palette[1] = {255, 255, 255};
    const struct
    {
        u32 fDepth;
        u32 fBitsPerPixel; // 0: no bitmap
    } cases[] = {{8, 8}, {16, 16}, {24, 32}, {32, 32}, {4, 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fDepth);
        const CScreenInfo screen(c.fDepth, c.fDepth == 8 ? palette : TPalette{});
        const std::unique_ptr<CVRAMBitmap> bitmap = DecodeImageResource(screen, about);
        if (c.fBitsPerPixel == 0)
        {
            EXPECT_EQ(bitmap, nullptr);
            continue;
        }
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->GetInfo().fBitsPerPixel, c.fBitsPerPixel);
        EXPECT_EQ(bitmap->GetInfo().fHasAlpha, 0u);
        EXPECT_EQ(bitmap->GetInfo().fWidth, 483u);
        EXPECT_EQ(bitmap->GetInfo().fHeight, 398u);
    }
}

TEST_F(ImageResourceTest, AnImageWithTransparencyStaysRGBAOnEveryScreen)
{
    for (u32 depth : {8u, 16u, 32u})
    {
        SCOPED_TRACE(depth);
        const CScreenInfo screen(depth, TPalette(depth == 8 ? 256 : 0, {0, 0, 0}));
        const std::unique_ptr<CVRAMBitmap> bitmap = DecodeImageResource(screen, MakePNGImageID(1001).fResource);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->GetInfo().fBitsPerPixel, 32u);
        EXPECT_EQ(bitmap->GetInfo().fHasAlpha, 1u);
        EXPECT_EQ(bitmap->GetInfo().fWidth, 16u);
    }
}

TEST(ScreenInfo, TheDesktopHasADepthAndAPaletteOnlyAtEightBits)
{
    const CScreenInfo screen;
    EXPECT_NE(screen.fDC, nullptr);
    EXPECT_TRUE(screen.fDepth == 16 || screen.fDepth == 24 || screen.fDepth == 32) << screen.fDepth;
    EXPECT_TRUE(screen.fPalette.empty());
}
} // namespace
