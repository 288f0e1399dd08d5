#pragma once
// Reading the About box's version line off the screen: the picture under it holds no pixel of the
// line's grey, so the grey pixels in a part of the box are the line's.
#include <windows.h>

namespace NSAppTests
{
// The line's grey pixels in the box's client rectangle {left, top, right, bottom}, read from the
// screen, so that a window of another process can be read too.
inline int CountVersionLinePixels(HWND box, RECT area)
{
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&area), 2);
    HDC screen = GetDC(nullptr);
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            count += GetPixel(screen, x, y) == RGB(0x77, 0x77, 0x77) ? 1 : 0;
    ReleaseDC(nullptr, screen);
    return count;
}
} // namespace NSAppTests
