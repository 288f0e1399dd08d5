#pragma once
// The library's float geometry turned into whole pixels.
#include "base/Types.h"

#include <windows.h>

namespace NSTinctLibrary
{
// The nearest pixel edge; std::invalid_argument for a value that is not finite or lies beyond
// ±2^24 pixels.
i32 ToPixel(float value);
// {left, top, right, bottom}; a rectangle with right < left or bottom < top is empty.
RECT ToPixelRect(const float rect[4]);
// A bitmap side from a size value, truncated: 1 to 32767, else std::invalid_argument.
u32 ToBitmapSide(float value);
} // namespace NSTinctLibrary
