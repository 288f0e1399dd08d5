// The main window as the program opens it, in the real GUI and widget libraries: where its views
// stand (read back from the views and the widgets' records) and that they lie above the
// background, which controls and menu items the idle and the packing window offer, its keys,
// commands and host-folder row, and real packs of a fixture folder: finished, stopped by Escape
// or Stop, and asked to close; alerts and choosers are answered headless.
#include "app/CreateWindow.h"

#include "app/VantlePacker.h"
#include "base/CodeModule.h"
#include "base/GroupedNumbers.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "gui/BorderStaticTextView.h"
#include "gui/BitmapView.h"
#include "gui/ControlRecords.h"
#include "gui/DirectoryChooser.h"
#include "gui/ImageIDs.h"
#include "gui/DirectBitmapView.h"
#include "gui/Menus.h"
#include "gui/SimpleColorView.h"
#include "gui/SprocketInterface.h"
#include "gui/TrellisInterface.h"
#include "packing/PackDriver.h"
#include "tests/app/ApplicationObject.h"
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/gui/HeadlessTrellis.h"
#include "tests/gui/KeyEvents.h"
#include "tests/gui/MenuBarDouble.h"
#include "tests/support/FixtureFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace NSVantleApp
{
// The window's views and state, for the tests' eyes only.
struct TCreateWindowTestAccess
{
    static CCreateWindowData& Data(CCreateWindow& window) { return window.fData; }
    static u8 StopRequested(const CCreateWindow& window) { return window.fStopRequested; }
    static void UpdateControls(CCreateWindow& window) { window.UpdateControls(); }
    static void SelectHostFolderChoice(CCreateWindow& window, u16 selection)
    {
        window.SelectionChanged(window.fRadioButtonGroupView.get(), selection);
    }
    static const NSFerrant::CBitmapView& HostFolderIndicator(CCreateWindow& window)
    {
        return *window.fSoundbankOkOrNotOkImage;
    }
    static NSSprocket::IRadioButtonGroupView& HostFolderChoice(CCreateWindow& window)
    {
        return *window.fRadioButtonGroupView;
    }

    // The object of a table of window fields by its field name.
    template <typename T, size_t N>
    static T& Named(const std::pair<const char*, T*> (&table)[N], const std::string& name)
    {
        for (const auto& [fieldName, object] : table)
            if (name == fieldName)
                return *object;
        throw std::invalid_argument(name);
    }
    // The program views by their field names.
    static NSTrellisGlue::CABCView& View(CCreateWindow& window, const std::string& name)
    {
        const std::pair<const char*, NSTrellisGlue::CABCView*> views[] = {
            {"fBackgroundView", window.fBackgroundView.get()},
            {"fInputFolderLabel", window.fInputFolderLabel.get()},
            {"fInputFolderView", window.fInputFolderView.get()},
            {"fOutputFileLabel", window.fOutputFileLabel.get()},
            {"fOutputFileView", window.fOutputFileView.get()},
            {"fNameLabel", window.fNameLabel.get()},
            {"fNameView", window.fNameView.get()},
            {"fCommentsLabel", window.fCommentsLabel.get()},
            {"fCommentsView", window.fCommentsView.get()},
            {"fExternalVantlesLabel", window.fExternalVantlesLabel.get()},
            {"fExternalVantlesView", window.fExternalVantlesView.get()},
            {"fCopyrightLabel", window.fCopyrightLabel.get()},
            {"fCopyrightView", window.fCopyrightView.get()},
            {"fURLLabel", window.fURLLabel.get()},
            {"fURLView", window.fURLView.get()},
            {"fFileCountLabel", window.fFileCountLabel.get()},
            {"fFileCountView", window.fFileCountView.get()},
            {"fSplashLabel", window.fSplashLabel.get()},
            {"fHostFolderLabel", window.fHostFolderLabel.get()},
            {"fHostFolderView", window.fHostFolderView.get()},
            {"fSplashView", window.fSplashView.get()},
            {"fSoundbankOkOrNotOkImage", window.fSoundbankOkOrNotOkImage.get()},
            {"fProgressTextView", window.fProgressTextView.get()},
            {"fTimeRemainingView", window.fTimeRemainingView.get()},
        };
        return Named(views, name);
    }
    static NSFerrant::CBorderStaticTextView& Text(CCreateWindow& window, const std::string& name)
    {
        return dynamic_cast<NSFerrant::CBorderStaticTextView&>(View(window, name));
    }
    static NSSprocket::IPushButtonView& Button(CCreateWindow& window, const std::string& name)
    {
        const std::pair<const char*, NSSprocket::IPushButtonView*> buttons[] = {
            {"fSelectInputDirButton", window.fSelectInputDirButton.get()},
            {"fSelectOutputDirButton", window.fSelectOutputDirButton.get()},
            {"fSelectTessaroOrK42DirButton", window.fSelectTessaroOrK42DirButton.get()},
            {"fCreateVantleButton", window.fCreateVantleButton.get()},
            {"fStopButton", window.fStopButton.get()},
        };
        return Named(buttons, name);
    }
    static NSSprocket::ISeparatorLineView& Separator(CCreateWindow& window, bool phase)
    {
        return phase ? *window.fPhaseSeparatorView : *window.fInputSeparatorView;
    }
    static NSSprocket::IProgressView& ProgressBar(CCreateWindow& window) { return *window.fProgressBarView; }
};
} // namespace NSVantleApp

namespace
{
using NSContentTests::Text;
using NSTextPackage::TUTF16String;
using NSVantleApp::CCreateWindow;
using TAccess = NSVantleApp::TCreateWindowTestAccess;
using TFrame = std::array<i32, 4>;
namespace fs = std::filesystem;

std::string Narrow(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

TFrame FrameOf(const NSTrellisGlue::CABCView& view)
{
    const NSTrellisGlue::TViewFrame frame = view.GetFrame();
    return {i32(frame[0]), i32(frame[1]), i32(frame[2]), i32(frame[3])};
}

template <class TRecord> TFrame FrameOf(NSSprocket::IControlView<TRecord>& control)
{
    const TRecord record = NSSprocketUtils::ReadRecord(control);
    return {record.fFrame[0], record.fFrame[1], record.fFrame[2], record.fFrame[3]};
}

i32 Height(const TFrame& frame)
{
    return frame[3] - frame[1];
}

i32 Width(const TFrame& frame)
{
    return frame[2] - frame[0];
}

constexpr TFrame kParked = {-1000, -1000, -900, -980};

// The program's menu as the application installs it, in a menu bar.
std::vector<NSTrellis::TMenuItemData> ProgramMenu()
{
    const NSFerrant::CApplicationTarget module(NSFerrant::TCodeModuleInfo(
        nullptr, Text("VantlePacker.exe"), Text("Vantle Packer"), GetModuleHandleW(nullptr)));
    std::vector<NSTrellis::TMenuItemData> items;
    TUTF16String title;
    NSTrellisUtils::LoadMenu(items, title);
    return items;
}

// The checked and enabled flags of the window's four commands, by command.
std::vector<std::pair<u32, u32>> CommandFlags(const CMenuBar& bar)
{
    std::vector<std::pair<u32, u32>> flags;
    for (const NSTrellis::TMenuItemData& item : bar.fItems)
        if (item.fCommand >= 101 && item.fCommand <= 104)
            flags.emplace_back(item.fCommand,
                               item.fFlags & (NSTrellis::kMenuItemChecked | NSTrellis::kMenuItemEnabled));
    return flags;
}

constexpr u32 kEnabled = NSTrellis::kMenuItemEnabled;
constexpr u32 kChecked = NSTrellis::kMenuItemChecked;

// Runs an action from inside the next event processing of the GUI library: during a pack, at the
// progress object's first chance to let the window work.
class CPostedAction
{
public:
    CPostedAction()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT
        {
            if (message == WM_APP && gAction)
            {
                auto action = std::move(gAction);
                gAction = nullptr;
                action();
                return 0;
            }
            return DefWindowProcW(window, message, wParam, lParam);
        };
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"CreateWindowTestsPostedAction";
        RegisterClassW(&windowClass);
        fWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~CPostedAction()
    {
        DestroyWindow(fWindow);
        gAction = nullptr;
    }

    void Post(std::function<void()> action)
    {
        gAction = std::move(action);
        PostMessageW(fWindow, WM_APP, 0, 0);
    }
    bool Pending() const { return gAction != nullptr; }

private:
    static inline std::function<void()> gAction;
    HWND fWindow = nullptr;
};

struct TShown
{
    u32 fKind;
    std::string fTitle;
    u32 fTag;
};

class CreateWindowTest : public NSContentTests::CItemTest
{
protected:
    void SetUp() override
    {
        CItemTest::SetUp();
        CreateSprocketInterface(GetTrellisInterface());
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
        fPreviousOpener = NSVantlePacking::SetLogOpener([](const NSFileLibSupport::TFileSpecPtr&) {});
        MakeFolder("Out");
        fApplication = NSAppTests::MakeApplication();
        fWindow = NSVantleApp::OpenCreateWindow(Text("Vantle Packer"));
        ASSERT_NE(fWindow, nullptr);
    }
    void TearDown() override
    {
        if (fWindow)
            fWindow->Close();
        fApplication.reset();
        NSVantlePacking::SetLogOpener(fPreviousOpener);
        TrellisHeadless_Enable(0);
        ReleaseSprocketInterface();
        CItemTest::TearDown();
    }

    CCreateWindow& Window() { return *fWindow; }
    TFrame Frame(const std::string& view) { return FrameOf(TAccess::View(Window(), view)); }
    TFrame ButtonFrame(const std::string& button) { return FrameOf(TAccess::Button(Window(), button)); }
    bool Enabled(const std::string& button)
    {
        return NSSprocketUtils::ReadRecord(TAccess::Button(Window(), button)).fEnabled != 0;
    }
    std::string ShownText(const std::string& view) { return Narrow(TAccess::Text(Window(), view).GetText()); }

    HWND TopLevelWindow()
    {
        u64 handle = 0;
        EXPECT_EQ(Window().GetContentView()->GetNativeView()->GetNativeHandle(&handle), kTrellisOK);
        return GetAncestor(reinterpret_cast<HWND>(uintptr_t(handle)), GA_ROOT);
    }

    // Checks the controls of the idle or the packing window: the select buttons usable only when
    // idle, Create at its place when idle and Stop there while packing, the other parked.
    void ExpectControls(bool packing, const TFrame& createFrame)
    {
        SCOPED_TRACE(packing ? "packing" : "idle");
        for (const char* select :
             {"fSelectInputDirButton", "fSelectOutputDirButton", "fSelectTessaroOrK42DirButton"})
            EXPECT_EQ(Enabled(select), !packing) << select;
        EXPECT_EQ(ButtonFrame("fCreateVantleButton"), packing ? kParked : createFrame);
        EXPECT_EQ(Enabled("fCreateVantleButton"), !packing);
        EXPECT_EQ(ButtonFrame("fStopButton"), packing ? createFrame : kParked);
        EXPECT_EQ(Enabled("fStopButton"), packing);
        EXPECT_EQ(Window().IsPacking(), packing);
    }

    void UseSource(const std::string& name)
    {
        fs::copy(NSTestSupport::WinePathOfLinuxPath(VANTLE_PACK_FIXTURE_DIR) / name,
                 Scratch().Path() / "Source", fs::copy_options::recursive);
        Window().SetInputFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Source")));
        Window().SetOutputFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Out")));
    }
    fs::path Package() const { return Scratch().Path() / "Out" / "Test Bank.vtl"; }

    static std::vector<TShown> Shown()
    {
        std::vector<TShown> shown;
        for (const TTrellisHeadlessRecord& record : HeadlessRecords())
            shown.push_back({record.fKind, Narrow(record.fAlert.fTitle), record.fTag});
        return shown;
    }
    static std::vector<std::string> ShownTitles()
    {
        std::vector<std::string> titles;
        for (const TShown& shown : Shown())
            titles.push_back(shown.fTitle);
        return titles;
    }

    NSAppTests::TApplicationPtr fApplication;
    CCreateWindow* fWindow = nullptr;
    NSVantlePacking::TLogOpener fPreviousOpener = nullptr;
    CPostedAction fPosted;
};

TEST_F(CreateWindowTest, TheLayoutFollowsTheMeasuredControls)
{
    const TFrame create = ButtonFrame("fCreateVantleButton");
    const i32 H = Height(create);

    // Labels stand at the left margin in one column, the values in a column right of them.
    for (const char* label :
         {"fInputFolderLabel", "fOutputFileLabel", "fNameLabel", "fCopyrightLabel", "fURLLabel",
          "fSplashLabel", "fFileCountLabel", "fCommentsLabel", "fExternalVantlesLabel"})
    {
        EXPECT_EQ(Frame(label)[0], 20) << label;
        EXPECT_EQ(Frame(label)[2], 160) << label;
        EXPECT_EQ(Height(Frame(label)), 16) << label;
    }
    EXPECT_EQ(Frame("fHostFolderLabel")[0], 20);
    EXPECT_EQ(Frame("fHostFolderLabel")[2], Frame("fSoundbankOkOrNotOkImage")[0] - 10)
        << "the host folder's long label reaches to its indicator";
    for (const char* value :
         {"fInputFolderView", "fOutputFileView", "fNameView", "fCopyrightView", "fURLView", "fSplashView",
          "fFileCountView", "fCommentsView", "fExternalVantlesView"})
        EXPECT_EQ(Frame(value)[0], 170) << value;

    // Rows are one Create button apart; each value stands beside its label.
    EXPECT_EQ(Frame("fOutputFileLabel")[1] - Frame("fInputFolderLabel")[1], H);
    EXPECT_EQ(Frame("fInputFolderView")[1], Frame("fInputFolderLabel")[1]);
    EXPECT_EQ(Frame("fOutputFileView")[1], Frame("fOutputFileLabel")[1]);
    EXPECT_EQ(Frame("fCopyrightLabel")[1] - Frame("fNameLabel")[1], H);
    EXPECT_EQ(Frame("fSplashLabel")[1] - Frame("fURLLabel")[1], H);
    EXPECT_EQ(Frame("fFileCountView")[1], Frame("fSplashView")[1] + 74);
    EXPECT_EQ(Height(Frame("fSplashView")), 66);

    // The separator lies between the folder rows and the package rows.
    const TFrame separator = FrameOf(TAccess::Separator(Window(), false));
    EXPECT_EQ(separator[1], Frame("fInputFolderLabel")[1] + 2 * H);
    EXPECT_EQ(Frame("fNameLabel")[1], separator[3] + 6);
    EXPECT_EQ(separator[2], 460);

    // The select buttons stack at the right edge; the folder texts end 2 left of them.
    const TFrame selectInput = ButtonFrame("fSelectInputDirButton");
    const TFrame selectOutput = ButtonFrame("fSelectOutputDirButton");
    const TFrame selectHost = ButtonFrame("fSelectTessaroOrK42DirButton");
    EXPECT_EQ(selectInput[2], 460);
    EXPECT_EQ(selectInput[1], 20);
    EXPECT_EQ(selectOutput[1], selectInput[3]);
    EXPECT_EQ(Width(selectOutput), Width(selectInput));
    EXPECT_EQ(Frame("fInputFolderView")[2], 458 - Width(selectHost));
    EXPECT_EQ(selectHost[2], 460);

    // The host-folder choices: "Default" under its label, "Custom" below it, the folder's path
    // beside "Custom" and the host-folder button beside that, centred on the path's line.
    auto choices = NSSprocketUtils::GetRadioButtonGroupProperties(TAccess::HostFolderChoice(Window()));
    ASSERT_EQ(choices->fCount, 2);
    const TFrame phaseSeparator = FrameOf(TAccess::Separator(Window(), true));
    EXPECT_EQ(choices->fItems[0].fFrame[0], 20);
    EXPECT_EQ(choices->fItems[0].fFrame[1], phaseSeparator[3] + 34);
    EXPECT_EQ(choices->fItems[1].fFrame[1], choices->fItems[0].fFrame[3] + 10);
    EXPECT_EQ(Narrow(TUTF16String(choices->fItems[1].fLabel)), "Custom");
    const TFrame hostFolder = Frame("fHostFolderView");
    EXPECT_EQ(hostFolder[0], choices->fItems[1].fFrame[2] + 10);
    EXPECT_EQ(hostFolder[1], choices->fItems[1].fFrame[1]);
    EXPECT_EQ(selectHost[1], hostFolder[1] + i32(std::floor((16 - Height(selectHost)) / 2.0)));

    // Create closes the window's content at the right, as wide as the wider of its and Stop's
    // titles need, with the progress bar 20 left of it and centred on it.
    const float noLimit[2] = {0, 0};
    const float createWidth =
        NSSprocketUtils::GetTextSize(NSTextPackage::UTF8ToUTF16("Create Vantle\xE2\x80\xA6"), noLimit, 96)[0];
    const float stopWidth = NSSprocketUtils::GetTextSize(Text("Stop"), noLimit, 96)[0];
    EXPECT_EQ(create[2], 460);
    EXPECT_EQ(Width(create), i32(std::max(createWidth, stopWidth)));
    EXPECT_EQ(create[1], selectHost[3] + 2 * H + 32);
    const TFrame progress = FrameOf(TAccess::ProgressBar(Window()));
    EXPECT_EQ(progress[0], 20);
    EXPECT_EQ(progress[2], create[0] - 20);
    EXPECT_EQ(progress[1] - create[1], (H - Height(progress)) / 2);
    EXPECT_EQ(Frame("fTimeRemainingView")[3], create[1] - H + 16);

    // Every view of the content lies above the background, where the user sees and clicks it.
    u64 handle = 0;
    ASSERT_EQ(Window().GetContentView()->GetNativeView()->GetNativeHandle(&handle), kTrellisOK);
    const HWND content = reinterpret_cast<HWND>(uintptr_t(handle));
    for (HWND child = GetWindow(content, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, content, reinterpret_cast<POINT*>(&rect), 2);
        const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        if (centre.x >= 0)
        {
            EXPECT_EQ(ChildWindowFromPointEx(content, centre, CWP_SKIPINVISIBLE), child)
                << static_cast<const char*>(GetPropW(child, kViewNameProperty));
        }
    }

    // The window's content ends 20 below Create; the background reaches beyond it.
    RECT client{};
    GetClientRect(TopLevelWindow(), &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, create[3] + 20);
    EXPECT_EQ(Frame("fBackgroundView"), (TFrame{0, 0, 480, 700}));
}

TEST_F(CreateWindowTest, AFreshWindowIsIdleWithEmptyFields)
{
    ExpectControls(false, ButtonFrame("fCreateVantleButton"));
    for (const char* value :
         {"fInputFolderView", "fOutputFileView", "fNameView", "fCommentsView", "fExternalVantlesView",
          "fCopyrightView", "fURLView", "fFileCountView", "fProgressTextView", "fTimeRemainingView"})
        EXPECT_EQ(ShownText(value), "") << value;
    EXPECT_EQ(ShownText("fNameLabel"), "Vantle Name:");
    EXPECT_EQ(ShownText("fHostFolderLabel"),
              "Tessaro Soundbanks folder (restart Vantle Packer after change):");
    EXPECT_EQ(NSSprocketUtils::GetRadioButtonGroupProperties(TAccess::HostFolderChoice(Window()))->fSelected,
              0);
}

TEST_F(CreateWindowTest, TheFileCountLeavesOutThePackagesOwnEntry)
{
    const struct
    {
        u32 fCount;
        TUTF16String fShown;
    } kCases[] = {{0, {}}, {1, Text("0")}, {2, Text("1")}, {1235, NSTextPackage::FormatGroupedNumber(1234)}};
    for (const auto& c : kCases)
    {
        TAccess::Data(Window()).fInfo.fFileCount = c.fCount;
        TAccess::UpdateControls(Window());
        EXPECT_EQ(TAccess::Text(Window(), "fFileCountView").GetText(), c.fShown) << c.fCount;
    }
}

TEST_F(CreateWindowTest, EnterAndReturnPressCreateWhenIdleAndOnlyWithoutModifiers)
{
    // Escape and modified Returns do nothing when idle.
    for (const TKeyEvent& ignored :
         {MakeKeyEvent(27, 0), MakeKeyEvent(13, kModifierShift), MakeKeyEvent(10, kModifierControl)})
        EXPECT_FALSE(Window().OnKeyDown(ignored));
    EXPECT_TRUE(Shown().empty());

    // Return through the window, and keypad Enter: Create asks for the source folder first, and
    // the user's cancel ends the command without asking for the output.
    SendMessageW(TopLevelWindow(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(Window().OnKeyDown(MakeKeyEvent(10, 0)));
    const std::vector<TShown> shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    for (const TShown& chooser : shown)
    {
        EXPECT_EQ(chooser.fKind, kHeadlessFolderChooser);
        EXPECT_EQ(chooser.fTag, NSTrellisUtils::kInputFolderChooserTag);
        EXPECT_EQ(chooser.fTitle, "Select a source folder");
    }
    ExpectControls(false, ButtonFrame("fCreateVantleButton"));
}

TEST_F(CreateWindowTest, CreateAsksForTheSourceFirstAndAFolderWithoutANameIsRefused)
{
    EXPECT_FALSE(Window().CreateVantle());
    MakeFolder("Elsewhere");
    const std::string source = Narrow(FolderPath("Elsewhere"));
    // A source folder without NAME.TXT: its alert, and the source stays unchosen.
    ASSERT_EQ(TrellisHeadless_QueueFolderAnswer(("file://" + source).c_str()), kTrellisOK);
    EXPECT_FALSE(Window().CreateVantle());
    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Select a source folder", "Select a source folder",
                                                       "No name for Vantle"}));
    EXPECT_FALSE(TAccess::Data(Window()).fInputFolder);
    EXPECT_EQ(ShownText("fInputFolderView"), "");

    // Given from outside, the same folder is refused too, and the window still shows what the
    // refusal left: the source kept, its information reset.
    UseSource("clean");
    EXPECT_EQ(ShownText("fNameView"), "Test Bank");
    EXPECT_THROW(Window().SetInputFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Elsewhere"))),
                 NSQuorral::XSilentAbort);
    EXPECT_EQ(ShownText("fInputFolderView"), "Source");
    EXPECT_EQ(ShownText("fNameView"), "");
}

TEST_F(CreateWindowTest, MenuItemsFollowTheStateAndCommand104TogglesItsCheck)
{
    CMenuBar bar(NSTrellis::kProgramMenu, ProgramMenu());
    Window().UpdateMenus(&bar);
    const std::vector<std::pair<u32, u32>> idle = {
        {101, kEnabled}, {102, kEnabled}, {103, kEnabled}, {104, kEnabled | kChecked}};
    EXPECT_EQ(CommandFlags(bar), idle);
    EXPECT_EQ(bar.fProperties.fUnnamed4, 1u) << "the menu bar is left alone when idle";

    NSTrellis::TCommandEvent toggle{NSTrellis::kCommandEventKind, 104, 0, 0, 0};
    EXPECT_TRUE(Window().DoCommand(toggle));
    Window().UpdateMenus(&bar);
    EXPECT_EQ(CommandFlags(bar).back(), (std::pair<u32, u32>{104, kEnabled}));
    EXPECT_TRUE(Window().DoCommand(toggle));
    Window().UpdateMenus(&bar);
    EXPECT_EQ(CommandFlags(bar), idle);

    // 105 and 106 are the window's without doing anything; other commands go on.
    for (u32 command : {105u, 106u, 100u, 107u, 800u})
    {
        const NSTrellis::TCommandEvent event{NSTrellis::kCommandEventKind, command, 0, 0, 0};
        EXPECT_EQ(Window().DoCommand(event), command == 105 || command == 106) << command;
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CreateWindowTest, AFinishedPackShowsItsPackageAndReturnsToIdle)
{
    UseSource("clean");
    EXPECT_EQ(ShownText("fInputFolderView"), "Source");
    EXPECT_EQ(ShownText("fOutputFileView"), "Test Bank.vtl");
    EXPECT_EQ(ShownText("fNameView"), "Test Bank");
    const TFrame create = ButtonFrame("fCreateVantleButton");

    fPosted.Post(
        [&]
        {
            ExpectControls(true, create);
            // Menus: the window's items disabled, the warning's check kept; the bar's eight bytes
            // from offset 4 cleared.
            CMenuBar bar(NSTrellis::kProgramMenu, ProgramMenu());
            Window().UpdateMenus(&bar);
            EXPECT_EQ(CommandFlags(bar),
                      (std::vector<std::pair<u32, u32>>{{101, 0}, {102, 0}, {103, 0}, {104, kChecked}}));
            EXPECT_EQ(bar.fProperties.fVisible, 1u);
            EXPECT_EQ(bar.fProperties.fUnnamed4, 0u);
            EXPECT_EQ(bar.fProperties.fUnnamed8, 0u);
            EXPECT_EQ(bar.fProperties.fUnnamed16, 1u);
            // Return and a second Create start nothing while packing.
            EXPECT_FALSE(Window().OnKeyDown(MakeKeyEvent(13, 0)));
            EXPECT_FALSE(Window().CreateVantle());
        });
    EXPECT_TRUE(Window().CreateVantle());
    EXPECT_FALSE(fPosted.Pending()) << "the pack let the window work";

    EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Pack complete"}));
    ExpectControls(false, create);
    EXPECT_TRUE(fs::exists(Package()));
    EXPECT_EQ(ShownText("fNameView"), "Test Bank");
    EXPECT_EQ(ShownText("fURLView"), "https://example.com/bank");
    EXPECT_EQ(ShownText("fFileCountView"), "8");
    EXPECT_EQ(ShownText("fExternalVantlesView"), "");
    EXPECT_EQ(ShownText("fProgressTextView"), "");
    EXPECT_EQ(ShownText("fTimeRemainingView"), "");
    EXPECT_TRUE(
        dynamic_cast<NSFerrant::CDirectBitmapView&>(TAccess::View(Window(), "fSplashView")).GetBitmap());
}

TEST_F(CreateWindowTest, EscapeOrStopWhilePackingStopsThePackAndLeavesNoPackage)
{
    UseSource("clean");
    const TFrame create = ButtonFrame("fCreateVantleButton");
    const std::function<void()> kStops[] = {
        [&] { EXPECT_TRUE(Window().OnKeyDown(MakeKeyEvent(27, kModifierShift))); },
        [&] { EXPECT_EQ(Window().Pressed(&TAccess::Button(Window(), "fStopButton")), kTrellisOK); },
    };
    for (const auto& stop : kStops)
    {
        fPosted.Post(stop);
        EXPECT_TRUE(Window().CreateVantle()) << "a stopped pack still ran";
        EXPECT_FALSE(fPosted.Pending());
        EXPECT_TRUE(Shown().empty()) << "a stop shows nothing";
        EXPECT_TRUE(fs::is_empty(Scratch().Path() / "Out")) << "no package and no log";
        ExpectControls(false, create);
        EXPECT_EQ(TAccess::StopRequested(Window()), 0);
        EXPECT_EQ(ShownText("fExternalVantlesView"), "");
    }
}

TEST_F(CreateWindowTest, ClosingDuringAPackAsksAndOnlyCancelPackingStopsIt)
{
    UseSource("clean");
    fPosted.Post(
        [&]
        {
            // "Continue" leaves the pack running; "Cancel Packing" asks it to stop; a close while
            // the stop is pending asks nothing. The window stays open throughout.
            ASSERT_EQ(TrellisHeadless_QueueAlertAnswer(kAlertAnswerNextToLastButton), kTrellisOK);
            Window().OnCloseRequest(NSTrellis::kCloseCauseUser);
            EXPECT_EQ(TAccess::StopRequested(Window()), 0);
            EXPECT_FALSE(Window().MayClose());
            EXPECT_EQ(TAccess::StopRequested(Window()), 1);
            Window().OnCloseRequest(NSTrellis::kCloseCauseUser);
            EXPECT_EQ(ShownTitles(), (std::vector<std::string>{"Stop Pack?", "Stop Pack?"}));
        });
    EXPECT_TRUE(Window().CreateVantle());
    EXPECT_FALSE(fPosted.Pending());
    EXPECT_EQ(ShownTitles().size(), 2u) << "the stopped pack showed nothing more";
    EXPECT_FALSE(fs::exists(Package()));
    EXPECT_TRUE(IsWindow(TopLevelWindow()));
    EXPECT_TRUE(Window().MayClose());
}

TEST_F(CreateWindowTest, TheHostFolderRowFollowsThePreferencesAndTheChoice)
{
    NSVantleApp::CPreferences& preferences = *fApplication->GetPreferences();
    MakeFolder("Host");
    preferences.fCustomHostFolder = 1;
    preferences.SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Host")));
    TAccess::UpdateControls(Window());
    EXPECT_EQ(TAccess::Text(Window(), "fHostFolderView").GetText(), FolderPath("Host"));
    const auto indicator = [&] { return TAccess::HostFolderIndicator(Window()).GetImageID().fCacheID; };
    EXPECT_EQ(indicator(), NSFerrant::MakePNGImageID(1002).fCacheID) << "no host folder";
    EXPECT_EQ(NSSprocketUtils::GetRadioButtonGroupProperties(TAccess::HostFolderChoice(Window()))->fSelected,
              1);

    MakeFile("Host/Lumen.dat");
    TAccess::UpdateControls(Window());
    EXPECT_EQ(indicator(), NSFerrant::MakePNGImageID(1001).fCacheID) << "a host folder";

    // The user's choice goes to the preferences and shows at once.
    for (u16 selection : {0, 1, 0})
    {
        TAccess::SelectHostFolderChoice(Window(), selection);
        EXPECT_EQ(preferences.fCustomHostFolder, selection);
        EXPECT_EQ(
            NSSprocketUtils::GetRadioButtonGroupProperties(TAccess::HostFolderChoice(Window()))->fSelected,
            selection);
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(CreateWindowTest, ACustomHostFolderThatIsNoneIsAskedForAndACancelStartsNoPack)
{
    UseSource("clean");
    MakeFolder("Host");
    NSVantleApp::CPreferences& preferences = *fApplication->GetPreferences();
    preferences.fCustomHostFolder = 1;
    preferences.SetHostFolder(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Host")));
    EXPECT_FALSE(Window().CreateVantle());
    const std::vector<TShown> shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].fKind, kHeadlessFolderChooser);
    EXPECT_EQ(shown[0].fTag, NSTrellisUtils::kHostFolderChooserTag);
    EXPECT_TRUE(fs::is_empty(Scratch().Path() / "Out"));
    ExpectControls(false, ButtonFrame("fCreateVantleButton"));
}
} // namespace

TEST_F(CreateWindowTest, TheWindowIsTheApplicationsMainWindowWithItsHiddenWindowWhileItLives)
{
    constexpr const wchar_t* kHiddenWindow = L"VantlePacker Message Window";
    EXPECT_EQ(fApplication->GetMainWindow(), fWindow);
    EXPECT_NE(FindWindowW(kHiddenWindow, kHiddenWindow), nullptr);

    // A second window fails at its hidden window, which exists once; the first stays the main one.
    const TUTF16String title = Text("Second");
    NSTrellisGlue::CDocumentWindowCreator<CCreateWindow, const TUTF16String> creator(title);
    u32 status = kTrellisOK;
    EXPECT_EQ(GetTrellisInterface()->OpenDocumentWindow(&creator, nullptr, 1, &status), nullptr);
    EXPECT_NE(status, kTrellisOK);
    EXPECT_EQ(fApplication->GetMainWindow(), fWindow);
    EXPECT_NE(FindWindowW(kHiddenWindow, kHiddenWindow), nullptr);

    std::exchange(fWindow, nullptr)->Close();
    EXPECT_EQ(fApplication->GetMainWindow(), nullptr);
    EXPECT_EQ(FindWindowW(kHiddenWindow, kHiddenWindow), nullptr);
}
