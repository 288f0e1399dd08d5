#pragma once
// Bitmaps drawn onto canvases.
#include "dlls/tinct/TinctBitmap.h"
#include "dlls/tinct/TinctCanvas.h"

namespace NSTinctLibrary
{
// The part {sourceX, sourceY, width, height} of the bitmap at (x, y), the part first cut to the
// bitmap (the destination moving with a cut left or top edge). RGBA bitmaps are blended.
void DrawBitmapPart(CCanvas& canvas, CBitmap& bitmap, i32 x, i32 y, i32 sourceX, i32 sourceY, i32 width,
                    i32 height);
// The whole bitmap scaled into the rectangle; nothing for an empty one.
void DrawBitmapScaled(CCanvas& canvas, CBitmap& bitmap, const RECT& destination);
} // namespace NSTinctLibrary
