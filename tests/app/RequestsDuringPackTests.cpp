// What reaches the application object from outside while the main window packs: a file the
// system opens with the program and a pack another process asks for. Both wait for no one and
// change nothing while the pack runs, since the pack works with the window's folders. The
// requests arrive as a posted message that the pack's first chance to deliver events delivers;
// alerts are answered headless.
#include "app/CreateWindow.h"
#include "app/ProgramRun.h"
#include "app/VantlePacker.h"

#include "base/CodeModule.h"
#include "content/vfs/ItemDatabase.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "gui/SprocketInterface.h"
#include "tests/app/ApplicationObject.h"
#include "tests/app/DrawingRun.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/gui/KeyEvents.h"
#include "tests/support/FixtureFiles.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// A folder URL the file library cannot read: handled, it fails the callback.
const char kUnreadableURL[] = "file://";

std::function<void()> gOnPosted;

LRESULT CALLBACK RunPosted(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
    {
        gOnPosted();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs action when the GUI thread next delivers posted messages.
class CPostedAction
{
public:
    explicit CPostedAction(std::function<void()> action)
    {
        gOnPosted = std::move(action);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RunPosted;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VantleRequestsDuringPack";
        RegisterClassW(&windowClass);
        fWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        PostMessageW(fWindow, WM_APP, 0, 0);
    }
    ~CPostedAction() { DestroyWindow(fWindow); }

private:
    HWND fWindow;
};

TEST(RequestsDuringPack, AnOpenedFileAndARequestedPackChangeNothingWhileAPackRuns)
{
    const auto module = NSVantleApp::MakeProgramCodeModule(GetModuleHandleW(nullptr));
    CreateTrellisInterface();
    ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    CreateSprocketInterface(GetTrellisInterface());
    CItemDatabase database;
    gItemDatabase = &database;
    NSFileLibTests::CScratchFolder input;
    std::filesystem::copy(NSTestSupport::WinePathOfLinuxPath(VANTLE_PACK_FIXTURE_DIR) / "clean", input.Path(),
                          std::filesystem::copy_options::recursive);
    NSFileLibTests::CScratchFolder output;
    NSFileLibTests::CScratchFolder other;

    bool packingSeen = false;
    u32 openStatusWhilePacking = 0;
    bool requestedWhilePacking = true;
    u32 openStatusAfter = kTrellisOK;
    NSAppTests::CDrawingRun::RunWith(
        [&]
        {
            const auto application = NSAppTests::MakeApplication();
            application->StartBitmapService();
            NSVantleApp::CCreateWindow* window = NSVantleApp::OpenCreateWindow(MakeText(u"Vantle Packer"));
            ASSERT_EQ(application->GetMainWindow(), window);
            window->SetInputFolder(NSFileLibSupport::CloneDirSpec(input.Spec()));
            window->SetOutputFolder(NSFileLibSupport::CloneDirSpec(output.Spec()));
            {
                CPostedAction during(
                    [&]
                    {
                        packingSeen = window->IsPacking();
                        openStatusWhilePacking = application->OpenFile(kUnreadableURL);
                        requestedWhilePacking =
                            application->RunRequestedPack(NSFileLibSupport::CloneDirSpec(other.Spec()),
                                                          NSFileLibSupport::CloneDirSpec(other.Spec()));
                        // Stop: the rest of the pack is not what is tested.
                        window->OnKeyDown(MakeKeyEvent(27, 0));
                    });
                window->CreateVantle();
            }
            // Idle, the same file is read, and fails.
            openStatusAfter = application->OpenFile(kUnreadableURL);
            window->Close();
        });

    EXPECT_TRUE(packingSeen);
    EXPECT_EQ(openStatusWhilePacking, kTrellisOK);
    EXPECT_FALSE(requestedWhilePacking);
    EXPECT_NE(openStatusAfter, kTrellisOK);
    EXPECT_TRUE(other.Entries().empty());

    gItemDatabase = nullptr;
    ReleaseSprocketInterface();
    TrellisHeadless_Enable(0);
    ReleaseTrellisInterface();
}
} // namespace
