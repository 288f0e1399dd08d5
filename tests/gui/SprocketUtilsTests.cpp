// Dialog items turned into real controls of our Sprocket library inside a real window, their
// records read back.
#include "gui/SprocketUtils.h"

#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace NSSprocketUtils;
using NSFerrant::TDialogItem;

namespace
{
NSTextPackage::TUTF16String U(const char* ascii)
{
    return NSTextPackage::TUTF16String(ascii, ascii + std::strlen(ascii));
}

class CButtonHandler final : public NSSprocket::IPushButtonViewHandler
{
public:
    u32 Callback0() override { return kTrellisOK; }
    u32 Callback1(u32*) override { return kTrellisOK; }
    u32 Pressed(NSSprocket::IPushButtonView*) override { return kTrellisOK; }
};

class SprocketUtilsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateTrellisInterface();
        CreateSprocketInterface(GetTrellisInterface());
        fParent = NSTrellisGlue::WrapContentView(&fWindow);
    }
    void TearDown() override
    {
        fParent.reset();
        ReleaseSprocketInterface();
        ReleaseTrellisInterface();
    }

    CWindowView fWindow;
    std::shared_ptr<NSTrellisGlue::CABCView> fParent;
    CButtonHandler fHandler;
};

TEST(SprocketInterface, AFailedStartIsReportedOnceAndEndsTheProgramQuietly)
{
    bool silent = false;
    const std::string failure = RunAndAnswerDialog(
        L"Application",
        [&] {
            try
            {
                CreateSprocketInterface(nullptr); // the library refuses a missing GUI library
            }
            catch (const NSQuorral::XSilentAbort& abort)
            {
                silent = std::string(abort.what()).empty();
            }
        },
        [](HWND) { PressKey(VK_RETURN); }, IDOK);
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(silent);
    EXPECT_THROW(CreateSprocketInterface(nullptr), NSQuorral::XSilentAbort) << "no second report";
    EXPECT_THROW(GetSprocketInterface(), NSQuorral::XIllegalCallSequence);
}

TEST_F(SprocketUtilsTest, APushButtonItemBecomesAButtonMovedByTheOrigin)
{
    TDialogItem item;
    item.fFrame = {10.9f, 20, 110, 44};
    item.fText = U("OK");
    const float origin[2] = {5, 6};
    const TPushButtonPtr button = CreatePushButton(*fParent, origin, item, &fHandler, 0, "fOkButton");
    NSSprocket::TPushButtonRecord record{};
    ASSERT_EQ(button->GetProperties(&record), 12000u);
    EXPECT_EQ(record.fFrame[0], 15) << "truncated toward zero";
    EXPECT_EQ(record.fFrame[1], 26);
    EXPECT_EQ(record.fFrame[2], 115);
    EXPECT_EQ(record.fFrame[3], 50);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fTitle), U("OK"));
    EXPECT_EQ(record.fEnabled, 1u);

    SetEnabled(*button, false);
    ASSERT_EQ(button->GetProperties(&record), 12000u);
    EXPECT_EQ(record.fEnabled, 0u);
    SetEnabled(*button, true);
    ASSERT_EQ(button->GetProperties(&record), 12000u);
    EXPECT_EQ(record.fEnabled, 1u);
}

TEST_F(SprocketUtilsTest, ALongTitleIsCutToItsField)
{
    const NSTextPackage::TUTF16String title(300, u'x');
    const TPushButtonPtr button = CreatePushButtonView(*fParent, &fHandler, {0, 0, 80, 20}, title, 0, title, 0, 87,
                                                       97, "long");
    NSSprocket::TPushButtonRecord record{};
    ASSERT_EQ(button->GetProperties(&record), 12000u);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fTitle).size(), 255u);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fText).size(), 300u);
}

TEST_F(SprocketUtilsTest, AStaticTextItemCarriesItsAlignmentAndStyle)
{
    TDialogItem item;
    item.fFrame = {0, 0, 120, 16};
    item.fText = U("User name:");
    item.fAlignment = 2;
    item.fFont = 3;
    const float origin[2] = {0, 0};
    const TStaticTextPtr text = CreateStaticText(*fParent, origin, item, U("second"), "fUserNameTitle");
    NSSprocket::TStaticTextRecord record{};
    ASSERT_EQ(text->GetProperties(&record), 12000u);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fText), U("User name:"));
    EXPECT_EQ(record.fAlignment, 8u);
    EXPECT_EQ(record.fStyle, 336u);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fSecondText), U("second"));
}

TEST_F(SprocketUtilsTest, AStaticTextItemIsShownInTheAlignmentOfItsField)
{
    // From the dialog item's field through the library's record to the platform control.
    struct
    {
        u32 fField;
        LONG_PTR fControlStyle;
    } const kCases[] = {{0, SS_LEFT}, {1, SS_CENTER}, {2, SS_RIGHT}, {3, SS_LEFT}};
    const float origin[2] = {0, 0};
    for (const auto& c : kCases)
    {
        TDialogItem item;
        item.fFrame = {0, 0, 200, 16};
        item.fText = U("Aligned");
        item.fAlignment = c.fField;
        const TStaticTextPtr text = CreateStaticText(*fParent, origin, item, {}, "fAligned");
        const HWND host = FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr);
        ASSERT_NE(host, nullptr);
        const HWND control = GetWindow(host, GW_CHILD);
        EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, c.fControlStyle) << c.fField;

        NSSprocket::TStaticTextRecord record{};
        ASSERT_EQ(text->GetProperties(&record), 12000u);
        ASSERT_EQ(text->SetProperties(&record), 12000u);
        EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, c.fControlStyle)
            << c.fField << ": the alignment read back shows the same";
    }
}

TEST_F(SprocketUtilsTest, ARadioGroupsPropertiesShowTheItemTheUserClicked)
{
    auto record = std::make_unique<NSSprocket::TRadioButtonGroupRecord>();
    record->fCount = 2;
    record->fItems[0] = {{0, 0, 120, 16}};
    record->fItems[1] = {{0, 26, 120, 42}};
    record->fUnnamed164872 = 1;
    u32 status = 12004;
    NSSprocket::IRadioButtonGroupView* group = GetSprocketInterface()->CreateRadioButtonGroup(
        fParent->GetNativeView(), nullptr, record.get(), 87, 88, 115, "radioButtonGroupView", &status);
    ASSERT_EQ(status, 12000u);
    const HWND host = FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr);
    SendMessageW(GetWindow(GetWindow(host, GW_CHILD), GW_HWNDNEXT), BM_CLICK, 0, 0);
    const auto read = GetRadioButtonGroupProperties(*group);
    EXPECT_EQ(read->fCount, 2u);
    EXPECT_EQ(read->fSelected, 1u);
    EXPECT_EQ(read->fItems[1].fFrame[1], 26);
    EXPECT_EQ(read->fUnnamed164872, 1u);
    group->Release(1);
}

TEST_F(SprocketUtilsTest, ProgressViewsAndSeparatorsAreMadeAndDestroyedWithTheirPointers)
{
    {
        const TProgressViewPtr progress = CreateProgressView(*fParent, {0, 0, 200, 16}, U("packing"), "fProgress");
        NSSprocket::TProgressViewRecord record{};
        ASSERT_EQ(progress->GetProperties(&record), 12000u);
        EXPECT_EQ(NSTextPackage::TUTF16String(record.fText), U("packing"));
        const TSeparatorLinePtr line = CreateSeparatorLine(*fParent, {0, 20, 200, 22}, "fLine");
        EXPECT_NE(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
    }
    EXPECT_EQ(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}
TEST_F(SprocketUtilsTest, TheLogOnDialogsButtonsAndTextsBecomeControlsOfTheirMeasuredSizes)
{
    const NSFerrant::CApplicationTarget module(NSFerrant::TCodeModuleInfo(
        nullptr, U("VantlePacker.exe"), U("Vantle Packer"), GetModuleHandleW(nullptr)));
    const NSFerrant::CDialogResource dialog =
        NSFerrant::LoadDialogResource(NSFerrant::MakeDialogResourceID(170), NSFerrant::kDialogFontSegoeUI);
    const float origin[2] = {0, 0};
    std::vector<NSSprocket::TPushButtonRecord> buttons;
    std::vector<TPushButtonPtr> held;
    for (u32 id : {1u, 2u, 8u})
    {
        held.push_back(CreatePushButton(*fParent, origin, dialog.FindItem(id), &fHandler, 0, "button"));
        buttons.emplace_back();
        ASSERT_EQ(held.back()->GetProperties(&buttons.back()), 12000u);
    }
    const auto width = [](const auto& record) { return record.fFrame[2] - record.fFrame[0]; };
    const auto height = [](const auto& record) { return record.fFrame[3] - record.fFrame[1]; };
    EXPECT_EQ(width(buttons[0]), width(buttons[1]));
    EXPECT_EQ(height(buttons[0]), height(buttons[2]));
    EXPECT_LT(buttons[0].fFrame[2], buttons[1].fFrame[0]);
    EXPECT_LT(buttons[1].fFrame[2], buttons[2].fFrame[0]);
    EXPECT_EQ(NSTextPackage::TUTF16String(buttons[1].fTitle), U("Cancel"));

    const TStaticTextPtr info = CreateStaticText(*fParent, origin, dialog.FindItem(3), {}, "fInfoText");
    const TStaticTextPtr userName = CreateStaticText(*fParent, origin, dialog.FindItem(4), {}, "fUserNameTitle");
    NSSprocket::TStaticTextRecord infoRecord{};
    NSSprocket::TStaticTextRecord userNameRecord{};
    ASSERT_EQ(info->GetProperties(&infoRecord), 12000u);
    ASSERT_EQ(userName->GetProperties(&userNameRecord), 12000u);
    EXPECT_GT(width(infoRecord), width(userNameRecord)) << "122 units against 48";
    EXPECT_EQ(height(infoRecord), height(userNameRecord));
    EXPECT_EQ(infoRecord.fFrame[0], userNameRecord.fFrame[0]);
    EXPECT_EQ(infoRecord.fStyle, 334u) << "font field 0, size field 1";
    EXPECT_EQ(infoRecord.fAlignment, 7u);
}
} // namespace
