#pragma once
// How a dialog item's font, alignment and size fields choose the styles of the widget library's
// controls.
#include "base/Types.h"

namespace NSSprocketUtils
{
// Push-button size style by the size field: 2 small, 3 mini, anything else regular.
u32 PushButtonSizeStyle(u32 sizeField);
// Static-text alignment by the alignment field (0 left, 1 centre, 2 right): 7, 9, 8; anything else 7.
u32 StaticTextAlignment(u32 alignmentField);
// Static-text font style: a nonzero font field decides, else the size field.
u32 StaticTextStyle(u32 fontField, u32 sizeField);
// Text-field font style: size fields 2 and 3 decide, else the font field.
u32 TextFieldStyle(u32 fontField, u32 sizeField);
// A text field no taller than one line of its font and a margin of 4 takes no line breaks.
bool IsSingleLineField(float lineHeight, float fieldHeight);
} // namespace NSSprocketUtils
