#include "gui/ScreenInfo.h"

#include "base/Throw.h"

#include <new>
#include <vector>

namespace
{
// The Windows static colours, a palette for a screen whose system palette cannot be read.
constexpr u8 kStaticColours[20][3] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// A logical palette of the system's entries, read back whole; entries past its end stay black.
NSFerrant::TPalette ReadScreenPalette(HDC dc)
{
    std::vector<u8> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(GetSystemPaletteEntries(dc, 0, 256, logical->palPalEntry));
    if (logical->palNumEntries == 0)
    {
        logical->palNumEntries = WORD(std::size(kStaticColours));
        for (size_t i = 0; i < std::size(kStaticColours); ++i)
            logical->palPalEntry[i] = {kStaticColours[i][0], kStaticColours[i][1], kStaticColours[i][2], 0};
    }
    const HPALETTE palette = CreatePalette(logical);
    if (!palette)
        NSQuorral::Throw<std::bad_alloc>();
    PALETTEENTRY entries[256] = {};
    GetPaletteEntries(palette, 0, 256, entries);
    DeleteObject(palette);
    NSFerrant::TPalette triples(256);
    for (size_t i = 0; i < 256; ++i)
        triples[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue};
    return triples;
}
} // namespace

CScreenInfo::CScreenInfo() : fDepth(0), fDC(GetDC(nullptr))
{
    try
    {
        fDepth = u32(GetDeviceCaps(fDC, BITSPIXEL) * GetDeviceCaps(fDC, PLANES));
        if (fDepth == 8)
            fPalette = ReadScreenPalette(fDC);
    }
    catch (...)
    {
        ReleaseDC(nullptr, fDC);
        throw;
    }
}

CScreenInfo::CScreenInfo(u32 depth, const NSFerrant::TPalette& palette)
    : fDepth(depth), fPalette(palette), fDC(nullptr)
{
}

CScreenInfo::~CScreenInfo()
{
    if (fDC)
        ReleaseDC(nullptr, fDC);
}
