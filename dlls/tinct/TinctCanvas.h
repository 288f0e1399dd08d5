#pragma once
// A canvas of the library: drawing onto a device context the caller owns.
#include "dlls/tinct/TextRuns.h"
#include "dlls/tinct/Tinct.h"

#include <windows.h>

namespace NSTinctLibrary
{
class CCanvas final : public NSTinct::ICanvas
{
public:
    // Saves the context's state, which the release restores; std::invalid_argument for no context.
    explicit CCanvas(HDC dc);

    u32 Release(u32 destroy) override;
    u32 SaveState() override;
    u32 RestoreState() override;
    u32 ClipToRect(const float rect[4]) override;
    u32 GetClipBounds(float bounds[4]) override;
    u32 FillRects(const float* rects, u32 count, const u8 colour[4]) override;
    u32 DrawLines(const float* segments, u32 count, const u8 colour[4], float width) override;
    u32 DrawTextRun(const float position[2], const u16* text, const NSTinct::TFontInfo* style,
                    const u8 colour[4]) override;
    NSTinct::ITextMeasurer* GetTextMeasurer(u32* status) override;

    HDC DC() const { return fDC; }

private:
    HDC fDC;
    int fInitialState;
    u32 fSavedStates = 0;
    CTextMeasurer fMeasurer;
};

// A canvas argument, which must be one of this library's.
CCanvas& AsCanvas(NSTinct::ICanvas* canvas);
} // namespace NSTinctLibrary
