#pragma once
// Text drawn and measured in a text style of the library.
#include "dlls/tinct/Tinct.h"

#include <windows.h>

namespace NSTinctLibrary
{
// The run from x with its first baseline at y, its lines one line height apart; the background
// and the context's state are kept.
void DrawTextRun(HDC dc, i32 x, i32 y, const u16* text, const NSTinct::TFontInfo& style, COLORREF colour);

// The measurer of one canvas's device context.
class CTextMeasurer final : public NSTinct::ITextMeasurer
{
public:
    explicit CTextMeasurer(HDC dc) : fDC(dc) {}
    u32 GetFontMetrics(const NSTinct::TFontInfo* style, float metrics[2]) override;

private:
    HDC fDC;
};
} // namespace NSTinctLibrary
