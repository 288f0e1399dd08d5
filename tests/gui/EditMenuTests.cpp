// The Edit menu's items enabled by a text field's selection, text and paste ability.
#include "gui/EditMenu.h"

#include "base/LibraryStatusTables.h"
#include "tests/gui/MenuBarDouble.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace NSSprocketUtils;

namespace
{
TEST(EditMenu, TheMatrixOfSelectionTextAndPaste)
{
    struct
    {
        u32 fStart;
        u32 fEnd;
        u32 fLength;
        bool fPaste;
        bool fSelected;
        bool fAll;
    } const kCases[] = {
        {0, 0, 0, false, false, false}, // empty field: nothing to select
        {0, 5, 5, false, true, false},  // all selected: select all has nothing left to do
        {1, 3, 5, true, true, true},
        {2, 2, 5, true, false, true},   // a caret only
        {0, 0, 5, false, false, true},
        {5, 0, 5, false, true, true},   // the ends the other way round
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(::testing::Message() << c.fStart << "-" << c.fEnd << " of " << c.fLength);
        const TEditMenuState state = ComputeEditMenuState(c.fStart, c.fEnd, c.fLength, c.fPaste);
        EXPECT_EQ(state.fSelected, c.fSelected);
        EXPECT_EQ(state.fPaste, c.fPaste);
        EXPECT_EQ(state.fAll, c.fAll);
    }
}

TEST(EditMenu, TheFirstItemOfEachCommandIsSetAndTheFourthOperationLeftAlone)
{
    CMenuBar menuBar({50011, 50012, 50013, 50014, 50015, 50011, 7});
    ApplyEditMenuState(&menuBar, {true, false, false});
    EXPECT_EQ(menuBar.FlagsOf(0), NSTrellis::kMenuItemEnabled);
    EXPECT_EQ(menuBar.FlagsOf(1), NSTrellis::kMenuItemEnabled);
    EXPECT_EQ(menuBar.FlagsOf(2), 0u);
    EXPECT_EQ(menuBar.FlagsOf(3), 0x5u) << "50014 is not touched";
    EXPECT_EQ(menuBar.FlagsOf(4), 0u);
    EXPECT_EQ(menuBar.FlagsOf(5), 0x5u) << "only the first item with an id";
    EXPECT_EQ(menuBar.FlagsOf(6), 0x5u);

    ApplyEditMenuState(&menuBar, {false, true, true});
    EXPECT_EQ(menuBar.FlagsOf(0), 0u);
    EXPECT_EQ(menuBar.FlagsOf(2), NSTrellis::kMenuItemEnabled);
    EXPECT_EQ(menuBar.FlagsOf(4), NSTrellis::kMenuItemEnabled);
}

TEST(EditMenu, AnEmptyMenuGivesNoItems)
{
    CMenuBar menuBar({});
    EXPECT_TRUE(GetMenuItems(&menuBar, kEditMenu).empty());
    EXPECT_NO_THROW(ApplyEditMenuState(&menuBar, {true, true, true}));
}
} // namespace
