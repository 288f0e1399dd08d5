// Our Sprocket widget library through its DLL boundary: its start, and push buttons, progress
// views and static texts as real controls inside a real parent window.
#include "base/LibraryStatusTables.h"
#include "dlls/sprocket/Sprocket.h"
#include "tests/dlls/TrellisLibraryTest.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

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
    EXPECT_EQ(status, 12009u);
    EXPECT_EQ(Sprocket_Create("ISprocket", nullptr, &status), nullptr);
    EXPECT_EQ(status, 12002u);
    NSSprocket::ISprocket* sprocket = Sprocket_Create("ISprocket", trellis, &status);
    ASSERT_NE(sprocket, nullptr);
    EXPECT_EQ(status, kTrellisOK);
    EXPECT_EQ(Sprocket_Create("ISprocket", trellis, &status), sprocket) << "one object per process";

    CWindowView parent;
    NSSprocket::TProgressViewRecord record{};
    EXPECT_EQ(sprocket->CreateProgressView(&parent, &record, 87, 88, 115, "early", &status), nullptr);
    EXPECT_EQ(status, 12003u) << "controls wait for Initialize";
    EXPECT_EQ(sprocket->Initialize(2), 12002u);
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
    EXPECT_EQ(text->SetProperties(&bad), 12002u);
    ASSERT_EQ(text->GetProperties(&read), kTrellisOK);
    EXPECT_EQ(read.fAlignment, NSSprocket::kAlignmentCenter) << "a refused record changes nothing";
    EXPECT_EQ(fSprocket->CreateStaticText(&fParent, &bad, 88, 115, "bad", &status), nullptr);
    EXPECT_EQ(status, 12002u);
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
} // namespace
