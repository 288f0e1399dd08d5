#include "gui/KeyMatching.h"

#include "base/LibraryStatusTables.h"
#include "gui/TrellisInterface.h"

namespace
{
constexpr u32 kEscapeKey = 27;

// Each bit of a counter from 0 to 15 stands for one modifier key.
constexpr u64 kModifierOfCounterBit[] = {kModifierShift, kModifierOption, kModifierControl, kModifierCommand};

u64 ModifiersOfCounter(u32 counter)
{
    u64 modifiers = 0;
    for (u32 bit = 0; bit < 4; ++bit)
    {
        if (counter & (1u << bit))
            modifiers |= kModifierOfCounterBit[bit];
    }
    return modifiers;
}
} // namespace

bool DoesKeyEventMatch(const TKeyEvent& event, u32 keyCode, u64 modifiers)
{
    TKeyShortcut shortcut{};
    // Codes beyond one UTF-16 unit take a surrogate pair.
    if (keyCode >= 0x10000)
    {
        shortcut.fKey[0] = u16(0xD800 + ((keyCode - 0x10000) >> 10));
        shortcut.fKey[1] = u16(0xDC00 + ((keyCode - 0x10000) & 0x3FF));
    }
    else
        shortcut.fKey[0] = u16(keyCode);
    shortcut.fModifiers = modifiers;
    u32 matches = 0;
    const u32 status = GetTrellisInterface()->MatchKeyEvent(&event, &event.fTail, &shortcut, &matches);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
    return matches != 0;
}

bool IsEscapeKeyEvent(const TKeyEvent& event)
{
    for (u32 counter = 0; counter < 16; ++counter)
    {
        if (DoesKeyEventMatch(event, kEscapeKey, ModifiersOfCounter(counter)))
            return true;
    }
    return false;
}
