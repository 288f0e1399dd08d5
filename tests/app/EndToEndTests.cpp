// The program as a person uses it: started on its own, driven through its window, its folder
// choosers and its alerts, and by another process through its hidden message window. Every
// package it writes must be accepted by the tests' own package reader.
#include "tests/app/AboutBoxPixels.h"
#include "tests/app/RunningProgram.h"
#include "tests/app/ShownViews.h"
#include "tests/packing/IndependentPackageReader.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/FixtureFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace NSAppTests
{
namespace
{
namespace fs = std::filesystem;

const std::wstring kMainWindowTitle = L"Vantle Packer";
const std::wstring kSourceChooserTitle = L"Select a source folder";
const std::wstring kOutputChooserTitle = L"Select a destination folder";
const std::wstring kAboutTitle = L"About Vantle Packer\u2026";
constexpr WPARAM kAboutCommand = 50002;

fs::path FixtureFolder(const char* name)
{
    return NSTestSupport::WinePathOfLinuxPath(VANTLE_PACK_FIXTURE_DIR) / name;
}

std::vector<fs::path> FilesOf(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        files.push_back(entry.path());
    return files;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow(size_t(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                                                  nullptr)),
                       '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), narrow.data(), int(narrow.size()), nullptr,
                        nullptr);
    return narrow;
}

i32 Width(const RECT& frame)
{
    return frame.right - frame.left;
}

i32 Height(const RECT& frame)
{
    return frame.bottom - frame.top;
}

// The rows the two frames share.
i32 CommonRows(const RECT& first, const RECT& second)
{
    return std::max<i32>(0, std::min(first.bottom, second.bottom) - std::max(first.top, second.top));
}

// Whether the view on the screen shows some of its black text yet.
bool ShowsText(HWND view)
{
    RECT frame{};
    GetWindowRect(view, &frame);
    const HDC screen = GetDC(nullptr);
    bool inked = false;
    for (LONG y = frame.top; y < frame.bottom && !inked; ++y)
        for (LONG x = frame.left; x < frame.right && !inked; ++x)
            inked = GetPixel(screen, x, y) == RGB(0, 0, 0);
    ReleaseDC(nullptr, screen);
    return inked;
}

constexpr char kTextViewName[] = "CBorderStaticTextView";

// What a person looks for in the window: every text whole in its view, no view over another but
// for the background that all lie on, each folder button beside its field and centred on its row.
void ExpectTidyWindow(const CRunningProgram& program, HWND window)
{
    const std::vector<TShownView> views = ShownViews(program, window);
    ASSERT_FALSE(views.empty());
    for (const TShownView& view : views)
    {
        if (view.fName != kTextViewName || view.fText.empty())
            continue;
        // The text area of a bordered view, the smaller of the two: 2 in at the sides, 1 at the
        // top and bottom.
        const SIZE room = MeasureShownText(view.fText);
        EXPECT_LE(room.cx, Width(view.fFrame) - 4)
            << '"' << Narrow(view.fText) << "\" in the font " << Narrow(MessageFontFace());
        EXPECT_LE(room.cy, Height(view.fFrame) - 2) << '"' << Narrow(view.fText) << '"';
    }
    for (size_t i = 0; i < views.size(); ++i)
        for (size_t j = i + 1; j < views.size(); ++j)
        {
            const TShownView& first = views[i];
            const TShownView& second = views[j];
            const bool meantToLieOn = first.fName == "fBackgroundView" || second.fName == "fBackgroundView" ||
                                      IsChild(first.fWindow, second.fWindow) ||
                                      IsChild(second.fWindow, first.fWindow);
            EXPECT_TRUE(meantToLieOn || !Overlap(first, second))
                << first.fName << " \"" << Narrow(first.fText) << "\" and " << second.fName << " \""
                << Narrow(second.fText) << '"';
        }
    for (const char* name : {"fSelectInputDirButton", "fSelectOutputDirButton", "fSelectTessaroOrK42DirButton"})
    {
        const auto button = std::find_if(views.begin(), views.end(),
                                         [&](const TShownView& view) { return view.fName == name; });
        ASSERT_NE(button, views.end()) << name;
        // Its field: the nearest text view left of it that shares some of its rows.
        const TShownView* field = nullptr;
        for (const TShownView& view : views)
            if (view.fName == kTextViewName && view.fFrame.right <= button->fFrame.left &&
                CommonRows(view.fFrame, button->fFrame) > 0 && (!field || view.fFrame.right > field->fFrame.right))
                field = &view;
        ASSERT_NE(field, nullptr) << name;
        // Centres compared doubled, so that half a pixel either way is a whole one.
        EXPECT_NEAR(button->fFrame.top + button->fFrame.bottom, field->fFrame.top + field->fFrame.bottom, 1)
            << name << " beside \"" << Narrow(field->fText) << '"';
    }
}

class EndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fWork = fs::temp_directory_path() / ("vantle-end-to-end-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(fWork);
        fs::create_directories(fOutput = fWork / "Output");
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(fWork, ignored);
    }

    // The program's main window, its folders chosen through its own choosers.
    HWND OpenWithFolders(CRunningProgram& program, const fs::path& source)
    {
        HWND window = program.WaitForWindow(kMainWindowTitle);
        if (!window)
            return nullptr;
        // The window takes presses once the start-up, which may relaunch the program for its
        // install duty, has given it back its input.
        EXPECT_TRUE(program.PressWhenEnabled(window, "fSelectInputDirButton"));
        EXPECT_TRUE(program.ChooseFolder(kSourceChooserTitle, source));
        EXPECT_TRUE(program.PressWhenEnabled(window, "fSelectOutputDirButton"));
        EXPECT_TRUE(program.ChooseFolder(kOutputChooserTitle, fOutput));
        return window;
    }

    std::vector<fs::path> Packages() const
    {
        std::vector<fs::path> packages;
        for (const fs::path& file : FilesOf(fOutput))
            if (file.extension() == ".vtl")
                packages.push_back(file);
        return packages;
    }

    fs::path fWork;
    fs::path fOutput;
};

TEST_F(EndToEnd, AFolderChosenInTheWindowPacksIntoAPackageTheReaderAcceptsAndTheProgramQuitsCleanly)
{
    // Chosen from the temporary folder: Wine's chooser does not take a typed path on drive Z:.
    const fs::path source = fWork / "Clean";
    fs::copy(FixtureFolder("clean"), source, fs::copy_options::recursive);
    CRunningProgram program;
    HWND window = OpenWithFolders(program, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(program.PressWhenEnabled(window, "fCreateVantleButton"));

    const std::optional<TShownAlert> alert = program.WaitForAlert();
    ASSERT_TRUE(alert);
    // What the window shows during a pack, kept beside the test output: the pack is still
    // running while it reports its end.
    EXPECT_TRUE(SaveWindowImage(window, fs::current_path() / "main-window-packing.bmp"));
    EXPECT_EQ(alert->fTitle, L"Pack complete");
    EXPECT_EQ(alert->fMessage.rfind(L"The Vantle file has been packed successfully!", 0), 0u);
    EXPECT_TRUE(CRunningProgram::Answer(*alert, L"OK"));

    const std::vector<fs::path> packages = Packages();
    ASSERT_EQ(packages.size(), 1u);
    const NSPackingTests::TIndependentPackage package = NSPackingTests::ReadPackageIndependently(packages[0]);
    EXPECT_EQ(package.fName, "Test Bank");
    EXPECT_FALSE(package.fEntries.empty());
    EXPECT_TRUE(IsViewEnabled(program.FindView(window, "fCreateVantleButton")));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(EndToEnd, TheWindowAndTheAboutBoxShowEveryTextWholeAndNoViewOverAnother)
{
    const fs::path source = fWork / "Commented";
    fs::copy(FixtureFolder("clean"), source, fs::copy_options::recursive);
    const std::wstring comments = L"Test sounds for the window.\r\nA second line,\r\na third\r\nand a fourth.";
    std::ofstream(source / "COMMENTS.TXT", std::ios::binary) << Narrow(comments);
    CRunningProgram program;
    HWND window = OpenWithFolders(program, source);
    ASSERT_NE(window, nullptr);
    HWND commentsView = nullptr;
    ASSERT_TRUE(WaitFor(
        [&]
        {
            for (const TShownView& view : ShownViews(program, window))
                if (view.fText == comments)
                    commentsView = view.fWindow;
            return commentsView && ShowsText(commentsView);
        }))
        << "the source folder's comments never showed";
    ExpectTidyWindow(program, window);
    // The idle window with the package's information, kept beside the test output.
    EXPECT_TRUE(SaveWindowImage(window, fs::current_path() / "main-window-idle.bmp"));

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kAboutCommand, 0), 0);
    HWND about = program.WaitForWindow(kAboutTitle);
    ASSERT_NE(about, nullptr);
    RECT client{};
    GetClientRect(about, &client);
    ASSERT_TRUE(WaitFor([&] { return CountVersionLinePixels(about, client) > 0; }))
        << "the About box never showed its version line";
    EXPECT_TRUE(SaveWindowImage(about, fs::current_path() / "about-box.bmp"));
    PostMessageW(about, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(EndToEnd, StopDuringAPackLeavesNoPackageAndTheWindowIdle)
{
    const fs::path source = fWork / "Clean";
    fs::copy(FixtureFolder("clean"), source, fs::copy_options::recursive);
    // A package of the name the pack will write: the pack asks whether to replace it, and waits
    // for the answer with the pack under way.
    const fs::path existing = fOutput / "Test Bank.vtl";
    const std::string kOldContent = "the package of an earlier pack";
    std::ofstream(existing, std::ios::binary) << kOldContent;

    CRunningProgram program;
    HWND window = OpenWithFolders(program, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(program.PressWhenEnabled(window, "fCreateVantleButton"));
    const std::optional<TShownAlert> replace = program.WaitForAlert();
    ASSERT_TRUE(replace);
    ASSERT_EQ(replace->fTitle, L"File already exists");
    HWND create = program.FindView(window, "fCreateVantleButton");
    HWND stop = program.FindView(window, "fStopButton");
    ASSERT_TRUE(IsViewEnabled(stop)) << "the pack is under way";
    ASSERT_FALSE(IsViewEnabled(create));

    // Queued ahead of the answer, the press reaches the pack before it goes on.
    PressButton(stop);
    ASSERT_TRUE(CRunningProgram::Answer(*replace, L"Replace"));
    ASSERT_TRUE(WaitFor([&] { return IsViewEnabled(create); }, 60000)) << "the window never returned to idle";
    EXPECT_FALSE(IsViewEnabled(stop));
    EXPECT_EQ(FilesOf(fOutput), std::vector<fs::path>{existing}) << "a stopped pack writes nothing";
    std::ifstream old(existing, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), kOldContent) << "nor replaces anything";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(EndToEnd, APackRequestFromAnotherProcessPacksWithNobodyAtTheScreen)
{
    CRunningProgram program;
    ASSERT_NE(program.WaitForWindow(kMainWindowTitle), nullptr);

    const fs::path sender = BuildProgram(L"VantlePackRequest.exe");
    std::wstring commandLine = L"\"" + sender.wstring() + L"\" \"" + FixtureFolder("clean").wstring() + L"\" \"" +
                               fOutput.wstring() + L"\" --quit";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(sender.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 300000), WAIT_OBJECT_0);
    DWORD senderExit = 99;
    GetExitCodeProcess(process.hProcess, &senderExit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(senderExit, 0u) << "0: a pack ran";

    const std::vector<fs::path> packages = Packages();
    ASSERT_EQ(packages.size(), 1u);
    EXPECT_EQ(NSPackingTests::ReadPackageIndependently(packages[0]).fName, "Test Bank");
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0)) << "the request's --quit ends the program";
}
} // namespace
} // namespace NSAppTests

namespace NSAppTests
{
// The package that scripts/run made for tests/app/run-script-packs-a-folder, named by its Linux path.
TEST(RunScriptPackage, IsAcceptedByTheIndependentReader)
{
    const char* package = std::getenv("VANTLE_CHECK_PACKAGE");
    if (package == nullptr)
        GTEST_SKIP() << "run by tests/app/run-script-packs-a-folder";
    const NSPackingTests::TIndependentPackage read =
        NSPackingTests::ReadPackageIndependently(NSTestSupport::WinePathOfLinuxPath(package));
    EXPECT_EQ(read.fName, "Test Bank");
    EXPECT_FALSE(read.fEntries.empty());
}
} // namespace NSAppTests
