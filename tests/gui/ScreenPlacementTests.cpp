// Placing rectangles on synthetic screen lists, and the reference rectangle of a new dialog
// from a stand-in library's windows.
#include "base/Quorral.h"
#include "gui/ScreenPlacement.h"
#include "gui/TrellisInterface.h"
#include "tests/support/TrellisStub.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

// Found by argument lookup when a failed expectation prints a rectangle.
std::ostream& operator<<(std::ostream& out, const TIntRect& r)
{
    return out << "{" << r.fLeft << ", " << r.fTop << ", " << r.fRight << ", " << r.fBottom << "}";
}

namespace
{
TScreen Screen(TIntRect usable)
{
    TScreen screen{};
    const i32 values[4] = {usable.fLeft, usable.fTop, usable.fRight, usable.fBottom};
    std::memcpy(screen.fUsableArea, values, sizeof(values));
    std::memcpy(screen.fBounds, values, sizeof(values));
    return screen;
}

TScreenList Screens(std::vector<TIntRect> usable, u32 main = 0)
{
    TScreenList list{};
    for (const TIntRect& area : usable)
        list.fScreens[list.fCount++] = Screen(area);
    list.fMainScreen = main;
    return list;
}

TEST(ScreenPlacement, OverlapAreaOfTheUsableArea)
{
    const TScreen screen = Screen({0, 0, 100, 50});
    EXPECT_EQ(RectOverlapArea(screen, {50, 25, 150, 75}), 50 * 25);
    EXPECT_EQ(RectOverlapArea(screen, {-10, -10, 200, 200}), 100 * 50);
    EXPECT_EQ(RectOverlapArea(screen, {100, 0, 200, 50}), 0); // touching edges share nothing
    EXPECT_EQ(RectOverlapArea(screen, {20, 20, 10, 30}), 0);  // an empty rectangle
}

TEST(ScreenPlacement, TheBestScreenHoldsMostOfTheRectangleAndTheFirstWinsATie)
{
    const TScreenList two = Screens({{0, 0, 100, 100}, {100, 0, 200, 100}});
    EXPECT_EQ(ChooseBestScreen(two, {10, 10, 60, 60}), 0u);
    EXPECT_EQ(ChooseBestScreen(two, {90, 10, 160, 60}), 1u);
    EXPECT_EQ(ChooseBestScreen(two, {50, 0, 150, 100}), 0u); // equal overlap
    EXPECT_EQ(ChooseBestScreen(two, {500, 500, 600, 600}), 0u);
    // A single screen is chosen whatever the rectangle; an empty list too names screen 0.
    EXPECT_EQ(ChooseBestScreen(Screens({{0, 0, 100, 100}}), {500, 500, 600, 600}), 0u);
    EXPECT_EQ(ChooseBestScreen(Screens({}), {0, 0, 1, 1}), 0u);
}

TEST(ScreenPlacement, RectanglesAreMovedOntoTheirScreen)
{
    const TScreenList screens = Screens({{0, 20, 1000, 700}, {1000, 0, 1600, 400}});
    struct Case
    {
        TIntRect rect;
        TIntSize minimum;
        TIntRect expected;
    };
    const Case kCases[] = {
        {{100, 100, 300, 200}, {0, 0}, {100, 100, 300, 200}},       // already on it
        {{-50, 0, 150, 100}, {0, 0}, {0, 20, 200, 120}},            // past the top left
        {{900, 650, 1000, 750}, {0, 0}, {900, 600, 1000, 700}},     // past the bottom
        {{1500, 300, 1700, 500}, {0, 0}, {1400, 200, 1600, 400}},   // on the second screen
        {{-100, -100, 1900, 900}, {0, 0}, {0, 20, 1000, 700}},      // larger: shrunk and moved
        {{-100, -100, 1900, 900}, {1200, 800}, {0, 20, 1200, 820}}, // the minimum wins
        {{10, 30, 20, 40}, {50, 0}, {10, 30, 60, 40}},              // grown to the minimum width
    };
    for (const Case& c : kCases)
        EXPECT_EQ(MoveRectOntoScreen(screens, c.rect, c.minimum), c.expected) << c.rect;
}

// A library whose screens and open windows the test sets.
class CWindowsDouble final : public CTrellisStub,
                             public NSTrellis::IDocumentWindow,
                             public NSTrellis::IModalDialog
{
public:
    u32 GetScreens(TScreenList* list, u32) override
    {
        *list = fScreens;
        return kTrellisOK;
    }
    u32 GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter) override
    {
        NSTrellis::IDocumentWindow* window = this;
        return getter->SetDocumentWindows(&window, fWindowOpen ? 1 : 0);
    }
    u32 GetModalDialogs(NSTrellis::IModalDialogListGetter* getter) override
    {
        NSTrellis::IModalDialog* dialog = this;
        return getter->SetModalDialogs(&dialog, fDialogOpen ? 1 : 0);
    }
    u32 GetProperties(NSTrellis::TDocumentWindowProperties* properties) override
    {
        properties->fState = fWindowState;
        std::memcpy(properties->fFrame, &fWindowFrame, sizeof(fWindowFrame));
        return kTrellisOK;
    }
    u32 GetProperties(NSTrellis::TModalDialogProperties* properties) override
    {
        std::memcpy(properties->fFrame, &fDialogFrame, sizeof(fDialogFrame));
        return fDialogStatus;
    }
    u32 SetProperties(const NSTrellis::TDocumentWindowProperties*, u32) override
    {
        return kTrellisLogicError;
    }
    u32 SetProperties(const NSTrellis::TModalDialogProperties*, u32) override { return kTrellisLogicError; }
    u32 GetNativeWindow(INativeWindow**) override { return kTrellisLogicError; }
    u32 Close() override { return kTrellisLogicError; }

    TScreenList fScreens = Screens({{0, 0, 800, 600}, {800, 0, 1800, 700}}, 1);
    bool fWindowOpen = false;
    u32 fWindowState = 0;
    TIntRect fWindowFrame{};
    bool fDialogOpen = false;
    TIntRect fDialogFrame{};
    u32 fDialogStatus = kTrellisOK;
};

class PlacementReference : public ::testing::Test
{
protected:
    PlacementReference() : fReplaced(ExchangeTrellisInterface(&fTrellis)) {}
    ~PlacementReference() override { ExchangeTrellisInterface(fReplaced); }

    CWindowsDouble fTrellis;
    ITrellis* fReplaced;
};

TEST_F(PlacementReference, FromTheDialogTheWindowOrTheMainScreen)
{
    EXPECT_EQ(GetPlacementReferenceRect(), (TIntRect{800, 0, 1800, 700}));

    fTrellis.fWindowOpen = true;
    fTrellis.fWindowFrame = {10, 20, 500, 400};
    EXPECT_EQ(GetPlacementReferenceRect(), fTrellis.fWindowFrame);
    // A window that fills its screen stands for that screen's usable area.
    fTrellis.fWindowState = 1;
    EXPECT_EQ(GetPlacementReferenceRect(), (TIntRect{0, 0, 800, 600}));

    fTrellis.fDialogOpen = true;
    fTrellis.fDialogFrame = {900, 100, 1200, 300};
    EXPECT_EQ(GetPlacementReferenceRect(), fTrellis.fDialogFrame);
    fTrellis.fDialogStatus = kTrellisFormatViolation;
    EXPECT_THROW(GetPlacementReferenceRect(), NSQuorral::XFormatViolation);
}
} // namespace
