#pragma once
// The keyboard: its state, the named modifier sets and the matching of key events to shortcuts.
#include "dlls/trellis/Trellis.h"

namespace NSTrellisLibrary
{
void ReadKeyboardState(TKeyboardState& state);

// The mask of a named set; any other set throws std::invalid_argument.
u64 ModifierSetMask(u32 set);

// The key text must agree without regard to letter case, the modifier keys held exactly.
bool KeyEventMatches(const TKeyEvent& event, const TKeyEventTail& tail, const TKeyShortcut& shortcut);
} // namespace NSTrellisLibrary
