// The About box through the real GUI library on the test display: its version line, its size, the
// line drawn over the picture, and the inputs that close it and the one that does not.
#include "app/AboutBox.h"
#include "app/ProgramRun.h"

#include "base/CodeModule.h"
#include "base/TextConversions.h"
#include "gui/TrellisInterface.h"
#include "tests/app/ApplicationObject.h"
#include "tests/app/AboutBoxPixels.h"
#include "tests/app/DrawingRun.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <memory>

using NSTextPackage::TUTF16String;

namespace
{
constexpr wchar_t kAboutTitle[] = L"About Vantle Packer\u2026";

class AboutBox : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fModule = NSVantleApp::MakeProgramCodeModule(GetModuleHandleW(nullptr));
        CreateTrellisInterface();
        fApplication = NSAppTests::MakeApplication();
        fApplication->StartBitmapService();
    }
    void TearDown() override
    {
        fApplication.reset();
        ReleaseTrellisInterface();
        fModule.reset();
    }

    // Opens the box and hands its window to answer, which must leave it closed.
    static std::string ShowAndAnswer(const std::function<void(HWND box)>& answer)
    {
        return RunAndAnswerDialog(kAboutTitle, NSVantleApp::ShowAboutBox, answer, 0, L"Trellis.Window");
    }

    std::unique_ptr<NSFerrant::CApplicationTarget> fModule;
    NSAppTests::TApplicationPtr fApplication;
};

TEST_F(AboutBox, TheVersionLineIsTheProgramFilesVersion)
{
    const std::string line = NSTextPackage::UTF16ToUTF8(NSVantleApp::GetAboutVersionLine());
    EXPECT_EQ(line.rfind("Version: 1.0", 0), 0u) << line;
}

TEST_F(AboutBox, ShowsThePictureWithTheVersionLineAndClosesOnAClickAndOnEscapeOnly)
{
    RECT client{};
    int lineGrey = 0;
    int belowGrey = -1;
    double contrast = 0;
    bool openAfterReturn = false;
    std::string clicked;
    std::string escaped;
    NSAppTests::CDrawingRun::RunWith(
        [&]
        {
            clicked = ShowAndAnswer(
                [&](HWND box)
                {
                    GetClientRect(box, &client);
                    // The line is drawn once the box has painted: 25 units in, its top 25 units down.
                    WaitFor(
                        [&] {
                            return (lineGrey = NSAppTests::CountVersionLinePixels(box, {25, 25, 200, 60})) >
                                   0;
                        });
                    belowGrey = NSAppTests::CountVersionLinePixels(box, {25, 80, 200, 115});
                    contrast = NSAppTests::LeastVersionLineContrast(box, {25, 25, 125, 40});
                    // Handled before SendMessageW returns; keys that close the box are posted, as typed
                    // keys are, for the box's loop to see it gone.
                    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
                    openAfterReturn = IsWindow(box) && IsWindowVisible(box);
                    ClickOn(box);
                });
            // The box opens again, and Escape closes it.
            escaped = ShowAndAnswer([](HWND box) { PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0); });
        });
    EXPECT_EQ(clicked, "");
    EXPECT_EQ(client.right - client.left, 483);
    EXPECT_EQ(client.bottom - client.top, 398);
    EXPECT_GT(lineGrey, 0);
    EXPECT_EQ(belowGrey, 0);
    // The line's grey reads on its ground nearly as well as grey can on any (4.48 on white).
    EXPECT_GE(contrast, 4.4);
    EXPECT_TRUE(openAfterReturn);
    EXPECT_EQ(escaped, "");
}
} // namespace
