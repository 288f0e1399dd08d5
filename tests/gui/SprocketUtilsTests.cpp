// Dialog items turned into real controls of our Sprocket library inside a real window, their
// records read back; the edit commands of text fields and the Edit menu they set.
#include "gui/SprocketUtils.h"

#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "tests/gui/MenuBarDouble.h"
#include "tests/support/Clipboard.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
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

// Hears a text field and keeps what it was told; edit shortcuts it leaves to the field.
class CFieldHandler final : public NSSprocket::ITextFieldViewHandler
{
public:
    u32 Callback0() override { return kTrellisOK; }
    u32 Action(NSSprocket::ITextFieldView*, u32, u32* out) override
    {
        *out = 1;
        return kTrellisOK;
    }
    u32 Callback2(NSSprocket::ITextFieldView*, u32* out) override
    {
        *out = 0;
        return kTrellisOK;
    }
    u32 TextChanged(NSSprocket::ITextFieldView*, u16*, u32*, u32*) override
    {
        ++fChanges;
        return kTrellisOK;
    }
    u32 Callback4() override { return kTrellisOK; }
    u32 Callback5() override { return kTrellisOK; }
    u32 UpdateEditMenu(NSSprocket::ITextFieldView*, NSTrellis::IMenuBar*) override { return kTrellisOK; }
    u32 DoEditCommand(NSSprocket::ITextFieldView*, const NSTrellis::TCommandEvent*, u32* handled) override
    {
        *handled = 0;
        return kTrellisOK;
    }
    int fChanges = 0;
};

// The administrator log-on dialog's template, measured as the program measures it.
NSFerrant::CDialogResource LoadLogOnDialog()
{
    const NSFerrant::CApplicationTarget module(NSFerrant::TCodeModuleInfo(
        nullptr, U("VantlePacker.exe"), U("Vantle Packer"), GetModuleHandleW(nullptr)));
    return NSFerrant::LoadDialogResource(NSFerrant::MakeDialogResourceID(170), NSFerrant::kDialogFontSegoeUI);
}

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
    ASSERT_EQ(button->GetProperties(&record), kTrellisOK);
    EXPECT_EQ(record.fFrame[0], 15) << "truncated toward zero";
    EXPECT_EQ(record.fFrame[1], 26);
    EXPECT_EQ(record.fFrame[2], 115);
    EXPECT_EQ(record.fFrame[3], 50);
    EXPECT_EQ(NSTextPackage::TUTF16String(record.fTitle), U("OK"));
    EXPECT_EQ(record.fEnabled, 1u);

    SetEnabled(*button, false);
    ASSERT_EQ(button->GetProperties(&record), kTrellisOK);
    EXPECT_EQ(record.fEnabled, 0u);
    SetEnabled(*button, true);
    ASSERT_EQ(button->GetProperties(&record), kTrellisOK);
    EXPECT_EQ(record.fEnabled, 1u);
}

TEST_F(SprocketUtilsTest, ALongTitleIsCutToItsField)
{
    const NSTextPackage::TUTF16String title(300, u'x');
    const TPushButtonPtr button = CreatePushButtonView(*fParent, &fHandler, {0, 0, 80, 20}, title, nullptr, title, 0, 87,
                                                       97, "long");
    NSSprocket::TPushButtonRecord record{};
    ASSERT_EQ(button->GetProperties(&record), kTrellisOK);
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
    ASSERT_EQ(text->GetProperties(&record), kTrellisOK);
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
        ASSERT_EQ(text->GetProperties(&record), kTrellisOK);
        ASSERT_EQ(text->SetProperties(&record), kTrellisOK);
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
    u32 status = kTrellisLogicError;
    NSSprocket::IRadioButtonGroupView* group = GetSprocketInterface()->CreateRadioButtonGroup(
        fParent->GetNativeView(), nullptr, record.get(), 87, 88, 115, "radioButtonGroupView", &status);
    ASSERT_EQ(status, kTrellisOK);
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
        ASSERT_EQ(progress->GetProperties(&record), kTrellisOK);
        EXPECT_EQ(NSTextPackage::TUTF16String(record.fText), U("packing"));
        const TSeparatorLinePtr line = CreateSeparatorLine(*fParent, {0, 20, 200, 22}, "fLine");
        EXPECT_NE(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
    }
    EXPECT_EQ(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}
TEST_F(SprocketUtilsTest, TheLogOnDialogsButtonsAndTextsBecomeControlsOfTheirMeasuredSizes)
{
    const NSFerrant::CDialogResource dialog = LoadLogOnDialog();
    const float origin[2] = {0, 0};
    std::vector<NSSprocket::TPushButtonRecord> buttons;
    std::vector<TPushButtonPtr> held;
    for (u32 id : {1u, 2u, 8u})
    {
        held.push_back(CreatePushButton(*fParent, origin, dialog.FindItem(id), &fHandler, 0, "button"));
        buttons.emplace_back();
        ASSERT_EQ(held.back()->GetProperties(&buttons.back()), kTrellisOK);
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
    ASSERT_EQ(info->GetProperties(&infoRecord), kTrellisOK);
    ASSERT_EQ(userName->GetProperties(&userNameRecord), kTrellisOK);
    EXPECT_GT(width(infoRecord), width(userNameRecord)) << "122 units against 48";
    EXPECT_EQ(height(infoRecord), height(userNameRecord));
    EXPECT_EQ(infoRecord.fFrame[0], userNameRecord.fFrame[0]);
    EXPECT_EQ(infoRecord.fStyle, 334u) << "font field 0, size field 1";
    EXPECT_EQ(infoRecord.fAlignment, 7u);
}

TEST_F(SprocketUtilsTest, ATextFieldItemIsSingleLineWhenNoTallerThanALineAndItsMargin)
{
    const float line = TextLineHeight(NSSprocket::kSizeStyleRegular);
    ASSERT_GT(line, 0);
    EXPECT_EQ(TextLineHeight(NSSprocket::kSizeStyleSmall), line) << "one font for every size style";
    struct
    {
        float fHeight;
        u8 fSingleLine;
    } const kCases[] = {{line, 1}, {line + 4, 1}, {line + 5, 0}, {3 * line, 0}};
    const float origin[2] = {3, 4};
    CFieldHandler handler;
    for (const auto& c : kCases)
    {
        TDialogItem item;
        item.fFrame = {10, 20, 150, 20 + c.fHeight};
        item.fText = U("Admin");
        const TTextFieldPtr field = CreateTextField(*fParent, origin, item, &handler, 0, "fUserName");
        const NSSprocket::TTextFieldRecord record = GetTextFieldProperties(*field);
        EXPECT_EQ(record.fSingleLine, c.fSingleLine) << c.fHeight;
        EXPECT_EQ(record.fFrame[0], 13);
        EXPECT_EQ(record.fFrame[1], 24);
        EXPECT_EQ(record.fFrame[3] - record.fFrame[1], i32(c.fHeight));
        EXPECT_EQ(NSTextPackage::TUTF16String(record.fText), U("Admin"));
        EXPECT_EQ(record.fSelectionStart, 0u);
        EXPECT_EQ(record.fSelectionEnd, 0u);
        EXPECT_EQ(record.fUnnamed2076, 1u);
        const HWND control = GetWindow(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), GW_CHILD);
        EXPECT_EQ((GetWindowLongPtrW(control, GWL_STYLE) & ES_MULTILINE) != 0, c.fSingleLine == 0) << c.fHeight;
    }
    EXPECT_EQ(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), nullptr);
}

TEST_F(SprocketUtilsTest, TheLogOnDialogsFieldsTakeOneLineAndThePasswordIsMasked)
{
    const NSFerrant::CDialogResource dialog = LoadLogOnDialog();
    const float origin[2] = {0, 0};
    CFieldHandler handler;
    const TTextFieldPtr password =
        CreateTextField(*fParent, origin, dialog.FindItem(7), &handler, NSSprocket::kTextFieldPassword, "fPassword");
    const TTextFieldPtr userName = CreateTextField(*fParent, origin, dialog.FindItem(5), &handler, 0, "fUserName");
    EXPECT_EQ(GetTextFieldProperties(*userName).fSingleLine, 1);
    EXPECT_EQ(GetTextFieldProperties(*password).fSingleLine, 1);
    const HWND passwordHost = FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr);
    EXPECT_NE(GetWindowLongPtrW(GetWindow(passwordHost, GW_CHILD), GWL_STYLE) & ES_PASSWORD, 0);
    const HWND userNameHost = FindWindowExW(fWindow.fWindow, passwordHost, L"Sprocket.Control", nullptr);
    EXPECT_EQ(GetWindowLongPtrW(GetWindow(userNameHost, GW_CHILD), GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(SprocketUtilsTest, TheEditMenuFollowsTheFieldsSelectionTextAndClipboard)
{
    CFieldHandler handler;
    TDialogItem item;
    item.fFrame = {0, 0, 150, 20};
    const float origin[2] = {0, 0};
    const TTextFieldPtr field = CreateTextField(*fParent, origin, item, &handler, 0, "fUserName");
    ASSERT_TRUE(OpenClipboard(fWindow.fWindow));
    EmptyClipboard();
    CloseClipboard();

    constexpr u32 kOn = NSTrellis::kMenuItemEnabled;
    struct
    {
        const char* fText;
        u32 fStart;
        u32 fEnd;
        bool fClipboardText;
        u32 fCut, fCopy, fPaste, fSelectAll; // the flags of the menu items after the update
    } const kCases[] = {
        {"", 0, 0, false, 0, 0, 0, 0},
        {"admin", 0, 5, false, kOn, kOn, 0, 0},
        {"admin", 1, 3, true, kOn, kOn, kOn, kOn},
        {"admin", 2, 2, true, 0, 0, kOn, kOn},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(::testing::Message() << "\"" << c.fText << "\" " << c.fStart << "-" << c.fEnd);
        NSSprocket::TTextFieldRecord record = GetTextFieldProperties(*field);
        std::fill(std::begin(record.fText), std::end(record.fText), u16(0));
        std::copy_n(c.fText, std::strlen(c.fText), record.fText);
        record.fSelectionStart = c.fStart;
        record.fSelectionEnd = c.fEnd;
        ASSERT_EQ(field->SetProperties(&record), kTrellisOK);
        if (c.fClipboardText)
        {
            const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, NSTrellis::kEditCommandCopy};
            SendMessageW(GetWindow(FindWindowExW(fWindow.fWindow, nullptr, L"Sprocket.Control", nullptr), GW_CHILD),
                         EM_SETSEL, c.fStart, c.fEnd);
            if (c.fStart == c.fEnd)
                ASSERT_TRUE(DoEditCommand(*field, event, 50015));
            ASSERT_TRUE(DoEditCommand(*field, event, NSTrellis::kEditCommandCopy));
            ASSERT_EQ(field->SetProperties(&record), kTrellisOK);
        }
        CMenuBar menuBar({50011, 50012, 50013, 50014, 50015});
        UpdateEditMenu(*field, &menuBar);
        EXPECT_EQ(menuBar.FlagsOf(0), c.fCut);
        EXPECT_EQ(menuBar.FlagsOf(1), c.fCopy);
        EXPECT_EQ(menuBar.FlagsOf(2), c.fPaste);
        EXPECT_EQ(menuBar.FlagsOf(3), 0x5u);
        EXPECT_EQ(menuBar.FlagsOf(4), c.fSelectAll);
    }
}

TEST_F(SprocketUtilsTest, EditCommandsReachTheFieldsOperations)
{
    CFieldHandler handler;
    TDialogItem item;
    item.fFrame = {0, 0, 150, 20};
    item.fText = U("hello world");
    const float origin[2] = {0, 0};
    const TTextFieldPtr field = CreateTextField(*fParent, origin, item, &handler, 0, "fUserName");
    const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, 0};

    EXPECT_TRUE(DoEditCommand(*field, event, 50015));
    NSSprocket::TTextFieldRecord record = GetTextFieldProperties(*field);
    EXPECT_EQ(record.fSelectionStart, 0u);
    EXPECT_EQ(record.fSelectionEnd, 11u);
    EXPECT_TRUE(DoEditCommand(*field, event, 50012));
    EXPECT_EQ(ClipboardText(), L"hello world");

    record.fSelectionStart = 5;
    ASSERT_EQ(field->SetProperties(&record), kTrellisOK);
    EXPECT_TRUE(DoEditCommand(*field, event, 50011));
    EXPECT_EQ(ClipboardText(), L" world");
    EXPECT_EQ(NSTextPackage::TUTF16String(GetTextFieldProperties(*field).fText), U("hello"));
    EXPECT_TRUE(DoEditCommand(*field, event, 50013));
    EXPECT_EQ(NSTextPackage::TUTF16String(GetTextFieldProperties(*field).fText), U("hello world"));
    record = GetTextFieldProperties(*field);
    record.fSelectionStart = 0;
    record.fSelectionEnd = 6;
    ASSERT_EQ(field->SetProperties(&record), kTrellisOK);
    EXPECT_TRUE(DoEditCommand(*field, event, 50014));
    EXPECT_EQ(NSTextPackage::TUTF16String(GetTextFieldProperties(*field).fText), U("world"));
    EXPECT_EQ(ClipboardText(), L" world") << "clear leaves the clipboard alone";
    EXPECT_EQ(handler.fChanges, 3) << "cut, paste and clear change the text";

    for (u32 other : {50010u, 50016u, 0u})
        EXPECT_FALSE(DoEditCommand(*field, event, other)) << other;
    EXPECT_EQ(NSTextPackage::TUTF16String(GetTextFieldProperties(*field).fText), U("world"));
}

TEST_F(SprocketUtilsTest, ButtonSizesTakeTheirLeastSizeTruncated)
{
    const float none[2] = {0, 0};
    const float icon[2] = {16.9f, 16.9f};
    const float wholeIcon[2] = {16, 16};
    const float largerIcon[2] = {17, 17};
    const std::array<float, 2> measured = GetTextSize({}, icon, 97);
    EXPECT_EQ(measured, GetTextSize({}, wholeIcon, 97));
    EXPECT_EQ(GetTextSize({}, largerIcon, 97)[0], measured[0] + 1);
    EXPECT_LT(GetTextSize(U("dummy"), none, 96)[0], GetTextSize(U("dummy dummy"), none, 96)[0]);
    EXPECT_EQ(GetTextSize(U("dummy"), none, 96)[1], GetTextSize(U("Stop"), none, 96)[1]);
    EXPECT_GT(GetMetric(), 0);
}
} // namespace
