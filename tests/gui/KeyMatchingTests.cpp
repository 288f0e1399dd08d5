// Key events matched by the real GUI library: keys, letter case and every modifier combination.
#include "gui/KeyMatching.h"
#include "gui/TrellisInterface.h"
#include "tests/gui/KeyEvents.h"

#include <gtest/gtest.h>

namespace
{
constexpr u64 kModifierOfBit[] = {kModifierShift, kModifierOption, kModifierControl, kModifierCommand};

u64 Combination(u32 counter)
{
    u64 modifiers = 0;
    for (u32 bit = 0; bit < 4; ++bit)
        modifiers |= (counter >> bit & 1) ? kModifierOfBit[bit] : 0;
    return modifiers;
}

class KeyMatching : public ::testing::Test
{
protected:
    void SetUp() override { CreateTrellisInterface(); }
    void TearDown() override { ReleaseTrellisInterface(); }
};

TEST_F(KeyMatching, EscapeIsRecognisedWithEveryModifierCombination)
{
    for (u32 counter = 0; counter < 16; ++counter)
    {
        const u64 held = Combination(counter);
        EXPECT_TRUE(IsEscapeKeyEvent(MakeKeyEvent(27, held))) << counter;
        EXPECT_FALSE(IsEscapeKeyEvent(MakeKeyEvent(13, held))) << counter;
        // A match asks for exactly the modifiers held: of the 16 masks only the held one fits.
        for (u32 asked = 0; asked < 16; ++asked)
            EXPECT_EQ(DoesKeyEventMatch(MakeKeyEvent(27, held), 27, Combination(asked)), asked == counter)
                << counter << " " << asked;
    }
}

TEST_F(KeyMatching, KeysMatchByTheirTextWithoutRegardToLetterCase)
{
    EXPECT_TRUE(DoesKeyEventMatch(MakeKeyEvent(13, 0), 13, 0));
    EXPECT_FALSE(DoesKeyEventMatch(MakeKeyEvent(13, 0), 10, 0)); // Return is not the keypad's Enter
    EXPECT_TRUE(DoesKeyEventMatch(MakeKeyEvent(10, 0), 10, 0));
    EXPECT_TRUE(DoesKeyEventMatch(MakeKeyEvent(u'q', kModifierCommand), u'Q', kModifierCommand));
    EXPECT_TRUE(DoesKeyEventMatch(MakeKeyEvent(0xE00A, 0), 0xE00A, 0)); // F10
    EXPECT_FALSE(DoesKeyEventMatch(MakeKeyEvent(0, 0), 0, 0));          // no key, no match
}

TEST_F(KeyMatching, NamedModifierSetsAndRefusedArguments)
{
    ITrellis* trellis = GetTrellisInterface();
    const struct
    {
        u32 set;
        u64 mask;
    } kSets[] = {{4001, kModifierCommand},
                 {4002, kModifierCommand | kModifierShift},
                 {4003, kModifierCommand | kModifierOption},
                 {4004, kModifierCommand | kModifierShift | kModifierOption}};
    for (const auto& row : kSets)
    {
        u64 mask = 0;
        EXPECT_EQ(trellis->GetModifierSet(&row.set, &mask), kTrellisOK);
        EXPECT_EQ(mask, row.mask) << row.set;
    }
    u64 mask = 0;
    const u32 unknown = 4005;
    EXPECT_EQ(trellis->GetModifierSet(&unknown, &mask), kTrellisInvalidArgument);

    // A shortcut key without its terminator is refused, not read past.
    TKeyShortcut shortcut{};
    for (u16& unit : shortcut.fKey)
        unit = u'a';
    const TKeyEvent event = MakeKeyEvent(u'a', 0);
    u32 matches = 7;
    EXPECT_EQ(trellis->MatchKeyEvent(&event, &event.fTail, &shortcut, &matches), kTrellisInvalidArgument);
}
} // namespace
