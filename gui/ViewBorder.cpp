#include "gui/ViewBorder.h"

#include <windows.h>

namespace NSFerrant
{
void DrawViewBorder(TDrawContext& context, const TRect& frame)
{
    const TColour grey{0x77, 0x77, 0x77, 255};
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    DrawBevelFrame(context, frame, grey, {GetRValue(light), GetGValue(light), GetBValue(light), 255});
}

TRect InsideViewBorder(const TRect& frame)
{
    return {frame.fLeft + 1, frame.fTop + 1, frame.fRight - 1, frame.fBottom - 1};
}
} // namespace NSFerrant
