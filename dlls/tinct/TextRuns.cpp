#include "dlls/tinct/TextRuns.h"

#include "dlls/tinct/GDIObjects.h"
#include "dlls/tinct/TinctBoundary.h"

#include <cwchar>

namespace NSTinctLibrary
{
namespace
{
// The style's font; std::invalid_argument for a face name without its terminator.
HFONT CreateStyleFont(const NSTinct::TFontInfo& style)
{
    LOGFONTW font{};
    font.lfHeight = style.fHeight;
    font.lfWeight = style.fWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    const size_t length = wcsnlen(reinterpret_cast<const wchar_t*>(style.fFaceName), std::size(style.fFaceName));
    if (length == std::size(style.fFaceName))
        ThrowInvalidArgument();
    wcsncpy(font.lfFaceName, reinterpret_cast<const wchar_t*>(style.fFaceName), LF_FACESIZE - 1);
    const HFONT handle = CreateFontIndirectW(&font);
    if (!handle)
        ThrowOutOfMemory();
    return handle;
}
} // namespace

void DrawTextRun(HDC dc, i32 x, i32 y, const u16* text, const NSTinct::TFontInfo& style, COLORREF colour)
{
    const CGDIObject font(CreateStyleFont(style));
    const CSavedDCState state(dc);
    SelectObject(dc, font.Get());
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc, &metrics))
        ThrowInvalidArgument();
    // A line break (CR LF, CR or LF, as texts from either platform end their lines) starts the
    // next line one line height lower; the font has no glyph for it.
    const wchar_t* line = reinterpret_cast<const wchar_t*>(text);
    for (i32 baseline = y;; baseline += metrics.tmHeight)
    {
        const size_t length = wcscspn(line, L"\r\n");
        if (length > 0 && !TextOutW(dc, x, baseline, line, int(length)))
            ThrowInvalidArgument();
        line += length;
        if (*line == 0)
            return;
        line += line[0] == L'\r' && line[1] == L'\n' ? 2 : 1;
    }
}

u32 CTextMeasurer::GetFontMetrics(const NSTinct::TFontInfo* style, float metrics[2])
{
    return AnswerStatus([&] {
        if (!style || !metrics)
            ThrowInvalidArgument();
        const CGDIObject font(CreateStyleFont(*style));
        const CSelection selection(fDC, font.Get());
        TEXTMETRICW text{};
        if (!GetTextMetricsW(fDC, &text))
            ThrowInvalidArgument();
        metrics[0] = float(text.tmAscent);
        metrics[1] = float(text.tmDescent);
    });
}
} // namespace NSTinctLibrary
