#pragma once
// Reading the About box's version line off the screen: the picture under it holds no pixel of the
// line's grey, so the grey pixels in a part of the box are the line's; and the ground it reads on.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <map>

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
// The contrast (from 1 to 21, as the web's accessibility guidelines define it) between the line's
// grey and the ground it is drawn on, in the box's client rectangle {left, top, right, bottom}:
// the least over its rows of each row's most common colour, which is the ground under the text.
inline double LeastVersionLineContrast(HWND box, RECT area)
{
    const auto luminance = [](COLORREF colour)
    {
        const auto linear = [](BYTE channel)
        {
            const double value = channel / 255.0;
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
               0.0722 * linear(GetBValue(colour));
    };
    const double grey = luminance(RGB(0x77, 0x77, 0x77));
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&area), 2);
    HDC screen = GetDC(nullptr);
    double least = 21;
    for (LONG y = area.top; y < area.bottom; ++y)
    {
        std::map<COLORREF, int> counts;
        for (LONG x = area.left; x < area.right; ++x)
            ++counts[GetPixel(screen, x, y)];
        const COLORREF ground =
            std::max_element(counts.begin(), counts.end(),
                             [](const auto& first, const auto& second) { return first.second < second.second; })
                ->first;
        const double lighter = std::max(grey, luminance(ground));
        const double darker = std::min(grey, luminance(ground));
        least = std::min(least, (lighter + 0.05) / (darker + 0.05));
    }
    ReleaseDC(nullptr, screen);
    return least;
}
} // namespace NSAppTests
