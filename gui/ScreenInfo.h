#pragma once
// The screen that bitmaps are made for: its depth and, at 8 bits, its palette.
#include "gui/VRAMBitmap.h"

#include <windows.h>

class CScreenInfo
{
public:
    // The screen of the desktop: its depth in bits per pixel (times planes) and, at depth 8, the
    // system palette (the 20 static colours when the system gives none).
    CScreenInfo();
    // A described screen without a device context, for the conversions to be tried at any depth.
    CScreenInfo(u32 depth, const NSFerrant::TPalette& palette);
    ~CScreenInfo();
    CScreenInfo(const CScreenInfo&) = delete;
    CScreenInfo& operator=(const CScreenInfo&) = delete;

    u32 fDepth;
    // 256 entries at depth 8, else empty.
    NSFerrant::TPalette fPalette;
    HDC fDC;
};
