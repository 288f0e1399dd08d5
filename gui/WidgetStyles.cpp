#include "gui/WidgetStyles.h"

#include "dlls/sprocket/Sprocket.h"

namespace NSSprocketUtils
{
namespace
{
using namespace NSSprocket;
constexpr u32 kSizeRegular = kSizeStyleRegular;
constexpr u32 kSizeSmall = kSizeStyleSmall;
constexpr u32 kSizeMini = kSizeStyleMini;
constexpr u32 kTextSmall = kTextStyleSmall;
constexpr u32 kTextSmallBold = kTextStyleSmallBold;
constexpr u32 kTextLarge = kTextStyleLarge;
constexpr u32 kTextNormal = kTextStyleNormal;
} // namespace

u32 PushButtonSizeStyle(u32 sizeField)
{
    switch (sizeField)
    {
    case 2:
        return kSizeSmall;
    case 3:
        return kSizeMini;
    default:
        return kSizeRegular;
    }
}

u32 StaticTextAlignment(u32 alignmentField)
{
    switch (alignmentField)
    {
    case 1:
        return kAlignmentCenter;
    case 2:
        return kAlignmentRight;
    default:
        return kAlignmentLeft;
    }
}

u32 StaticTextStyle(u32 fontField, u32 sizeField)
{
    switch (fontField)
    {
    case 0:
        if (sizeField == 0)
            return kTextNormal;
        return sizeField == 2 || sizeField == 3 ? kTextSmallBold : kTextSmall;
    case 1:
        return kTextNormal;
    case 2:
    case 4:
        return kTextSmallBold;
    case 3:
        return kTextLarge;
    default:
        return kTextSmall;
    }
}

u32 TextFieldStyle(u32 fontField, u32 sizeField)
{
    if (sizeField == 2)
        return kSizeSmall;
    if (sizeField == 3)
        return kSizeMini;
    if (fontField == 2 || fontField == 3)
        return kSizeSmall;
    return fontField == 4 ? kSizeMini : kSizeRegular;
}

bool IsSingleLineField(float lineHeight, float fieldHeight)
{
    return lineHeight + 4 >= fieldHeight;
}
} // namespace NSSprocketUtils
