#include "dlls/tinct/TinctCanvas.h"

#include "dlls/tinct/GDIObjects.h"
#include "dlls/tinct/PixelGeometry.h"
#include "dlls/tinct/TinctBoundary.h"

#include <algorithm>
#include <cmath>

namespace NSTinctLibrary
{
namespace
{
COLORREF ToColorRef(const u8 colour[4])
{
    return RGB(colour[0], colour[1], colour[2]);
}

// A translucent fill: a one-pixel bitmap of the colour stretched over the rectangle at the
// colour's alpha.
void BlendRect(HDC dc, const RECT& rect, const u8 colour[4])
{
    const TDIBSection pixel = CreateDIBSectionOf(1, 1, 32, nullptr);
    const CGDIObject owner(pixel.fBitmap);
    auto* bgra = static_cast<u8*>(pixel.fBits);
    bgra[0] = colour[2];
    bgra[1] = colour[1];
    bgra[2] = colour[0];
    bgra[3] = 255;
    const CMemoryDC source(dc);
    const CSelection selection(source.Get(), pixel.fBitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, colour[3], 0};
    if (!AlphaBlend(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.Get(), 0, 0, 1,
                    1, blend))
        ThrowInvalidArgument();
}
} // namespace

CCanvas::CCanvas(HDC dc) : fDC(dc), fInitialState(dc ? SaveDC(dc) : 0), fMeasurer(dc)
{
    if (fInitialState == 0)
        ThrowInvalidArgument();
}

u32 CCanvas::Release(u32 destroy)
{
    if (destroy == 1)
    {
        RestoreDC(fDC, fInitialState);
        delete this;
    }
    return kTinctOK;
}

u32 CCanvas::SaveState()
{
    return AnswerStatus([&] {
        if (SaveDC(fDC) == 0)
            ThrowOutOfMemory();
        ++fSavedStates;
    });
}

u32 CCanvas::RestoreState()
{
    return AnswerStatus([&] {
        if (fSavedStates == 0)
            ThrowIllegalCallSequence();
        RestoreDC(fDC, -1);
        --fSavedStates;
    });
}

u32 CCanvas::ClipToRect(const float rect[4])
{
    return AnswerStatus([&] {
        const RECT clip = ToPixelRect(rect);
        // An inverted rectangle clips everything away.
        IntersectClipRect(fDC, clip.left, clip.top, std::max(clip.left, clip.right), std::max(clip.top, clip.bottom));
    });
}

u32 CCanvas::GetClipBounds(float bounds[4])
{
    return AnswerStatus([&] {
        if (!bounds)
            ThrowInvalidArgument();
        RECT box{};
        const int kind = GetClipBox(fDC, &box);
        if (kind == ERROR)
            ThrowInvalidArgument();
        if (kind == NULLREGION)
            box = RECT{};
        bounds[0] = float(box.left);
        bounds[1] = float(box.top);
        bounds[2] = float(box.right);
        bounds[3] = float(box.bottom);
    });
}

u32 CCanvas::FillRects(const float* rects, u32 count, const u8 colour[4])
{
    return AnswerStatus([&] {
        if ((!rects && count != 0) || !colour)
            ThrowInvalidArgument();
        if (colour[3] == 0)
            return;
        const CGDIObject brush(CreateSolidBrush(ToColorRef(colour)));
        if (!brush.Get())
            ThrowOutOfMemory();
        for (u32 i = 0; i < count; ++i)
        {
            const RECT rect = ToPixelRect(rects + 4 * u64(i));
            if (rect.right <= rect.left || rect.bottom <= rect.top)
                continue;
            if (colour[3] == 255)
                FillRect(fDC, &rect, HBRUSH(brush.Get()));
            else
                BlendRect(fDC, rect, colour);
        }
    });
}

u32 CCanvas::DrawLines(const float* segments, u32 count, const u8 colour[4], float width)
{
    return AnswerStatus([&] {
        if ((!segments && count != 0) || !colour || !std::isfinite(width))
            ThrowInvalidArgument();
        const CGDIObject pen(CreatePen(PS_SOLID, std::max(1, ToPixel(width)), ToColorRef(colour)));
        if (!pen.Get())
            ThrowOutOfMemory();
        const CSelection selection(fDC, pen.Get());
        for (u32 i = 0; i < count; ++i)
        {
            const float* segment = segments + 4 * u64(i);
            const RECT line = ToPixelRect(segment);
            MoveToEx(fDC, line.left, line.top, nullptr);
            LineTo(fDC, line.right, line.bottom);
        }
    });
}

u32 CCanvas::DrawTextRun(const float position[2], const u16* text, const NSTinct::TFontInfo* style,
                         const u8 colour[4])
{
    return AnswerStatus([&] {
        if (!position || !text || !style || !colour)
            ThrowInvalidArgument();
        NSTinctLibrary::DrawTextRun(fDC, ToPixel(position[0]), ToPixel(position[1]), text, *style, ToColorRef(colour));
    });
}

NSTinct::ITextMeasurer* CCanvas::GetTextMeasurer(u32* status)
{
    return AnswerObject(status, [&]() -> NSTinct::ITextMeasurer* { return &fMeasurer; });
}

CCanvas& AsCanvas(NSTinct::ICanvas* canvas)
{
    if (!canvas)
        ThrowInvalidArgument();
    return static_cast<CCanvas&>(*canvas);
}
} // namespace NSTinctLibrary
