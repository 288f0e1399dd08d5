#include "dlls/tinct/PixelGeometry.h"

#include "dlls/tinct/TinctBoundary.h"

#include <cmath>

namespace NSTinctLibrary
{
namespace
{
constexpr float kLargestCoordinate = 16777216.0f;
constexpr u32 kLargestSide = 32767;
} // namespace

i32 ToPixel(float value)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestCoordinate)
        ThrowInvalidArgument();
    return i32(std::lround(value));
}

RECT ToPixelRect(const float rect[4])
{
    if (!rect)
        ThrowInvalidArgument();
    return RECT{ToPixel(rect[0]), ToPixel(rect[1]), ToPixel(rect[2]), ToPixel(rect[3])};
}

u32 ToBitmapSide(float value)
{
    if (!std::isfinite(value) || value < 1.0f || value >= float(kLargestSide + 1))
        ThrowInvalidArgument();
    return u32(value);
}
} // namespace NSTinctLibrary
