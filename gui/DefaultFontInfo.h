#pragma once
// The text style views draw with by default, and the Windows-version flag that picks a dialog font.
#include "dlls/tinct/Tinct.h"

struct TDefaultFontInfo
{
    u32 fIsVistaOrLater;
    u32 fValid; // kDefaultFontInfoValid: callers check it before using the record
    NSTinct::TFontInfo fFontInfo;
    u32 fReserved;
};

constexpr u32 kDefaultFontInfoValid = 49;

// Built on first use from the pixel library's style 7550.
const TDefaultFontInfo& GetDefaultFontInfo();

// 1 when Windows' major version is 6 or more, else 0; computed once.
const u32& IsWindowsVistaOrLater();
