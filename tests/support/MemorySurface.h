#pragma once
// A white 32-bit memory surface selected into a memory device context, so that a test draws into
// it through GDI or the pixel library and reads the pixels back.
#include "base/Types.h"

#include <array>
#include <cstring>

#include <windows.h>

using TRGB = std::array<u8, 3>;

class CMemorySurface
{
public:
    explicit CMemorySurface(int size) : fSize(size)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        fSurface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&fPixels), nullptr, 0);
        fDC = CreateCompatibleDC(nullptr);
        fPrevious = SelectObject(fDC, fSurface);
        Clear();
    }
    ~CMemorySurface()
    {
        SelectObject(fDC, fPrevious);
        DeleteDC(fDC);
        DeleteObject(fSurface);
    }
    CMemorySurface(const CMemorySurface&) = delete;
    CMemorySurface& operator=(const CMemorySurface&) = delete;

    HDC GetDeviceContext() const { return fDC; }
    int GetSize() const { return fSize; }

    // Every pixel white again.
    void Clear()
    {
        GdiFlush();
        std::memset(fPixels, 0xFF, size_t(fSize) * size_t(fSize) * 4);
    }

    TRGB Pixel(int x, int y) const
    {
        GdiFlush();
        const u8* bgra = fPixels + (size_t(y) * size_t(fSize) + size_t(x)) * 4;
        return {bgra[2], bgra[1], bgra[0]};
    }

    // The number of pixels of that colour in the surface.
    int CountOf(const TRGB& colour) const
    {
        int count = 0;
        for (int y = 0; y < fSize; ++y)
            for (int x = 0; x < fSize; ++x)
                count += Pixel(x, y) == colour;
        return count;
    }

private:
    int fSize;
    HBITMAP fSurface = nullptr;
    u8* fPixels = nullptr;
    HDC fDC = nullptr;
    HGDIOBJ fPrevious = nullptr;
};
