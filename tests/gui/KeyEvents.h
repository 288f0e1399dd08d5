#pragma once
// Key events as the GUI library hands them to a window: the key's text and the modifiers held.
#include "dlls/trellis/Trellis.h"

inline TKeyEvent MakeKeyEvent(u16 key, u64 modifiers)
{
    TKeyEvent event{};
    event.fKind = kKeyDown;
    event.fModifiers = modifiers;
    event.fTail.fText[0] = key;
    return event;
}
