#include "dlls/trellis/AlertDescriptor.h"

#include "dlls/trellis/LibraryFence.h"

#include <algorithm>
#include <iterator>

namespace NSTrellisLibrary
{
namespace
{
bool IsTerminated(const u16 (&field)[1024])
{
    return std::find(std::begin(field), std::end(field), u16(0)) != std::end(field);
}

u32 ButtonCountOf(u32 operation)
{
    switch (operation)
    {
    case kAlertOneButton:
        return 1;
    case kAlertTwoButtons:
        return 2;
    case kAlertThreeButtons:
        return 3;
    default:
        ThrowInvalidArgument();
    }
}
} // namespace

u32 CheckAlertDescriptor(const TAlertDescriptor& alert)
{
    const u32 count = ButtonCountOf(alert.fOperation);
    if (alert.fIcon < kAlertIconNone || alert.fIcon > kAlertIconWarning)
        ThrowInvalidArgument();
    if (!IsTerminated(alert.fTitle) || !IsTerminated(alert.fMessage))
        ThrowInvalidArgument();
    for (u32 i = 0; i < 3; ++i)
    {
        if (!IsTerminated(alert.fButtons[i]))
            ThrowInvalidArgument();
        // A button the operation names must have a title to be chosen by.
        if (i < count && alert.fButtons[i][0] == 0)
            ThrowInvalidArgument();
    }
    return count;
}

u32 AnswerOfButton(u32 index, u32 count)
{
    return kAlertAnswerLastButton + (count - 1 - index);
}

std::wstring FieldText(const u16 (&field)[1024])
{
    return std::wstring(reinterpret_cast<const wchar_t*>(field));
}
} // namespace NSTrellisLibrary
