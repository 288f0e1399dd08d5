#include "dlls/tinct/GDIObjects.h"

#include "dlls/tinct/TinctBoundary.h"

#include <cstring>
#include <vector>

namespace NSTinctLibrary
{
CMemoryDC::CMemoryDC(HDC compatibleWith) : fDC(CreateCompatibleDC(compatibleWith))
{
    if (!fDC)
        ThrowOutOfMemory();
}

CSelection::CSelection(HDC dc, HGDIOBJ object) : fDC(dc), fPrevious(SelectObject(dc, object))
{
    if (!fPrevious || fPrevious == HGDI_ERROR)
        ThrowInvalidArgument();
}

CSavedDCState::CSavedDCState(HDC dc) : fDC(dc), fState(SaveDC(dc))
{
    if (fState == 0)
        ThrowOutOfMemory();
}

TDIBSection CreateDIBSectionOf(u32 width, u32 height, u32 bitsPerPixel, const RGBQUAD* palette)
{
    // The header and the colour table in one block, as BITMAPINFO lays them out.
    std::vector<u8> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = LONG(width);
    info->bmiHeader.biHeight = -LONG(height); // top-down: row 0 is the top
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = WORD(bitsPerPixel);
    info->bmiHeader.biCompression = BI_RGB; // 16 bits: 5-5-5
    if (palette)
    {
        info->bmiHeader.biClrUsed = 256;
        std::memcpy(info->bmiColors, palette, 256 * sizeof(RGBQUAD));
    }
    TDIBSection section{nullptr, nullptr};
    section.fBitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &section.fBits, nullptr, 0);
    if (!section.fBitmap || !section.fBits)
        ThrowOutOfMemory();
    return section;
}
} // namespace NSTinctLibrary
