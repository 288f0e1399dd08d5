#include "dlls/tinct/BitmapDrawing.h"

#include "dlls/tinct/GDIObjects.h"
#include "dlls/tinct/TinctBoundary.h"

#include <algorithm>

namespace NSTinctLibrary
{
namespace
{
// AlphaBlend takes premultiplied colours; the bitmap holds straight alpha. The copy holds the
// part {x, y, width, height}, which lies inside the bitmap.
TDIBSection MakePremultipliedCopy(const CBitmap& bitmap, i32 x, i32 y, i32 width, i32 height)
{
    const TDIBSection copy = CreateDIBSectionOf(u32(width), u32(height), 32, nullptr);
    GdiFlush();
    const u64 rowBytes = bitmap.Info().fRowBytes;
    auto* out = static_cast<u8*>(copy.fBits);
    for (i32 row = 0; row < height; ++row)
    {
        const u8* in = bitmap.Pixels() + u64(y + row) * rowBytes + u64(x) * 4;
        for (i32 column = 0; column < width; ++column, in += 4, out += 4)
        {
            const u32 alpha = in[3];
            for (int channel = 0; channel < 3; ++channel)
                out[channel] = u8((in[channel] * alpha + 127) / 255);
            out[3] = u8(alpha);
        }
    }
    return copy;
}

void Blend(HDC destination, const RECT& to, HBITMAP source, i32 sourceWidth, i32 sourceHeight)
{
    const CMemoryDC sourceDC(destination);
    const CSelection selection(sourceDC.Get(), source);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (!AlphaBlend(destination, to.left, to.top, to.right - to.left, to.bottom - to.top, sourceDC.Get(), 0, 0,
                    sourceWidth, sourceHeight, blend))
        ThrowInvalidArgument();
}
} // namespace

void DrawBitmapPart(CCanvas& canvas, CBitmap& bitmap, i32 x, i32 y, i32 sourceX, i32 sourceY, i32 width,
                    i32 height)
{
    const i32 bitmapWidth = i32(bitmap.Info().fWidth);
    const i32 bitmapHeight = i32(bitmap.Info().fHeight);
    if (sourceX < 0)
    {
        x -= sourceX;
        width += sourceX;
        sourceX = 0;
    }
    if (sourceY < 0)
    {
        y -= sourceY;
        height += sourceY;
        sourceY = 0;
    }
    width = std::min(width, bitmapWidth - sourceX);
    height = std::min(height, bitmapHeight - sourceY);
    if (width <= 0 || height <= 0)
        return;

    const RECT to{x, y, x + width, y + height};
    if (bitmap.Info().fHasAlpha)
    {
        const TDIBSection copy = MakePremultipliedCopy(bitmap, sourceX, sourceY, width, height);
        const CGDIObject owner(copy.fBitmap);
        Blend(canvas.DC(), to, copy.fBitmap, width, height);
        return;
    }
    const CMemoryDC sourceDC(canvas.DC());
    const CSelection selection(sourceDC.Get(), bitmap.Handle());
    if (!BitBlt(canvas.DC(), x, y, width, height, sourceDC.Get(), sourceX, sourceY, SRCCOPY))
        ThrowInvalidArgument();
}

void DrawBitmapScaled(CCanvas& canvas, CBitmap& bitmap, const RECT& destination)
{
    if (destination.right <= destination.left || destination.bottom <= destination.top)
        return;
    const i32 width = i32(bitmap.Info().fWidth);
    const i32 height = i32(bitmap.Info().fHeight);
    if (bitmap.Info().fHasAlpha)
    {
        const TDIBSection copy = MakePremultipliedCopy(bitmap, 0, 0, width, height);
        const CGDIObject owner(copy.fBitmap);
        Blend(canvas.DC(), destination, copy.fBitmap, width, height);
        return;
    }
    const CMemoryDC sourceDC(canvas.DC());
    const CSelection selection(sourceDC.Get(), bitmap.Handle());
    const int previousMode = SetStretchBltMode(canvas.DC(), COLORONCOLOR);
    const BOOL drawn = StretchBlt(canvas.DC(), destination.left, destination.top, destination.right - destination.left,
                                  destination.bottom - destination.top, sourceDC.Get(), 0, 0, width, height, SRCCOPY);
    SetStretchBltMode(canvas.DC(), previousMode);
    if (!drawn)
        ThrowInvalidArgument();
}
} // namespace NSTinctLibrary
