#pragma once
// Key events matched against a key and its modifiers by the GUI library.
#include "dlls/trellis/Trellis.h"

// Whether the event is the Escape key (code 27), whatever modifier keys are held.
bool IsEscapeKeyEvent(const TKeyEvent& event);

// Whether the event is the key with exactly these modifiers (kModifier* bits). The key code is
// the key's character or the library's code for it (10 keypad Enter, 13 Return, 27 Escape ...).
bool DoesKeyEventMatch(const TKeyEvent& event, u32 keyCode, u64 modifiers);
