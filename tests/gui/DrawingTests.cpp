// The canvas stack and the drawing operations, read back from a memory device context that a
// stand-in native canvas of the GUI library hands out.
#include "gui/Drawing.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "gui/DefaultFontInfo.h"
#include "gui/ScanLineWriters.h"
#include "tests/gui/NativeCanvasDoubles.h"
#include "tests/support/MemorySurface.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace NSFerrant;

namespace
{
const TColour kRed{255, 0, 0, 255};
const TColour kBlue{0, 0, 255, 255};
const TRGB kWhite{255, 255, 255};

// A 40 × 40 white 32-bit surface, its native canvas pushed on the stack for the test.
class DrawingTest : public ::testing::Test, protected CMemorySurface
{
protected:
    static constexpr int kSize = 40;

    DrawingTest() : CMemorySurface(kSize)
    {
        fDC = GetDeviceContext();
        fNative.fDC = fDC;
        NSTrellisUtils::PushCurrentCanvas(&fNative);
    }
    ~DrawingTest() override
    {
        while (NSTrellisUtils::CountCurrentCanvases() > 0)
            NSTrellisUtils::PopCurrentCanvas();
    }

    HDC fDC = nullptr;
    CNativeCanvas fNative{nullptr};
};

TEST_F(DrawingTest, FramesAreOnePixelInsideAndSmallOnesAreFilled)
{
    TDrawContext context(nullptr);
    FrameRect(context, {2, 2, 4, 7}, kRed); // 2 × 5: filled whole
    EXPECT_EQ(CountOf({255, 0, 0}), 10);
    FrameRect(context, {10, 10, 13, 13}, kBlue); // 3 × 3: the four edges, the middle left
    EXPECT_EQ(CountOf({0, 0, 255}), 8);
    EXPECT_EQ(Pixel(11, 11), kWhite);
    EXPECT_EQ(Pixel(10, 11), (TRGB{0, 0, 255}));

    FillRect(context, {20, 20, 20.000001f, 30}, kRed);
    FrameRect(context, {20, 20, 20.000001f, 30}, kRed);
    EXPECT_EQ(CountOf({255, 0, 0}), 10) << "a rectangle of no width draws nothing";

    DrawLine(context, 0, 39, 5, 39, kBlue);
    EXPECT_EQ(Pixel(4, 39), (TRGB{0, 0, 255}));
    DrawBevelFrame(context, {30, 0, 40, 10}, {0, 255, 0, 255}, kRed);
    EXPECT_EQ(Pixel(30, 0), (TRGB{0, 255, 0}));
    EXPECT_EQ(Pixel(39, 9), (TRGB{255, 0, 0}));
}

TEST_F(DrawingTest, ClipScopesNarrowDrawingForTheirLife)
{
    TDrawContext context(nullptr);
    {
        CClipScope clip(context, {5, 5, 10, 10});
        EXPECT_FALSE(clip.IsEmpty());
        FillRect(context, {0, 0, 40, 40}, kRed);
        EXPECT_EQ(CountOf({255, 0, 0}), 25);
        CClipScope nothing(context, {20, 20, 25, 25});
        EXPECT_TRUE(nothing.IsEmpty()) << "inside a clip that misses it";
    }
    {
        // A rectangle of no width clips nothing.
        CClipScope clip(context, {0, 0, 0.000001f, 40});
        EXPECT_FALSE(clip.IsEmpty());
    }
    FillRect(context, {0, 0, 40, 40}, kBlue);
    EXPECT_EQ(CountOf({0, 0, 255}), kSize * kSize);
}

TEST_F(DrawingTest, AnEmptyUpdateRegionLeavesNothingToDraw)
{
    const HRGN emptyRegion = CreateRectRgn(0, 0, 0, 0);
    CNativeRegion region(emptyRegion);
    TDrawContext context(&region);
    const TRect bounds = GetDrawBounds(context);
    EXPECT_EQ(bounds.fRight, -1.0f);
    EXPECT_EQ(bounds.fBottom, -1.0f);
    EXPECT_TRUE(CClipScope(context, {0, 0, 40, 40}).IsEmpty());

    const HRGN box = CreateRectRgn(3, 4, 13, 24);
    CNativeRegion boxRegion(box);
    TDrawContext boxContext(&boxRegion);
    const TRect boxBounds = GetDrawBounds(boxContext);
    EXPECT_EQ(boxBounds.fLeft, 3.0f);
    EXPECT_EQ(boxBounds.fBottom, 24.0f);
    DeleteObject(emptyRegion);
    DeleteObject(box);
}

TEST_F(DrawingTest, OneNativeHandlePushedTwiceSharesOneCanvas)
{
    CNativeCanvas again(fDC);
    NSTrellisUtils::PushCurrentCanvas(&again);
    EXPECT_EQ(NSTrellisUtils::CountCurrentCanvases(), 2u);
    EXPECT_EQ(again.fPrepareCount, 1u);
    {
        TDrawContext first(nullptr);
        NSTrellisUtils::PopCurrentCanvas();
        TDrawContext second(nullptr);
        EXPECT_EQ(first.fCanvas, second.fCanvas);
        FillRect(second, {0, 0, 1, 1}, kRed);
        EXPECT_EQ(Pixel(0, 0), (TRGB{255, 0, 0})) << "the canvas lives until its last entry goes";
    }
    NSTrellisUtils::PopCurrentCanvas();
    EXPECT_EQ(NSTrellisUtils::CountCurrentCanvases(), 0u);
    EXPECT_THROW(TDrawContext(nullptr), NSQuorral::XIllegalCallSequence);

    // A native canvas that fails leaves the stack as it was.
    CNativeCanvas failing(fDC);
    failing.fStatus = kTrellisFormatViolation;
    EXPECT_THROW(NSTrellisUtils::PushCurrentCanvas(&failing), NSQuorral::XFormatViolation);
    EXPECT_EQ(NSTrellisUtils::CountCurrentCanvases(), 0u);
}

TEST_F(DrawingTest, ImagesAreDrawnWholeAtTheirPlace)
{
    C32ScanLineWriter writer;
    writer.Begin(4, 3);
    const std::vector<u8> row(12, 0); // black
    for (u32 y = 0; y < 3; ++y)
        writer.WriteRowRGB(y, 4, row.data());
    const std::unique_ptr<CVRAMBitmap> image = writer.TakeBitmap();
    TDrawContext context(nullptr);
    DrawImageAt(context, 10, 20, image.get());
    EXPECT_EQ(CountOf({0, 0, 0}), 12);
    EXPECT_EQ(Pixel(13, 22), (TRGB{0, 0, 0}));
    DrawImageAt(context, 0, 0, nullptr);
}

TEST(DefaultFontInfo, IsBuiltOnceFromThePixelLibrary)
{
    const TDefaultFontInfo& info = GetDefaultFontInfo();
    EXPECT_EQ(&info, &GetDefaultFontInfo());
    EXPECT_EQ(info.fValid, kDefaultFontInfoValid);
    EXPECT_EQ(info.fIsVistaOrLater, 1u) << "Wine reports Windows 6.1";
    EXPECT_NE(info.fFontInfo.fFaceName[0], 0);
}
} // namespace
