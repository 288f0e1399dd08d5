// Dialog items turned into real controls of our Sprocket library inside a real window, their
// records read back.
#include "gui/SprocketUtils.h"

#include "base/Quorral.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/WindowViewDouble.h"

#include <gtest/gtest.h>

#include <cstring>

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
} // namespace
