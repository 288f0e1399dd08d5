// Our Tinct pixel library through its export: bitmaps and their locks, and canvases over a memory
// device context whose pixels the tests read back.
#include "dlls/tinct/Tinct.h"

#include "base/LibraryStatusTables.h"
#include "tests/support/MemorySurface.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include <windows.h>

namespace
{

const u8 kRed[4] = {255, 0, 0, 255};
const u8 kBlue[4] = {0, 0, 255, 255};
const TRGB kWhite{255, 255, 255};

// A 32-bit memory surface of 80 × 80 white pixels with a canvas over it.
class TinctCanvasTest : public ::testing::Test, protected CMemorySurface
{
protected:
    static constexpr int kSize = 80;

    TinctCanvasTest() : CMemorySurface(kSize)
    {
        u32 status = kTinctOK;
        fTinct = Tinct_Create("ITinct", &status);
        const u64 handle = u64(uintptr_t(GetDeviceContext()));
        fCanvas = fTinct->CreateCanvas(&handle, &status);
        EXPECT_EQ(status, kTinctOK);
    }
    ~TinctCanvasTest() override
    {
        fCanvas->Release(1);
        fTinct->Release(1);
    }

    NSTinct::IBitmap* MakeBitmap(u32 width, u32 height, bool rgba, const u8 bgra[4])
    {
        const float size[2] = {float(width), float(height)};
        u32 status = kTinctRuntimeError;
        NSTinct::IBitmap* bitmap = rgba ? fTinct->CreateBitmapRGBA(size, &status) : fTinct->CreateBitmap32(size, &status);
        EXPECT_EQ(status, kTinctOK);
        NSTinct::IPixelLock* lock = bitmap->LockForWriting(&status);
        u64 address = 0;
        EXPECT_EQ(lock->GetPixels32ForWriting(&address), kTinctOK);
        NSTinct::TBitmapInfo info{};
        bitmap->GetInfo(&info);
        for (u32 y = 0; y < height; ++y)
            for (u32 x = 0; x < width; ++x)
                std::memcpy(reinterpret_cast<u8*>(uintptr_t(address)) + y * info.fRowBytes + x * 4, bgra, 4);
        lock->Release(1);
        return bitmap;
    }

    ITinct* fTinct = nullptr;
    NSTinct::ICanvas* fCanvas = nullptr;
};

TEST_F(TinctCanvasTest, FillsCoverTheirRectangleWithoutItsRightAndBottomEdges)
{
    const float rects[8] = {2, 3, 6, 5, 10, 10, 11, 11};
    ASSERT_EQ(fCanvas->FillRects(rects, 2, kRed), kTinctOK);
    EXPECT_EQ(CountOf({255, 0, 0}), 4 * 2 + 1);
    EXPECT_EQ(Pixel(2, 3), (TRGB{255, 0, 0}));
    EXPECT_EQ(Pixel(5, 4), (TRGB{255, 0, 0}));
    EXPECT_EQ(Pixel(6, 4), kWhite);
    EXPECT_EQ(Pixel(5, 5), kWhite);

    // Half-transparent blue over white, and a fully transparent colour that leaves the pixels.
    const float band[4] = {20, 20, 30, 21};
    const u8 halfBlue[4] = {0, 0, 255, 128};
    const u8 clear[4] = {0, 0, 0, 0};
    ASSERT_EQ(fCanvas->FillRects(band, 1, halfBlue), kTinctOK);
    ASSERT_EQ(fCanvas->FillRects(rects, 2, clear), kTinctOK);
    const TRGB blended = Pixel(25, 20);
    EXPECT_NEAR(blended[0], 127, 2);
    EXPECT_EQ(blended[2], 255);
    EXPECT_EQ(Pixel(2, 3), (TRGB{255, 0, 0}));
}

TEST_F(TinctCanvasTest, LinesRunFromTheirStartUpToTheirEnd)
{
    const float segments[8] = {10, 10, 20, 10, 5, 30, 5, 35};
    ASSERT_EQ(fCanvas->DrawLines(segments, 2, kBlue, 1.0f), kTinctOK);
    EXPECT_EQ(CountOf({0, 0, 255}), 10 + 5);
    EXPECT_EQ(Pixel(10, 10), (TRGB{0, 0, 255}));
    EXPECT_EQ(Pixel(19, 10), (TRGB{0, 0, 255}));
    EXPECT_EQ(Pixel(5, 34), (TRGB{0, 0, 255}));
}

TEST_F(TinctCanvasTest, ClipNarrowsDrawingUntilTheStateIsRestored)
{
    float bounds[4] = {};
    ASSERT_EQ(fCanvas->GetClipBounds(bounds), kTinctOK);
    EXPECT_EQ(bounds[2] - bounds[0], float(kSize));

    ASSERT_EQ(fCanvas->SaveState(), kTinctOK);
    const float clip[4] = {10, 10, 20, 20};
    ASSERT_EQ(fCanvas->ClipToRect(clip), kTinctOK);
    ASSERT_EQ(fCanvas->GetClipBounds(bounds), kTinctOK);
    EXPECT_EQ(bounds[0], 10.0f);
    EXPECT_EQ(bounds[3], 20.0f);
    const float all[4] = {0, 0, 80, 80};
    ASSERT_EQ(fCanvas->FillRects(all, 1, kRed), kTinctOK);
    EXPECT_EQ(CountOf({255, 0, 0}), 100);

    // A clip to an empty rectangle leaves nothing to draw.
    const float empty[4] = {30, 30, 30, 30};
    ASSERT_EQ(fCanvas->ClipToRect(empty), kTinctOK);
    ASSERT_EQ(fCanvas->GetClipBounds(bounds), kTinctOK);
    EXPECT_EQ(bounds[2] - bounds[0], 0.0f);
    ASSERT_EQ(fCanvas->FillRects(all, 1, kBlue), kTinctOK);
    EXPECT_EQ(CountOf({0, 0, 255}), 0);

    ASSERT_EQ(fCanvas->RestoreState(), kTinctOK);
    ASSERT_EQ(fCanvas->FillRects(all, 1, kBlue), kTinctOK);
    EXPECT_EQ(CountOf({0, 0, 255}), kSize * kSize);
    EXPECT_EQ(fCanvas->RestoreState(), kTinctIllegalCallSequence) << "a restore without a save";
}

TEST_F(TinctCanvasTest, BitmapPartsAreCutToTheBitmap)
{
    const u8 green[4] = {0, 200, 0, 255}; // blue, green, red, alpha
    NSTinct::IBitmap* bitmap = MakeBitmap(64, 64, false, green);
    // A 64 × 64 image drawn into a 66 × 66 frame: the two extra rows and columns stay untouched.
    const float at[2] = {5, 5};
    const float origin[2] = {0, 0};
    const float frame[2] = {66, 66};
    ASSERT_EQ(fTinct->DrawBitmap(fCanvas, bitmap, at, origin, frame), kTinctOK);
    EXPECT_EQ(CountOf({0, 200, 0}), 64 * 64);
    EXPECT_EQ(Pixel(68, 68), (TRGB{0, 200, 0}));
    EXPECT_EQ(Pixel(69, 69), kWhite);

    // An origin left of the bitmap moves the destination with the cut edge.
    Clear();
    const float before[2] = {-10, 60};
    const float size[2] = {20, 20};
    ASSERT_EQ(fTinct->DrawBitmap(fCanvas, bitmap, origin, before, size), kTinctOK);
    EXPECT_EQ(CountOf({0, 200, 0}), 10 * 4);
    EXPECT_EQ(Pixel(10, 0), (TRGB{0, 200, 0}));
    EXPECT_EQ(Pixel(9, 0), kWhite);

    // Scaled into a rectangle.
    Clear();
    const float rect[4] = {0, 0, 8, 4};
    ASSERT_EQ(fTinct->DrawBitmapInRect(fCanvas, bitmap, rect), kTinctOK);
    EXPECT_EQ(CountOf({0, 200, 0}), 32);
    bitmap->Release(1);
}

TEST_F(TinctCanvasTest, RGBABitmapsBlendByTheirStraightAlpha)
{
    const u8 halfRed[4] = {0, 0, 255, 128}; // blue, green, red, alpha
    NSTinct::IBitmap* bitmap = MakeBitmap(64, 64, true, halfRed);
    const float at[2] = {0, 0};
    const float frame[2] = {66, 66};
    ASSERT_EQ(fTinct->DrawBitmap(fCanvas, bitmap, at, at, frame), kTinctOK);
    const TRGB blended = Pixel(10, 10);
    EXPECT_EQ(blended[0], 255);
    EXPECT_NEAR(blended[1], 127, 2);
    EXPECT_NEAR(blended[2], 127, 2);
    EXPECT_EQ(Pixel(64, 64), kWhite);
    bitmap->Release(1);
}

TEST_F(TinctCanvasTest, TextRunsSitOnTheirBaselineWithinTheFontsMetrics)
{
    NSTinct::TFontInfo style{};
    ASSERT_EQ(fTinct->GetFontInfo(7550, &style), kTinctOK);
    u32 status = kTinctRuntimeError;
    NSTinct::ITextMeasurer* measurer = fCanvas->GetTextMeasurer(&status);
    ASSERT_EQ(status, kTinctOK);
    float metrics[2] = {};
    ASSERT_EQ(measurer->GetFontMetrics(&style, metrics), kTinctOK);
    EXPECT_GT(metrics[0], 4.0f);
    EXPECT_GE(metrics[1], 0.0f);

    const float at[2] = {5, 40};
    const u8 black[4] = {0, 0, 0, 255};
    const NSTextPackage::TUTF16String empty = MakeText(u"");
    const NSTextPackage::TUTF16String text = MakeText(u"Hb");
    ASSERT_EQ(fCanvas->DrawTextRun(at, empty.c_str(), &style, black), kTinctOK);
    EXPECT_EQ(CountOf(kWhite), kSize * kSize);
    ASSERT_EQ(fCanvas->DrawTextRun(at, text.c_str(), &style, black), kTinctOK);
    int inked = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (Pixel(x, y) != kWhite)
            {
                ++inked;
                EXPECT_GE(y, 40 - int(metrics[0]));
                EXPECT_LT(y, 40 + int(metrics[1]) + 1);
                EXPECT_GE(x, 5);
            }
    EXPECT_GT(inked, 10);

    // A face name without its terminator is refused.
    std::memset(style.fFaceName, 'A', sizeof(style.fFaceName));
    EXPECT_EQ(fCanvas->DrawTextRun(at, text.c_str(), &style, black), kTinctInvalidArgument);
    EXPECT_EQ(measurer->GetFontMetrics(&style, metrics), kTinctInvalidArgument);
}

// What a canvas shows now, pixel by pixel.
std::vector<TRGB> Pixels(const CMemorySurface& surface)
{
    std::vector<TRGB> pixels;
    for (int y = 0; y < surface.GetSize(); ++y)
        for (int x = 0; x < surface.GetSize(); ++x)
            pixels.push_back(surface.Pixel(x, y));
    return pixels;
}

TEST_F(TinctCanvasTest, LineBreaksInARunStartLinesOneLineHeightApart)
{
    NSTinct::TFontInfo style{};
    ASSERT_EQ(fTinct->GetFontInfo(7550, &style), kTinctOK);
    u32 status = kTinctRuntimeError;
    float metrics[2] = {};
    ASSERT_EQ(fCanvas->GetTextMeasurer(&status)->GetFontMetrics(&style, metrics), kTinctOK);
    const float lineHeight = metrics[0] + metrics[1];
    const u8 black[4] = {0, 0, 0, 255};
    const float first[2] = {5, 20};

    // The line ends of Windows, Unix and the old Mac, and an empty line between two breaks: each
    // run must show as its lines drawn one by one on baselines one line height apart.
    const NSTextPackage::TUTF16String hb = MakeText(u"Hb"), xy = MakeText(u"xy"), qz = MakeText(u"Qz");
    const struct
    {
        NSTextPackage::TUTF16String fRun;
        std::vector<NSTextPackage::TUTF16String> fLines;
    } kCases[] = {{MakeText(u"Hb\r\nxy\r\nQz"), {hb, xy, qz}},
                  {MakeText(u"Hb\nxy\nQz"), {hb, xy, qz}},
                  {MakeText(u"Hb\rxy\rQz"), {hb, xy, qz}},
                  {MakeText(u"Hb\r\n\nQz"), {hb, {}, qz}}};
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.fRun.size());
        Clear();
        for (size_t i = 0; i < c.fLines.size(); ++i)
        {
            const float at[2] = {first[0], first[1] + float(i) * lineHeight};
            ASSERT_EQ(fCanvas->DrawTextRun(at, c.fLines[i].c_str(), &style, black), kTinctOK);
        }
        const std::vector<TRGB> expected = Pixels(*this);
        Clear();
        ASSERT_EQ(fCanvas->DrawTextRun(first, c.fRun.c_str(), &style, black), kTinctOK);
        EXPECT_TRUE(Pixels(*this) == expected) << "the run differs from its lines drawn one by one";
    }
}

TEST(Tinct, BitmapsDescribeThemselvesAndGuardTheirLocks)
{
    u32 status = kTinctOK;
    ITinct* tinct = Tinct_Create("ITinct", &status);
    ASSERT_EQ(status, kTinctOK);
    const float size[2] = {5.9f, 3.0f};
    u8 palette[256 * 4] = {};
    struct
    {
        NSTinct::IBitmap* fBitmap;
        NSTinct::TBitmapInfo fExpected;
    } cases[] = {
        {tinct->CreateBitmap8(size, palette, &status), {5, 3, 8, 8, 0}},
        {tinct->CreateBitmap16(size, &status), {5, 3, 12, 16, 0}},
        {tinct->CreateBitmap32(size, &status), {5, 3, 20, 32, 0}},
        {tinct->CreateBitmapRGBA(size, &status), {5, 3, 20, 32, 1}},
    };
    for (auto& c : cases)
    {
        SCOPED_TRACE(c.fExpected.fBitsPerPixel);
        ASSERT_NE(c.fBitmap, nullptr);
        NSTinct::TBitmapInfo info{};
        ASSERT_EQ(c.fBitmap->GetInfo(&info), kTinctOK);
        EXPECT_EQ(0, std::memcmp(&info, &c.fExpected, sizeof(info)));

        NSTinct::IPixelLock* writing = c.fBitmap->LockForWriting(&status);
        ASSERT_EQ(status, kTinctOK);
        EXPECT_EQ(c.fBitmap->LockForReading(&status), nullptr);
        EXPECT_EQ(status, kTinctIllegalCallSequence);
        EXPECT_EQ(c.fBitmap->Release(1), kTinctIllegalCallSequence) << "a locked bitmap stays";
        u64 address = 0;
        const u32 bits = info.fBitsPerPixel;
        EXPECT_EQ(writing->GetPixels8ForWriting(&address), bits == 8 ? kTinctOK : kTinctInvalidArgument);
        EXPECT_EQ(writing->GetPixels16ForWriting(&address), bits == 16 ? kTinctOK : kTinctInvalidArgument);
        EXPECT_EQ(writing->GetPixels32ForWriting(&address), bits == 32 ? kTinctOK : kTinctInvalidArgument);
        EXPECT_NE(address, 0u);
        writing->Release(1);

        NSTinct::IPixelLock* first = c.fBitmap->LockForReading(&status);
        NSTinct::IPixelLock* second = c.fBitmap->LockForReading(&status);
        EXPECT_EQ(status, kTinctOK) << "readers share";
        EXPECT_EQ(c.fBitmap->LockForWriting(&status), nullptr);
        EXPECT_EQ(status, kTinctIllegalCallSequence);
        EXPECT_EQ(second->GetPixels32ForWriting(&address),
                  bits == 32 ? kTinctIllegalCallSequence : kTinctInvalidArgument);
        first->Release(1);
        second->Release(1);
        EXPECT_EQ(c.fBitmap->Release(1), kTinctOK);
    }

    const float zero[2] = {0, 4};
    status = kTinctRuntimeError;
    EXPECT_EQ(tinct->CreateBitmap32(zero, &status), nullptr);
    EXPECT_EQ(status, kTinctInvalidArgument);
    tinct->Release(1);
}

TEST(Tinct, TheMessageFontIsTheOneTextStyle)
{
    u32 status = kTinctOK;
    ITinct* tinct = Tinct_Create("ITinct", &status);
    NSTinct::TFontInfo info{};
    ASSERT_EQ(tinct->GetFontInfo(7550, &info), kTinctOK);
    EXPECT_NE(info.fFaceName[0], 0);
    EXPECT_NE(info.fWeight, 0);
    EXPECT_EQ(tinct->GetFontInfo(7551, &info), kTinctInvalidArgument);
    tinct->Release(1);
    EXPECT_EQ(Tinct_Create("IGlisk", &status), nullptr);
    EXPECT_EQ(status, kTinctInvalidArgument);
}
} // namespace
