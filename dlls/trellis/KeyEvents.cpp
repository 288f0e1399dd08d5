#include "dlls/trellis/KeyEvents.h"

#include "base/TextBuffers.h"
#include "dlls/trellis/LibraryFence.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace NSTrellisLibrary
{
namespace
{
bool IsDown(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

bool IsToggled(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x0001) != 0;
}

// Zero-terminated within its array, or throws: the texts come from the caller.
template <std::size_t N>
std::wstring TerminatedText(const u16 (&text)[N])
{
    if (std::find(std::begin(text), std::end(text), u16(0)) == std::end(text))
        ThrowInvalidArgument();
    return std::wstring(reinterpret_cast<const wchar_t*>(text));
}

std::wstring Upper(std::wstring text)
{
    if (!text.empty())
        CharUpperBuffW(text.data(), DWORD(text.size()));
    return text;
}
} // namespace

void ReadKeyboardState(TKeyboardState& state)
{
    std::memset(&state, 0, sizeof(state));
    POINT cursor{};
    GetCursorPos(&cursor);
    state.fCursor[0] = cursor.x;
    state.fCursor[1] = cursor.y;
    state.fMessageTime = u32(GetMessageTime());
    state.fModifiers = u32((IsDown(VK_SHIFT) ? kModifierShift : 0) | (IsDown(VK_MENU) ? kModifierOption : 0) |
                           (IsDown(VK_LWIN) || IsDown(VK_RWIN) ? kModifierControl : 0) |
                           (IsDown(VK_CONTROL) ? kModifierCommand : 0));
    state.fMouseButtons = (IsDown(VK_LBUTTON) ? 0x1 : 0) | (IsDown(VK_RBUTTON) ? 0x2 : 0) | (IsDown(VK_MBUTTON) ? 0x4 : 0);
    state.fToggles = (IsToggled(VK_CAPITAL) ? 0x1 : 0) | (IsToggled(VK_NUMLOCK) ? 0x2 : 0);
}

u64 ModifierSetMask(u32 set)
{
    switch (set)
    {
    case kModifierSetNormal:
        return kModifierCommand;
    case kModifierSetAdvanced1:
        return kModifierCommand | kModifierShift;
    case kModifierSetAdvanced2:
        return kModifierCommand | kModifierOption;
    case kModifierSetAdvanced3:
        return kModifierCommand | kModifierShift | kModifierOption;
    default:
        ThrowInvalidArgument();
    }
}

bool KeyEventMatches(const TKeyEvent& event, const TKeyEventTail& tail, const TKeyShortcut& shortcut)
{
    const std::wstring key = TerminatedText(shortcut.fKey);
    const std::wstring typed = TerminatedText(tail.fText);
    if (key.empty() || (event.fModifiers & kModifierKeys) != (shortcut.fModifiers & kModifierKeys))
        return false;
    return Upper(key) == Upper(typed);
}
} // namespace NSTrellisLibrary
