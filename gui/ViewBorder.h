#pragma once
// The sunken one-pixel border that the bitmap and bordered text views draw around their frame.
#include "gui/Drawing.h"

namespace NSFerrant
{
// Grey along the top and left, the system's light 3-D colour along the bottom and right.
void DrawViewBorder(TDrawContext& context, const TRect& frame);

// The frame less its border.
TRect InsideViewBorder(const TRect& frame);
} // namespace NSFerrant
