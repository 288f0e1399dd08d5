// The bitmap, bordered text, direct bitmap and solid-colour views drawn onto a memory surface
// through the canvas stack, over stand-in native views, and read back pixel by pixel.
#include "gui/BitmapView.h"
#include "gui/BorderStaticTextView.h"
#include "gui/DirectBitmapView.h"
#include "gui/SimpleColorView.h"
#include "gui/VRAMBitmap.h"
#include "tests/gui/NativeCanvasDoubles.h"
#include "tests/gui/ViewDoubles.h"
#include "tests/support/MemorySurface.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace NSFerrant;
using NSTrellisGlue::TViewFrame;

namespace
{
const TRGB kWhite{255, 255, 255};
const TRGB kRed{255, 0, 0};
const TRGB kBlack{0, 0, 0};

// A bitmap of one colour.
std::shared_ptr<CVRAMBitmap> SolidBitmap(u32 width, u32 height, const TRGB& colour)
{
    std::shared_ptr<CVRAMBitmap> bitmap = NewBitmap32(width, height);
    const auto pixels = OpenPixelsForWriting(*bitmap);
    for (u32 y = 0; y < height; ++y)
        for (u32 x = 0; x < width; ++x)
        {
            u8* bgra = pixels->GetRow(y) + 4 * x;
            bgra[0] = colour[2];
            bgra[1] = colour[1];
            bgra[2] = colour[0];
            bgra[3] = 255;
        }
    return bitmap;
}

// Records what part of it a view asks for.
class CRecordingImage final : public CABCImage
{
public:
    void GetSize(u32 size[2]) const override { size[0] = size[1] = 4; }
    void Draw(TDrawContext&, float, float, u32 sourceX, u32 sourceY, u32 width, u32 height) override
    {
        fAsked = {sourceX, sourceY, width, height};
    }
    void DrawInRect(TDrawContext&, const float*) override {}

    std::array<u32, 4> fAsked{};
};

// A 40 × 40 white surface on the canvas stack and a root view over a stand-in native view.
class SmallViewTest : public LibraryDoubleTest<CViewLibrary>, protected CMemorySurface
{
protected:
    SmallViewTest()
        : CMemorySurface(40), fRootNative(fTrellis.fLog, nullptr), fRoot(NSTrellisGlue::WrapContentView(&fRootNative))
    {
        fCanvas.fDC = GetDeviceContext();
        NSTrellisUtils::PushCurrentCanvas(&fCanvas);
    }
    ~SmallViewTest() override { NSTrellisUtils::PopCurrentCanvas(); }

    int Invalidations() const
    {
        return int(std::count_if(fTrellis.fLog.begin(), fTrellis.fLog.end(),
                                 [](const std::string& entry) { return entry.rfind("invalidate", 0) == 0; }));
    }

    CNativeCanvas fCanvas{nullptr};
    CFakeView fRootNative;
    std::shared_ptr<NSTrellisGlue::CABCView> fRoot;
};

TEST_F(SmallViewTest, ABitmapWiderThanTheViewIsDrawnCentredStartingLeftOfTheFrame)
{
    const auto view = MakeBitmapViewPtr(new CBitmapView(*fRoot, {10, 10, 20, 20}, "bitmap"));
    view->SetImage(SolidBitmap(16, 4, kRed));
    view->Draw(nullptr);
    // Left 10 + (10 - 16) / 2 = 7, top 10 + (10 - 4) / 2 = 13.
    EXPECT_EQ(CountOf(kRed), 16 * 4);
    EXPECT_EQ(Pixel(7, 13), kRed);
    EXPECT_EQ(Pixel(22, 16), kRed);
    EXPECT_EQ(Pixel(6, 13), kWhite);
    EXPECT_EQ(Pixel(23, 16), kWhite);
    EXPECT_EQ(Pixel(7, 12), kWhite);
}

TEST_F(SmallViewTest, AFramedBitmapViewWithoutImageIsBorderedAndFilledInside)
{
    const auto view = MakeBitmapViewPtr(new CBitmapView(*fRoot, {0, 0, 10, 10}, "bitmap"));
    view->SetFramed(true);
    view->Draw(nullptr);
    EXPECT_EQ(CountOf(kBlack), 0) << "not filled";
    EXPECT_EQ(Pixel(0, 0), (TRGB{0x77, 0x77, 0x77}));

    view->SetFilled(true);
    view->Draw(nullptr);
    EXPECT_EQ(CountOf(kBlack), 8 * 8) << "inside the border only";
    EXPECT_EQ(Pixel(1, 1), kBlack);
    EXPECT_EQ(Pixel(0, 5), (TRGB{0x77, 0x77, 0x77}));

    // A framed image is clipped to the inside of the border.
    view->SetImage(SolidBitmap(20, 20, kRed));
    view->Draw(nullptr);
    EXPECT_EQ(CountOf(kRed), 8 * 8);
    EXPECT_EQ(Pixel(0, 0), (TRGB{0x77, 0x77, 0x77}));
}

TEST_F(SmallViewTest, SetBitmapOfTheShownIdentityWithoutAnImageDoesNotInvalidate)
{
    const auto view = MakeBitmapViewPtr(new CBitmapView(*fRoot, {0, 0, 10, 10}, "bitmap"));
    const int before = Invalidations();
    view->SetBitmap(TImageID());
    EXPECT_EQ(Invalidations(), before);

    view->SetImage(SolidBitmap(2, 2, kRed));
    view->SetBitmap(TImageID());
    EXPECT_EQ(Invalidations(), before + 2) << "the image is dropped and the view redrawn";
    view->Draw(nullptr);
    EXPECT_EQ(CountOf(kRed), 0);
}

TEST_F(SmallViewTest, TheLibrarysFourthViewCallbackRedrawsABitmapView)
{
    const auto view = MakeBitmapViewPtr(new CBitmapView(*fRoot, {0, 0, 10, 10}, "bitmap"));
    for (const i32 flag : {0, 1})
    {
        const int before = Invalidations();
        EXPECT_EQ(fTrellis.fViews.back()->fBehavior->Callback3(flag), kTrellisOK);
        EXPECT_EQ(Invalidations(), before + 1) << flag;
    }
}

TEST_F(SmallViewTest, BorderedTextStaysInsideItsAreaAndANarrowViewDrawsNone)
{
    CBorderStaticTextView text(*fRoot, {'W', 'g', 'W', 'g'});
    text.SetFrame({2, 2, 38, 30});
    text.Draw(nullptr);
    EXPECT_EQ(Pixel(2, 2), (TRGB{0x77, 0x77, 0x77}));
    const int inked = CountOf(kBlack);
    EXPECT_GT(inked, 0);
    int outside = 0;
    for (int y = 0; y < GetSize(); ++y)
        for (int x = 0; x < GetSize(); ++x)
            outside += (x < 4 || x >= 36 || y < 3 || y >= 29) && Pixel(x, y) == kBlack;
    EXPECT_EQ(outside, 0) << "clipped to the frame less 2 sideways and 1 up and down";

    Clear();
    text.SetBordered(false);
    text.Draw(nullptr);
    EXPECT_GE(CountOf(kBlack), inked) << "the same text with more room";
    EXPECT_EQ(Pixel(2, 2), kWhite);

    Clear();
    CBorderStaticTextView narrow(*fRoot, {'W', 'g'});
    narrow.SetFrame({2, 2, 6, 30});
    narrow.Draw(nullptr);
    EXPECT_EQ(CountOf(kBlack), 0) << "a width of 4 leaves no text area";
}

TEST_F(SmallViewTest, ADirectBitmapViewLargerThanItsBitmapAsksOnlyForTheBitmap)
{
    const auto recording = std::make_shared<CRecordingImage>();
    CDirectBitmapView recorded(*fRoot, {0, 0, 10, 3}, "direct", recording);
    recorded.Draw(nullptr);
    EXPECT_EQ(recording->fAsked, (std::array<u32, 4>{0, 0, 4, 3}));

    CDirectBitmapView direct(*fRoot, {5, 5, 15, 15}, "direct", SolidBitmap(4, 4, kRed));
    direct.Draw(nullptr);
    EXPECT_EQ(CountOf(kRed), 16);
    EXPECT_EQ(Pixel(5, 5), kRed);
    EXPECT_EQ(Pixel(9, 5), kWhite);
}

TEST_F(SmallViewTest, ADirectBitmapViewRedrawsOnlyForAnotherBitmap)
{
    CDirectBitmapView view(*fRoot, {0, 0, 10, 10}, "direct", nullptr);
    const int before = Invalidations();
    view.SetBitmap(nullptr);
    EXPECT_EQ(Invalidations(), before);
    const TImagePtr red = SolidBitmap(2, 2, kRed);
    view.SetBitmap(red);
    view.SetBitmap(red);
    EXPECT_EQ(Invalidations(), before + 1);
    EXPECT_EQ(view.GetBitmap(), red);
    view.Draw(nullptr);
    EXPECT_EQ(CountOf(kRed), 4);
}

TEST_F(SmallViewTest, ASolidColourViewFillsOnlyWhatIsVisible)
{
    struct
    {
        TViewFrame fFrame;
        int fPixels;
    } const kCases[] = {
        {{5, 5, 15, 15}, 100},
        {{35, 35, 45, 45}, 25},
        {{50, 50, 60, 60}, 0},
        {{-20, 0, 0, 10}, 0},
    };
    for (const auto& c : kCases)
    {
        Clear();
        CSimpleColorView view(*fRoot, c.fFrame, "colour", {0, 0, 255, 0});
        view.Draw(nullptr);
        EXPECT_EQ(CountOf({0, 0, 255}), c.fPixels) << c.fFrame[0];
    }
}
} // namespace
