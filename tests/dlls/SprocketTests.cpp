// Our Sprocket widget library through its DLL boundary: its start, and push buttons, radio groups,
// progress views, static texts and text fields as real controls inside a real parent window.
#include "base/LibraryStatusTables.h"
#include "dlls/sprocket/Sprocket.h"
#include "tests/dlls/TrellisLibraryTest.h"
#include "tests/support/Clipboard.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwchar>
#include <utility>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
class CButtonHandler final : public NSSprocket::IPushButtonViewHandler
{
public:
    u32 Callback0() override { return kTrellisOK; }
    u32 Callback1(u32*) override { return kTrellisOK; }
    u32 Pressed(NSSprocket::IPushButtonView* button) override
    {
        fPressed = button;
        ++fPresses;
        return kTrellisOK;
    }
    NSSprocket::IPushButtonView* fPressed = nullptr;
    int fPresses = 0;
};

// Hears selections; like the program's window, it writes each one back into the group's record.
class CRadioHandler final : public NSSprocket::IRadioButtonGroupViewHandler
{
public:
    u32 Callback0() override { return kTrellisOK; }
    u32 Callback1() override { return kTrellisOK; }
    u32 SelectionChanged(NSSprocket::IRadioButtonGroupView* group, u16 selection) override
    {
        fGroup = group;
        fSelections.push_back(selection);
        auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
        EXPECT_EQ(group->GetProperties(record.get()), kTrellisOK);
        EXPECT_EQ(record->fSelected, selection) << "the group shows the selection before it tells";
        record->fSelected = selection;
        EXPECT_EQ(group->SetProperties(record.get()), kTrellisOK);
        return kTrellisOK;
    }
    NSSprocket::IRadioButtonGroupView* fGroup = nullptr;
    std::vector<u16> fSelections;
};

// Hears a text field. Like the log-on dialog, it may hold the text to a length; edit commands
// are taken or left to the field as the test says.
class CFieldHandler final : public NSSprocket::ITextFieldViewHandler
{
public:
    u32 Callback0() override { return kTrellisOK; }
    u32 Action(NSSprocket::ITextFieldView* field, u32 key, u32* out) override
    {
        fField = field;
        fActions.push_back(key);
        *out = 1;
        return kTrellisOK;
    }
    u32 Callback2(NSSprocket::ITextFieldView*, u32* out) override
    {
        *out = 0;
        return kTrellisOK;
    }
    u32 TextChanged(NSSprocket::ITextFieldView* field, u16* text, u32* start, u32* end) override
    {
        fField = field;
        std::wstring seen;
        for (const u16* unit = text; *unit; ++unit)
            seen.push_back(wchar_t(*unit));
        fTexts.push_back(seen);
        if (seen.size() > fLimit)
        {
            text[fLimit] = 0;
            *start = std::min<u32>(*start, fLimit);
            *end = std::min<u32>(*end, fLimit);
        }
        return kTrellisOK;
    }
    u32 Callback4() override { return kTrellisOK; }
    u32 Callback5() override { return kTrellisOK; }
    u32 UpdateEditMenu(NSSprocket::ITextFieldView*, NSTrellis::IMenuBar*) override { return kTrellisOK; }
    u32 DoEditCommand(NSSprocket::ITextFieldView*, const NSTrellis::TCommandEvent* event, u32* handled) override
    {
        fCommands.push_back(event->fCommand);
        *handled = fTakeCommands ? 1 : 0;
        return kTrellisOK;
    }

    NSSprocket::ITextFieldView* fField = nullptr;
    std::vector<u32> fActions;
    std::vector<std::wstring> fTexts;
    std::vector<u32> fCommands;
    size_t fLimit = 1023;
    bool fTakeCommands = false;
};

// The platform control of the only control in the window.
HWND OnlyControl(HWND parent)
{
    HWND host = FindWindowExW(parent, nullptr, L"Sprocket.Control", nullptr);
    EXPECT_NE(host, nullptr);
    EXPECT_EQ(FindWindowExW(parent, host, L"Sprocket.Control", nullptr), nullptr);
    return host ? GetWindow(host, GW_CHILD) : nullptr;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The platform controls of the only control in the window, in their order.
std::vector<HWND> OnlyControls(HWND parent)
{
    std::vector<HWND> controls;
    for (HWND child = GetWindow(OnlyControl(parent), GW_HWNDFIRST); child; child = GetWindow(child, GW_HWNDNEXT))
        controls.push_back(child);
    return controls;
}

RECT FrameInParent(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(GetParent(window)), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

template <size_t N>
void Fill(u16 (&field)[N], const wchar_t* text)
{
    for (size_t i = 0; text[i] && i + 1 < N; ++i)
        field[i] = u16(text[i]);
}

class Sprocket : public TrellisLibraryTest
{
protected:
    void SetUp() override
    {
        TrellisLibraryTest::SetUp();
        u32 status = 0;
        fSprocket = Sprocket_Create("ISprocket", fTrellis, &status);
        ASSERT_EQ(status, kTrellisOK);
        ASSERT_NE(fSprocket, nullptr);
        ASSERT_EQ(fSprocket->Initialize(1), kTrellisOK);
    }
    void TearDown() override
    {
        if (fSprocket)
            fSprocket->Release(1);
        TrellisLibraryTest::TearDown();
    }

    NSSprocket::ISprocket* fSprocket = nullptr;
    CWindowView fParent;
};

TEST(SprocketStart, TheFactoryAndInitializeRefuseWhatTheyDoNotKnow)
{
    u32 trellisStatus = kTrellisOK;
    ITrellis* trellis = Trellis_Create("ITrellis", &trellisStatus);
    ASSERT_NE(trellis, nullptr);
    u32 status = 0;
    EXPECT_EQ(Sprocket_Create("ITrellis", trellis, &status), nullptr);
    EXPECT_EQ(status, kTrellisNoSuchInterface);
    EXPECT_EQ(Sprocket_Create("ISprocket", nullptr, &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    NSSprocket::ISprocket* sprocket = Sprocket_Create("ISprocket", trellis, &status);
    ASSERT_NE(sprocket, nullptr);
    EXPECT_EQ(status, kTrellisOK);
    EXPECT_EQ(Sprocket_Create("ISprocket", trellis, &status), sprocket) << "one object per process";

    CWindowView parent;
    NSSprocket::TProgressViewRecord record{};
    EXPECT_EQ(sprocket->CreateProgressView(&parent, &record, 87, 88, 115, "early", &status), nullptr);
    EXPECT_EQ(status, kTrellisIllegalCallSequence) << "controls wait for Initialize";
    EXPECT_EQ(sprocket->Initialize(2), kTrellisInvalidArgument);
    EXPECT_EQ(sprocket->Initialize(1), kTrellisOK);
    sprocket->Release(1);
    trellis->Release(1);
}

TEST_F(Sprocket, APushButtonsRecordRoundTripsThroughTheButton)
{
    NSSprocket::TPushButtonRecord record{};
    const i32 frame[4] = {10, 20, 110, 44};
    std::copy(frame, frame + 4, record.fFrame);
    Fill(record.fTitle, L"Create Vantle\x2026");
    Fill(record.fText, L"help");
    record.fEnabled = 1;
    CButtonHandler handler;
    u32 status = 0;
    NSSprocket::IPushButtonView* button =
        fSprocket->CreatePushButton(&fParent, &handler, &record, 0, 87, 96, 88, 96, 115, "fStopButton", &status);
    ASSERT_EQ(status, kTrellisOK);
    ASSERT_NE(button, nullptr);
    HWND control = OnlyControl(fParent.fWindow);
    EXPECT_EQ(WindowText(control), L"Create Vantle\x2026");
    EXPECT_TRUE(IsWindowEnabled(control));
    EXPECT_STREQ(static_cast<const char*>(GetPropW(GetParent(control), kViewNameProperty)), "fStopButton");

    NSSprocket::TPushButtonRecord read{};
    ASSERT_EQ(button->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0);

    SetWindowTextW(control, L"Stop");
    read.fEnabled = 0;
    read.fFrame[2] = 150;
    ASSERT_EQ(button->SetProperties(&read), kTrellisOK);
    EXPECT_FALSE(IsWindowEnabled(control));
    EXPECT_EQ(WindowText(control), L"Create Vantle\x2026") << "the record's title wins";
    RECT size{};
    GetClientRect(control, &size);
    EXPECT_EQ(size.right, 140);
    EXPECT_EQ(size.bottom, 24);
    NSSprocket::TPushButtonRecord again{};
    ASSERT_EQ(button->GetProperties(&again), kTrellisOK);
    EXPECT_EQ(std::memcmp(&again, &read, sizeof(read)), 0);
    button->Release(1);
    EXPECT_EQ(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}

TEST_F(Sprocket, AnIconTakesTheTitlesPlaceOnAButton)
{
    IPlatformServices* services = nullptr;
    ASSERT_EQ(fTrellis->GetPlatformServices(&services), kTrellisOK);
    static const BYTE andMask[32] = {};
    static const BYTE xorMask[32] = {0xFF, 0xFF, 0xF0, 0x0F};
    const HICON handle = CreateIcon(nullptr, 16, 16, 1, 1, andMask, xorMask);
    u32 status = 0;
    NSTrellis::IIcon* icon = services->CreateIconFromHandles(handle, 0, handle, 0, 0, 0, 0, &status);
    ASSERT_NE(icon, nullptr);

    NSSprocket::TPushButtonRecord record{{0, 0, 28, 24}};
    record.fIcon = icon;
    record.fEnabled = 1;
    NSSprocket::IPushButtonView* button = fSprocket->CreatePushButton(
        &fParent, nullptr, &record, 97, 87, 97, 88, 96, 115, "fSelectInputDirButton", &status);
    ASSERT_NE(button, nullptr);
    const HWND control = OnlyControl(fParent.fWindow);
    EXPECT_NE(GetWindowLongPtrW(control, GWL_STYLE) & BS_ICON, 0);
    EXPECT_EQ(HICON(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0)), handle);
    NSSprocket::TPushButtonRecord read{};
    ASSERT_EQ(button->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0);

    read.fIcon = nullptr;
    Fill(read.fTitle, L"Go");
    ASSERT_EQ(button->SetProperties(&read), kTrellisOK);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & BS_ICON, 0) << "the title shows again";
    EXPECT_EQ(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    EXPECT_EQ(WindowText(control), L"Go");
    button->Release(1);
    icon->Release();
}

TEST_F(Sprocket, ClicksOnAnEnabledButtonReachItsHandler)
{
    NSSprocket::TPushButtonRecord record{{0, 0, 80, 24}};
    Fill(record.fTitle, L"Go");
    record.fEnabled = 1;
    CButtonHandler handler;
    u32 status = 0;
    NSSprocket::IPushButtonView* button =
        fSprocket->CreatePushButton(&fParent, &handler, &record, 0, 87, 96, 88, 96, 115, "go", &status);
    ASSERT_NE(button, nullptr);
    HWND control = OnlyControl(fParent.fWindow);
    SendMessageW(control, BM_CLICK, 0, 0);
    EXPECT_EQ(handler.fPresses, 1);
    EXPECT_EQ(handler.fPressed, button);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(handler.fPresses, 2);

    button->Release(1);
}

TEST_F(Sprocket, AFailureInsideAControlsWindowProcedureStaysInTheLibrary)
{
    // A handler that breaks its contract: a press throws.
    class CThrowingHandler final : public NSSprocket::IPushButtonViewHandler
    {
    public:
        u32 Callback0() override { return kTrellisOK; }
        u32 Callback1(u32*) override { return kTrellisOK; }
        u32 Pressed(NSSprocket::IPushButtonView*) override
        {
            ++fPresses;
            throw std::runtime_error("pressed");
        }
        int fPresses = 0;
    } handler;
    NSSprocket::TPushButtonRecord record{{0, 0, 80, 24}};
    Fill(record.fTitle, L"Go");
    record.fEnabled = 1;
    u32 status = 0;
    NSSprocket::IPushButtonView* button =
        fSprocket->CreatePushButton(&fParent, &handler, &record, 0, 87, 96, 88, 96, 115, "go", &status);
    ASSERT_NE(button, nullptr);
    HWND control = OnlyControl(fParent.fWindow);

    for (int i = 0; i < 2; ++i)
        EXPECT_NO_THROW(SendMessageW(control, BM_CLICK, 0, 0));
    EXPECT_EQ(handler.fPresses, 2) << "the button goes on hearing its clicks";

    button->Release(1);
}

TEST_F(Sprocket, AProgressViewShowsThousandthsOfTheWhole)
{
    NSSprocket::TProgressViewRecord record{{20, 100, 300, 112}, 0, 1};
    u32 status = 0;
    NSSprocket::IProgressView* progress =
        fSprocket->CreateProgressView(&fParent, &record, 87, 88, 115, "fProgressBarView", &status);
    ASSERT_EQ(status, kTrellisOK);
    HWND control = OnlyControl(fParent.fWindow);
    EXPECT_EQ(SendMessageW(control, PBM_GETRANGE, FALSE, 0), 1000);
    EXPECT_EQ(SendMessageW(control, PBM_GETPOS, 0, 0), 0);

    struct Case
    {
        u32 value;
        LRESULT shown;
    };
    for (const Case& c : {Case{250, 250}, Case{1000, 1000}, Case{5000, 1000}, Case{0, 0}})
    {
        record.fValue = c.value;
        ASSERT_EQ(progress->SetProperties(&record), kTrellisOK);
        EXPECT_EQ(SendMessageW(control, PBM_GETPOS, 0, 0), c.shown) << c.value;
        NSSprocket::TProgressViewRecord read{};
        ASSERT_EQ(progress->GetProperties(&read), kTrellisOK);
        EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0) << c.value;
    }
    progress->Release(1);
}

TEST_F(Sprocket, AStaticTextShowsItsTextAligned)
{
    NSSprocket::TStaticTextRecord record{{4, 4, 204, 20}};
    Fill(record.fText, L"Tessaro & K42");
    record.fAlignment = NSSprocket::kAlignmentRight;
    record.fStyle = NSSprocket::kTextStyleNormal;
    record.fUnnamed2072 = 97;
    record.fUnnamed2076 = 1;
    Fill(record.fSecondText, L"second");
    u32 status = 0;
    NSSprocket::IStaticTextView* text = fSprocket->CreateStaticText(&fParent, &record, 88, 115, "label", &status);
    ASSERT_EQ(status, kTrellisOK);
    HWND control = OnlyControl(fParent.fWindow);
    EXPECT_EQ(WindowText(control), L"Tessaro & K42");
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX) << "an ampersand is shown as typed";

    record.fAlignment = NSSprocket::kAlignmentCenter;
    ASSERT_EQ(text->SetProperties(&record), kTrellisOK);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    NSSprocket::TStaticTextRecord read{};
    ASSERT_EQ(text->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0);

    NSSprocket::TStaticTextRecord bad = record;
    bad.fAlignment = 3;
    EXPECT_EQ(text->SetProperties(&bad), kTrellisInvalidArgument);
    ASSERT_EQ(text->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(read.fAlignment, NSSprocket::kAlignmentCenter) << "a refused record changes nothing";
    EXPECT_EQ(fSprocket->CreateStaticText(&fParent, &bad, 88, 115, "bad", &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    text->Release(1);
}

TEST_F(Sprocket, ALongTitleIsCutToItsField)
{
    NSSprocket::TPushButtonRecord record{{0, 0, 80, 24}};
    record.fEnabled = 1;
    u32 status = 0;
    NSSprocket::IPushButtonView* button =
        fSprocket->CreatePushButton(&fParent, nullptr, &record, 0, 87, 96, 88, 96, 115, "long", &status);
    ASSERT_NE(button, nullptr);
    SetWindowTextW(OnlyControl(fParent.fWindow), std::wstring(400, L'x').c_str());
    NSSprocket::TPushButtonRecord read{};
    ASSERT_EQ(button->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(read.fTitle[254], u16('x'));
    EXPECT_EQ(read.fTitle[255], 0);
    button->Release(1);
}
TEST_F(Sprocket, ASeparatorLineRunsAlongTheLongerSideOfItsFrame)
{
    NSSprocket::TSeparatorLineRecord record{{20, 60, 460, 62}, 1};
    u32 status = 0;
    NSSprocket::ISeparatorLineView* line =
        fSprocket->CreateSeparatorLine(&fParent, &record, 422, 422, 115, "fInputSeparatorView", &status);
    ASSERT_EQ(status, kTrellisOK);
    HWND control = OnlyControl(fParent.fWindow);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDHORZ);
    record = {{20, 60, 22, 200}, 1};
    ASSERT_EQ(line->SetProperties(&record), kTrellisOK);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDVERT);
    NSSprocket::TSeparatorLineRecord read{};
    ASSERT_EQ(line->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0);
    line->Release(1);
}
// Whether the window covers the point of its parent: its rectangle, cut to its shape if it has one.
bool Covers(HWND window, POINT point)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&frame), 2);
    if (!PtInRect(&frame, point))
        return false;
    const HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const bool inside = GetWindowRgn(window, shape) == ERROR || PtInRegion(shape, point.x - frame.left,
                                                                            point.y - frame.top);
    DeleteObject(shape);
    return inside;
}

TEST_F(Sprocket, ARadioGroupsRecordRoundTripsThroughItsButtons)
{
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    record->fCount = 2;
    const i32 frames[2][4] = {{20, 30, 220, 46}, {20, 56, 120, 72}};
    const wchar_t* labels[2] = {L"Default (Tessaro 8.2 or later)", L"Custom"};
    for (int i = 0; i < 2; ++i)
    {
        std::copy(frames[i], frames[i] + 4, record->fItems[i].fFrame);
        Fill(record->fItems[i].fLabel, labels[i]);
        Fill(record->fItems[i].fLabelAgain, labels[i]);
    }
    record->fUnnamed164872 = 1;
    CRadioHandler handler;
    u32 status = 0;
    NSSprocket::IRadioButtonGroupView* group =
        fSprocket->CreateRadioButtonGroup(&fParent, &handler, record.get(), 87, 88, 115, "radioButtonGroupView",
                                          &status);
    ASSERT_EQ(status, kTrellisOK);
    ASSERT_NE(group, nullptr);
    std::vector<HWND> buttons = OnlyControls(fParent.fWindow);
    ASSERT_EQ(buttons.size(), 2u);
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(WindowText(buttons[i]), labels[i]);
        const RECT shown = FrameInParent(buttons[i]);
        EXPECT_EQ(shown.left, frames[i][0]);
        EXPECT_EQ(shown.top, frames[i][1]);
        EXPECT_EQ(shown.right, frames[i][2]);
        EXPECT_EQ(shown.bottom, frames[i][3]);
        EXPECT_EQ(SendMessageW(buttons[i], BM_GETCHECK, 0, 0), i == 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    // The group covers its items only: beside the shorter one, what lies there in the parent shows.
    const HWND host = GetParent(buttons[0]);
    EXPECT_TRUE(Covers(host, {30, 60}));
    EXPECT_FALSE(Covers(host, {150, 60}));
    auto read = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    ASSERT_EQ(group->GetProperties(read.get()), kTrellisOK);
    EXPECT_EQ(std::memcmp(read.get(), record.get(), sizeof(*record)), 0);

    // Moved by one offset, the second selected, a third item added.
    for (int i = 0; i < 2; ++i)
    {
        record->fItems[i].fFrame[0] += 5;
        record->fItems[i].fFrame[2] += 5;
        record->fItems[i].fFrame[1] += 40;
        record->fItems[i].fFrame[3] += 40;
    }
    record->fItems[2] = record->fItems[1];
    record->fItems[2].fFrame[1] += 30;
    record->fItems[2].fFrame[3] += 30;
    std::fill(std::begin(record->fItems[2].fLabel), std::end(record->fItems[2].fLabel), u16(0));
    Fill(record->fItems[2].fLabel, L"Third");
    record->fCount = 3;
    record->fSelected = 1;
    ASSERT_EQ(group->SetProperties(record.get()), kTrellisOK);
    buttons = OnlyControls(fParent.fWindow);
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(FrameInParent(buttons[0]).top, 70);
    EXPECT_TRUE(Covers(host, {30, 100}));
    EXPECT_FALSE(Covers(host, {150, 100}));
    EXPECT_EQ(WindowText(buttons[2]), L"Third");
    EXPECT_EQ(SendMessageW(buttons[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(buttons[1], BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_EQ(group->GetProperties(read.get()), kTrellisOK);
    EXPECT_EQ(std::memcmp(read.get(), record.get(), sizeof(*record)), 0);

    record->fCount = 1;
    record->fSelected = 0;
    ASSERT_EQ(group->SetProperties(record.get()), kTrellisOK);
    EXPECT_EQ(OnlyControls(fParent.fWindow).size(), 1u);
    EXPECT_TRUE(handler.fSelections.empty()) << "the program's own changes are not selections";
    group->Release(1);
    EXPECT_EQ(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}

TEST_F(Sprocket, ClickingAnotherRadioButtonSelectsItAndTellsTheHandler)
{
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    record->fCount = 3;
    for (i32 i = 0; i < 3; ++i)
    {
        const i32 frame[4] = {10, 10 + 20 * i, 150, 26 + 20 * i};
        std::copy(frame, frame + 4, record->fItems[i].fFrame);
        Fill(record->fItems[i].fLabel, L"choice");
    }
    CRadioHandler handler;
    u32 status = 0;
    NSSprocket::IRadioButtonGroupView* group =
        fSprocket->CreateRadioButtonGroup(&fParent, &handler, record.get(), 87, 88, 115, "group", &status);
    ASSERT_NE(group, nullptr);
    const std::vector<HWND> buttons = OnlyControls(fParent.fWindow);
    ASSERT_EQ(buttons.size(), 3u);
    const auto checked = [&]
    {
        std::vector<bool> states;
        for (HWND button : buttons)
            states.push_back(SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED);
        return states;
    };

    SendMessageW(buttons[2], BM_CLICK, 0, 0);
    EXPECT_EQ(handler.fSelections, std::vector<u16>{2});
    EXPECT_EQ(handler.fGroup, group);
    EXPECT_EQ(checked(), (std::vector<bool>{false, false, true}));

    SendMessageW(buttons[2], BM_CLICK, 0, 0);
    EXPECT_EQ(handler.fSelections.size(), 1u) << "the selected item clicked again changes nothing";

    SendMessageW(buttons[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(buttons[1], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(handler.fSelections, (std::vector<u16>{2, 1}));
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, false}));
    auto read = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    ASSERT_EQ(group->GetProperties(read.get()), kTrellisOK);
    EXPECT_EQ(read->fSelected, 1u);
    group->Release(1);
}

TEST_F(Sprocket, ARadioGroupRefusesItemsItCannotHoldAndASelectionOutsideThem)
{
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    record->fCount = 2;
    record->fItems[0] = {{0, 0, 80, 16}};
    record->fItems[1] = {{0, 20, 80, 36}};
    struct
    {
        u16 fCount;
        u16 fSelected;
    } const kRefused[] = {{65, 0}, {0xFFFF, 0}, {2, 2}, {1, 7}};
    u32 status = 0;
    for (const auto& c : kRefused)
    {
        auto bad = std::make_unique<NSSprocket::TRadioButtonGroupRecord>(*record);
        bad->fCount = c.fCount;
        bad->fSelected = c.fSelected;
        EXPECT_EQ(fSprocket->CreateRadioButtonGroup(&fParent, nullptr, bad.get(), 87, 88, 115, "bad", &status),
                  nullptr);
        EXPECT_EQ(status, kTrellisInvalidArgument) << c.fCount << " " << c.fSelected;
    }
    EXPECT_EQ(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);

    NSSprocket::IRadioButtonGroupView* group =
        fSprocket->CreateRadioButtonGroup(&fParent, nullptr, record.get(), 87, 88, 115, "group", &status);
    ASSERT_NE(group, nullptr);
    for (const auto& c : kRefused)
    {
        auto bad = std::make_unique<NSSprocket::TRadioButtonGroupRecord>(*record);
        bad->fCount = c.fCount;
        bad->fSelected = c.fSelected;
        EXPECT_EQ(group->SetProperties(bad.get()), kTrellisInvalidArgument) << c.fCount << " " << c.fSelected;
    }
    auto read = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    ASSERT_EQ(group->GetProperties(read.get()), kTrellisOK);
    EXPECT_EQ(std::memcmp(read.get(), record.get(), sizeof(*record)), 0) << "a refused record changes nothing";
    SendMessageW(OnlyControls(fParent.fWindow)[1], BM_CLICK, 0, 0); // no handler: the click only selects
    ASSERT_EQ(group->GetProperties(read.get()), kTrellisOK);
    EXPECT_EQ(read->fSelected, 1u);

    record->fCount = 0;
    record->fSelected = 0;
    ASSERT_EQ(group->SetProperties(record.get()), kTrellisOK);
    EXPECT_EQ(GetWindow(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), GW_CHILD), nullptr);
    group->Release(1);
}

NSSprocket::TTextFieldRecord FieldRecord(const wchar_t* text, u32 start, u32 end, u8 singleLine)
{
    NSSprocket::TTextFieldRecord record{{10, 10, 200, 30}};
    Fill(record.fText, text);
    record.fSelectionStart = start;
    record.fSelectionEnd = end;
    record.fSingleLine = singleLine;
    record.fUnnamed2076 = 1;
    Fill(record.fSecondText, L"second");
    return record;
}

std::pair<DWORD, DWORD> SelectionOf(HWND control)
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return {start, end};
}

void Type(HWND control, const std::wstring& keys)
{
    for (wchar_t key : keys)
        SendMessageW(control, WM_CHAR, key, 1);
}

void EmptyTheClipboard(HWND owner)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    CloseClipboard();
}

class SprocketTextField : public Sprocket
{
protected:
    NSSprocket::ITextFieldView* Make(const NSSprocket::TTextFieldRecord& record, u8 flags = 0)
    {
        u32 status = 0;
        NSSprocket::ITextFieldView* field =
            fSprocket->CreateTextField(&fParent, &fHandler, &record, 87, 88, 115, flags, "fUserName", &status);
        EXPECT_EQ(status, kTrellisOK);
        EXPECT_NE(field, nullptr);
        fControl = field ? OnlyControl(fParent.fWindow) : nullptr;
        return field;
    }

    CFieldHandler fHandler;
    HWND fControl = nullptr;
};

TEST_F(SprocketTextField, ItsRecordRoundTripsThroughTheEditControl)
{
    struct
    {
        const wchar_t* fText;
        u32 fStart;
        u32 fEnd;
        u8 fSingleLine;
        u8 fFlags;
        LONG_PTR fStyles; // the control's styles that tell the kind of field
    } const kCases[] = {
        {L"Administrator", 2, 5, 1, 0, 0},
        {L"one\r\ntwo", 0, 8, 0, 0, ES_MULTILINE},
        {L"secret", 6, 6, 1, NSSprocket::kTextFieldPassword, ES_PASSWORD},
        {L"", 0, 0, 1, 0, 0},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(::testing::Message() << "field " << int(&c - kCases));
        const NSSprocket::TTextFieldRecord record = FieldRecord(c.fText, c.fStart, c.fEnd, c.fSingleLine);
        NSSprocket::ITextFieldView* field = Make(record, c.fFlags);
        ASSERT_NE(field, nullptr);
        wchar_t className[16] = {};
        GetClassNameW(fControl, className, 16);
        EXPECT_EQ(_wcsicmp(className, L"Edit"), 0);
        EXPECT_EQ(GetWindowLongPtrW(fControl, GWL_STYLE) & (ES_MULTILINE | ES_PASSWORD), c.fStyles);
        EXPECT_EQ(WindowText(fControl), c.fText);
        EXPECT_EQ(SelectionOf(fControl), std::make_pair(DWORD(c.fStart), DWORD(c.fEnd)));
        NSSprocket::TTextFieldRecord read{};
        ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
        EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0) << "the masked text reads back plain";
        field->Release(1);
    }

    NSSprocket::TTextFieldRecord record = FieldRecord(L"Administrator", 0, 0, 1);
    NSSprocket::ITextFieldView* field = Make(record);
    ASSERT_NE(field, nullptr);
    record = FieldRecord(L"Tessaro", 7, 1, 1);
    record.fFrame[3] = 40;
    ASSERT_EQ(field->SetProperties(&record), kTrellisOK);
    EXPECT_EQ(WindowText(fControl), L"Tessaro");
    EXPECT_EQ(SelectionOf(fControl), std::make_pair(DWORD(1), DWORD(7)));
    NSSprocket::TTextFieldRecord read{};
    ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &record, sizeof(record)), 0) << "a selection written backwards reads back so";

    SendMessageW(fControl, EM_SETSEL, 0, 3);
    Type(fControl, L"X");
    ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::wstring(read.fText, read.fText + 6), std::wstring(L"Xsaro", 6)) << "with its terminator";
    EXPECT_EQ(read.fSelectionStart, 1u);
    EXPECT_EQ(read.fSelectionEnd, 1u);
    EXPECT_EQ(read.fFrame[3], 40);
    EXPECT_TRUE(fHandler.fTexts.size() == 1) << "the program's own records are no changes of the user";
    field->Release(1);
    EXPECT_EQ(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}

TEST_F(SprocketTextField, TypedTextTellsTheHandlerWhichMayHoldItToALength)
{
    fHandler.fLimit = 3;
    NSSprocket::ITextFieldView* field = Make(FieldRecord(L"", 0, 0, 1));
    ASSERT_NE(field, nullptr);
    Type(fControl, L"abcd");
    EXPECT_EQ(fHandler.fTexts, (std::vector<std::wstring>{L"a", L"ab", L"abc", L"abcd"}));
    EXPECT_EQ(fHandler.fField, field);
    EXPECT_EQ(WindowText(fControl), L"abc") << "the field shows the handler's answer";
    EXPECT_EQ(SelectionOf(fControl), std::make_pair(DWORD(3), DWORD(3)));
    NSSprocket::TTextFieldRecord read{};
    ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(read.fText[2], u16('c'));
    EXPECT_EQ(read.fText[3], 0);
    EXPECT_EQ(fHandler.fTexts.size(), 4u) << "the answer shown is no new change";
    field->Release(1);
}

TEST_F(SprocketTextField, TypingStopsAtWhatTheRecordHolds)
{
    fHandler.fLimit = 5000;
    const std::wstring full(NSSprocket::kTextFieldMaxLength, L'n');
    NSSprocket::ITextFieldView* field = Make(FieldRecord(full.c_str(), 1023, 1023, 1));
    ASSERT_NE(field, nullptr);
    Type(fControl, L"xy");
    EXPECT_EQ(GetWindowTextLengthW(fControl), int(NSSprocket::kTextFieldMaxLength));
    NSSprocket::TTextFieldRecord read{};
    ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(read.fText[1022], u16('n'));
    EXPECT_EQ(read.fText[1023], 0);
    field->Release(1);
}

TEST_F(SprocketTextField, EnterIsTheActionOfASingleLineFieldAndALineBreakInAMultiLineOne)
{
    NSSprocket::ITextFieldView* single = Make(FieldRecord(L"name", 4, 4, 1));
    ASSERT_NE(single, nullptr);
    Type(fControl, L"\r");
    EXPECT_EQ(fHandler.fActions, std::vector<u32>{13});
    EXPECT_EQ(fHandler.fField, single);
    EXPECT_EQ(WindowText(fControl), L"name");
    EXPECT_TRUE(fHandler.fTexts.empty());
    single->Release(1);

    NSSprocket::ITextFieldView* multi = Make(FieldRecord(L"name", 4, 4, 0));
    ASSERT_NE(multi, nullptr);
    Type(fControl, L"\rx");
    EXPECT_EQ(fHandler.fActions.size(), 1u);
    EXPECT_EQ(WindowText(fControl), L"name\r\nx");
    multi->Release(1);
}

TEST_F(SprocketTextField, KeysPressedReachTheFieldAsTheMessageLoopTranslatesThem)
{
    NSSprocket::ITextFieldView* field = Make(FieldRecord(L"", 0, 0, 1));
    ASSERT_NE(field, nullptr);
    for (WPARAM key : {WPARAM('K'), WPARAM('4'), WPARAM(VK_RETURN)})
    {
        const LPARAM scan = LPARAM(MapVirtualKeyW(UINT(key), MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(fControl, WM_KEYDOWN, key, scan | 1);
        PostMessageW(fControl, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    EXPECT_EQ(fHandler.fTexts, (std::vector<std::wstring>{L"k", L"k4"}));
    EXPECT_EQ(fHandler.fActions, std::vector<u32>{13});
    field->Release(1);
}

TEST_F(SprocketTextField, EditOperationsMoveTextThroughTheClipboard)
{
    NSSprocket::ITextFieldView* field = Make(FieldRecord(L"hello world", 0, 5, 1));
    ASSERT_NE(field, nullptr);
    EmptyTheClipboard(fParent.fWindow);
    u32 canPaste = 7;
    ASSERT_EQ(field->CanPaste(&canPaste), kTrellisOK);
    EXPECT_EQ(canPaste, 0u);

    const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, NSTrellis::kEditCommandCopy};
    ASSERT_EQ(field->Copy(&event, 0, 0), kTrellisOK);
    EXPECT_EQ(ClipboardText(), L"hello");
    ASSERT_EQ(field->CanPaste(&canPaste), kTrellisOK);
    EXPECT_EQ(canPaste, 1u);
    EXPECT_TRUE(fHandler.fTexts.empty()) << "a copy changes no text";

    SendMessageW(fControl, EM_SETSEL, 5, 11);
    ASSERT_EQ(field->Cut(&event, 0, 0), kTrellisOK);
    EXPECT_EQ(WindowText(fControl), L"hello");
    EXPECT_EQ(ClipboardText(), L" world");
    ASSERT_EQ(field->Paste(&event, 0, 0), kTrellisOK);
    ASSERT_EQ(field->Paste(&event, 0, 0), kTrellisOK);
    EXPECT_EQ(WindowText(fControl), L"hello world world");
    SendMessageW(fControl, EM_SETSEL, 0, 6);
    ASSERT_EQ(field->Clear(&event, 0, 0), kTrellisOK);
    EXPECT_EQ(WindowText(fControl), L"world world");
    EXPECT_EQ(ClipboardText(), L" world") << "clear leaves the clipboard alone";
    EXPECT_EQ(fHandler.fTexts, (std::vector<std::wstring>{L"hello", L"hello world", L"hello world world",
                                                          L"world world"}));
    EXPECT_EQ(field->CanPaste(nullptr), kTrellisInvalidArgument);
    field->Release(1);
}

TEST_F(SprocketTextField, EditShortcutsGoToTheHandlerFirst)
{
    NSSprocket::ITextFieldView* field = Make(FieldRecord(L"abc def", 1, 2, 1));
    ASSERT_NE(field, nullptr);
    fHandler.fTakeCommands = true;
    Type(fControl, L"\x01\x03\x18\x16");
    EXPECT_EQ(fHandler.fCommands, (std::vector<u32>{NSTrellis::kEditCommandSelectAll, NSTrellis::kEditCommandCopy,
                                                     NSTrellis::kEditCommandCut, NSTrellis::kEditCommandPaste}));
    EXPECT_EQ(WindowText(fControl), L"abc def") << "the handler took them all";
    EXPECT_EQ(SelectionOf(fControl), std::make_pair(DWORD(1), DWORD(2)));

    fHandler.fTakeCommands = false;
    Type(fControl, L"\x01\x03");
    EXPECT_EQ(SelectionOf(fControl), std::make_pair(DWORD(0), DWORD(7)));
    EXPECT_EQ(ClipboardText(), L"abc def");
    SendMessageW(fControl, EM_SETSEL, 3, 7);
    Type(fControl, L"\x18");
    EXPECT_EQ(WindowText(fControl), L"abc");
    Type(fControl, L"\x16\x16");
    EXPECT_EQ(WindowText(fControl), L"abc def def");
    EXPECT_EQ(fHandler.fCommands.size(), 9u);
    field->Release(1);
}

TEST_F(SprocketTextField, RecordsItCannotShowAreRefused)
{
    const NSSprocket::TTextFieldRecord good = FieldRecord(L"name", 1, 3, 1);
    NSSprocket::TTextFieldRecord unterminated = good;
    std::fill(std::begin(unterminated.fText), std::end(unterminated.fText), u16('z'));
    unterminated.fSelectionStart = unterminated.fSelectionEnd = 0;
    struct
    {
        const char* fWhat;
        NSSprocket::TTextFieldRecord fRecord;
        bool fRefusedAtCreation;
    } const kCases[] = {
        {"selection start past the text", FieldRecord(L"name", 5, 1, 1), true},
        {"selection end past the text", FieldRecord(L"name", 0, 9, 1), true},
        {"a text without its terminator", unterminated, true},
        {"a single-line flag of 2", FieldRecord(L"name", 0, 0, 2), true},
        {"a multi-line record for a single-line field", FieldRecord(L"name", 0, 0, 0), false},
    };
    u32 status = 0;
    for (const auto& c : kCases)
    {
        if (!c.fRefusedAtCreation)
            continue;
        EXPECT_EQ(fSprocket->CreateTextField(&fParent, &fHandler, &c.fRecord, 87, 88, 115, 0, "bad", &status),
                  nullptr)
            << c.fWhat;
        EXPECT_EQ(status, kTrellisInvalidArgument) << c.fWhat;
    }
    EXPECT_EQ(fSprocket->CreateTextField(&fParent, &fHandler, nullptr, 87, 88, 115, 0, "bad", &status), nullptr);
    EXPECT_EQ(status, kTrellisInvalidArgument);
    EXPECT_EQ(FindWindowExW(fParent.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);

    NSSprocket::ITextFieldView* field = Make(good);
    ASSERT_NE(field, nullptr);
    for (const auto& c : kCases)
        EXPECT_EQ(field->SetProperties(&c.fRecord), kTrellisInvalidArgument) << c.fWhat;
    EXPECT_EQ(field->SetProperties(nullptr), kTrellisInvalidArgument);
    NSSprocket::TTextFieldRecord read{};
    ASSERT_EQ(field->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(std::memcmp(&read, &good, sizeof(good)), 0) << "a refused record changes nothing";
    EXPECT_TRUE(fHandler.fTexts.empty());
    field->Release(1);
}

TEST_F(Sprocket, TextIsMeasuredAsTheTextFieldThatShowsItWhole)
{
    const auto measure = [&](const wchar_t* text, u32 width)
    {
        std::vector<u16> units(text, text + wcslen(text) + 1);
        std::array<i32, 2> size{-1, -1};
        EXPECT_EQ(fSprocket->MeasureTextLines(units.data(), width, 87, 88, size.data()), kTrellisOK);
        return size;
    };
    const auto empty = measure(L"", 0);
    const auto word = measure(L"word", 0);
    const auto two = measure(L"word\nword", 0);
    const i32 pitch = two[1] - word[1];
    EXPECT_GT(pitch, 0);
    EXPECT_EQ(empty[1], word[1]) << "an empty text is one line";
    EXPECT_GT(word[0], empty[0]);
    EXPECT_GT(empty[0], 0) << "the field's border and margins";
    EXPECT_GT(word[1], pitch) << "a field is taller than a line of its text";
    EXPECT_EQ(two[0], word[0]);
    EXPECT_EQ(measure(L"word\nword\nword", 0)[1] - two[1], pitch);
    const auto both = measure(L"word word", 0);
    EXPECT_GT(both[0], word[0]);
    EXPECT_EQ(measure(L"word word", u32(word[0] + 2))[1], two[1]) << "wrapped to the field's width";
    EXPECT_EQ(measure(L"word word", u32(both[0]))[1], word[1]) << "a field as wide as the text needs one line";

    // A field just one line high takes that line and the margin of the program's single-line rule.
    u32 status = 0;
    NSSprocket::TTextFieldRecord record{{0, 0, 100, word[1]}};
    record.fSingleLine = 1;
    NSSprocket::ITextFieldView* field =
        fSprocket->CreateTextField(&fParent, nullptr, &record, 87, 88, 115, 0, "fUserName", &status);
    ASSERT_NE(field, nullptr);
    RECT client{};
    GetClientRect(OnlyControl(fParent.fWindow), &client);
    EXPECT_GE(client.bottom, pitch) << "the field's inside holds a line";
    field->Release(1);

    std::array<i32, 2> size{};
    EXPECT_EQ(fSprocket->MeasureTextLines(nullptr, 0, 87, 88, size.data()), kTrellisInvalidArgument);
    const u16 text[] = {u'w', 0};
    EXPECT_EQ(fSprocket->MeasureTextLines(text, 0, 87, 88, nullptr), kTrellisInvalidArgument);
}

TEST_F(Sprocket, AButtonIsMeasuredByItsTitleAndTheLeastSizeOfItsContent)
{
    const auto measure = [&](const wchar_t* text, i32 width, i32 height)
    {
        std::vector<u16> units(text, text + wcslen(text) + 1);
        const i32 limit[2] = {width, height};
        std::array<i32, 2> size{-1, -1};
        EXPECT_EQ(fSprocket->MeasureText(units.data(), limit, 87, 96, 88, 96, size.data()), kTrellisOK) << text;
        return size;
    };
    const auto stop = measure(L"Stop", 0, 0);
    const auto create = measure(L"Create Vantle\x2026", 0, 0);
    const auto empty = measure(L"", 0, 0);
    EXPECT_GT(create[0], stop[0]);
    EXPECT_EQ(create[1], stop[1]);
    EXPECT_EQ(empty[1], stop[1]) << "an empty title is one line high";
    EXPECT_GT(empty[0], 0) << "the button's margins";
    EXPECT_LT(empty[0], stop[0]);

    const auto icon = measure(L"", 64, 48);
    EXPECT_EQ(icon[0] - empty[0], 64) << "the content's least width";
    EXPECT_GT(icon[1], 48);
    EXPECT_EQ(measure(L"", 64, 49)[1], icon[1] + 1) << "the content's least height, past a line's";
    EXPECT_EQ(measure(L"Stop", 1, 1), stop) << "a least size below the title's changes nothing";
    // A small icon's button and a titled button stand in one row of the window: one height.
    EXPECT_EQ(measure(L"", 16, 16)[1], stop[1]) << "a button is the standard height its content fits in";

    // A button of the measured size shows its title whole.
    NSSprocket::TPushButtonRecord record{{0, 0, create[0], create[1]}};
    Fill(record.fTitle, L"Create Vantle\x2026");
    record.fEnabled = 1;
    u32 status = 0;
    NSSprocket::IPushButtonView* button =
        fSprocket->CreatePushButton(&fParent, nullptr, &record, 98, 87, 96, 88, 96, 115, "fCreateVantleButton",
                                    &status);
    ASSERT_NE(button, nullptr);
    const HWND control = OnlyControl(fParent.fWindow);
    const HDC context = GetDC(control);
    const HGDIOBJ previous = SelectObject(context, HGDIOBJ(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE title{};
    GetTextExtentPoint32W(context, L"Create Vantle\x2026", 14, &title);
    SelectObject(context, previous);
    ReleaseDC(control, context);
    RECT client{};
    GetClientRect(control, &client);
    EXPECT_GT(client.right, title.cx + 8) << "room for the title inside the button's frame";
    EXPECT_GT(client.bottom, title.cy + 4);
    button->Release(1);

    std::array<i32, 2> size{};
    const u16 text[] = {u'w', 0};
    const i32 limit[2] = {0, 0};
    const i32 huge[2] = {0x7FFFFFFF, 0};
    const i32 negative[2] = {0, -1};
    EXPECT_EQ(fSprocket->MeasureText(nullptr, limit, 87, 96, 88, 96, size.data()), kTrellisInvalidArgument);
    EXPECT_EQ(fSprocket->MeasureText(text, nullptr, 87, 96, 88, 96, size.data()), kTrellisInvalidArgument);
    EXPECT_EQ(fSprocket->MeasureText(text, limit, 87, 96, 88, 96, nullptr), kTrellisInvalidArgument);
    EXPECT_EQ(fSprocket->MeasureText(text, huge, 87, 96, 88, 96, size.data()), kTrellisInvalidArgument);
    EXPECT_EQ(fSprocket->MeasureText(text, negative, 87, 96, 88, 96, size.data()), kTrellisInvalidArgument);
}

TEST_F(Sprocket, ARadioButtonIsMeasuredToShowItsLabelWholeBesideItsGlyph)
{
    const auto measure = [&](const wchar_t* label)
    {
        std::vector<u16> units(label, label + wcslen(label) + 1);
        std::array<i32, 2> size{-1, -1};
        EXPECT_EQ(fSprocket->MeasureRadioButton(units.data(), 87, 88, size.data()), kTrellisOK) << label;
        return size;
    };
    const wchar_t* labels[2] = {L"Default (Tessaro 8.2 or later)", L"Custom"};
    const std::array<i32, 2> sizes[2] = {measure(labels[0]), measure(labels[1])};
    const auto empty = measure(L"");
    EXPECT_GT(sizes[0][0], sizes[1][0]);
    EXPECT_GT(sizes[1][0], empty[0]);
    EXPECT_GT(empty[0], 0) << "the glyph's width";
    EXPECT_EQ(sizes[0][1], sizes[1][1]);
    EXPECT_EQ(empty[1], sizes[1][1]) << "one line high, label or not";

    // The items laid out at their measured sizes, one below the other, show their labels whole.
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    record->fCount = 2;
    i32 top = 10;
    for (int i = 0; i < 2; ++i)
    {
        const i32 frame[4] = {10, top, 10 + sizes[i][0], top + sizes[i][1]};
        std::copy(frame, frame + 4, record->fItems[i].fFrame);
        Fill(record->fItems[i].fLabel, labels[i]);
        top = frame[3] + 10;
    }
    u32 status = 0;
    NSSprocket::IRadioButtonGroupView* group =
        fSprocket->CreateRadioButtonGroup(&fParent, nullptr, record.get(), 87, 88, 115, "radioButtonGroupView",
                                          &status);
    ASSERT_NE(group, nullptr);
    const std::vector<HWND> buttons = OnlyControls(fParent.fWindow);
    ASSERT_EQ(buttons.size(), 2u);
    const i32 glyph = GetSystemMetrics(SM_CXMENUCHECK);
    SIZE extents[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        const HDC context = GetDC(buttons[i]);
        const HGDIOBJ previous = SelectObject(context, HGDIOBJ(SendMessageW(buttons[i], WM_GETFONT, 0, 0)));
        GetTextExtentPoint32W(context, labels[i], int(wcslen(labels[i])), &extents[i]);
        SelectObject(context, previous);
        ReleaseDC(buttons[i], context);
        RECT client{};
        GetClientRect(buttons[i], &client);
        EXPECT_GE(client.right, glyph + extents[i].cx) << labels[i];
        EXPECT_GE(client.bottom, extents[i].cy) << labels[i];
    }
    EXPECT_EQ(sizes[0][0] - sizes[1][0], extents[0].cx - extents[1].cx) << "the width follows the label's";
    group->Release(1);

    std::array<i32, 2> size{};
    const u16 label[] = {u'w', 0};
    EXPECT_EQ(fSprocket->MeasureRadioButton(nullptr, 87, 88, size.data()), kTrellisInvalidArgument);
    EXPECT_EQ(fSprocket->MeasureRadioButton(label, 87, 88, nullptr), kTrellisInvalidArgument);
}

TEST_F(Sprocket, TheProgressMetricIsABarThatSitsCentredBesideAOneLineButton)
{
    i32 height = 0;
    ASSERT_EQ(fSprocket->GetControlMetrics(87, 88, &height), kTrellisOK);
    const u16 dummy[] = {u'd', u'u', u'm', u'm', u'y', 0};
    const i32 limit[2] = {0, 0};
    std::array<i32, 2> button{};
    ASSERT_EQ(fSprocket->MeasureText(dummy, limit, 87, 96, 88, 96, button.data()), kTrellisOK);
    EXPECT_LT(height, button[1]);
    EXPECT_GT(height, 2 * GetSystemMetrics(SM_CYEDGE)) << "room for the bar inside the control's border";

    NSSprocket::TProgressViewRecord record{{20, 100, 300, 100 + height}, 0, 1};
    u32 status = 0;
    NSSprocket::IProgressView* progress =
        fSprocket->CreateProgressView(&fParent, &record, 87, 88, 115, "fProgressBarView", &status);
    ASSERT_NE(progress, nullptr);
    const RECT shown = FrameInParent(OnlyControl(fParent.fWindow));
    EXPECT_EQ(shown.bottom - shown.top, height) << "the control takes the height it was given";
    progress->Release(1);
    EXPECT_EQ(fSprocket->GetControlMetrics(87, 88, nullptr), kTrellisInvalidArgument);
}

TEST_F(Sprocket, TheSeparatorMetricIsTheThicknessOfAnEtchedLine)
{
    i32 thickness = 0;
    ASSERT_EQ(fSprocket->GetMetric(422, 422, &thickness), kTrellisOK);
    EXPECT_GT(thickness, 0);
    EXPECT_LT(thickness, 8);
    EXPECT_EQ(fSprocket->GetMetric(422, 422, nullptr), kTrellisInvalidArgument);
}
} // namespace
