// The hidden pack-request window: requests sent through the real window over real pipes and
// files, answered by a runner of the test's own in place of the application object; the GUI
// library's quit seen through a stand-in library.
#include "app/PackRequestWindow.h"

#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "gui/TrellisInterface.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/gui/ViewDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

using namespace NSVantleApp;

namespace
{
using NSTextPackage::TUTF16String;

class CQuitRecordingTrellis final : public CTrellisStub
{
public:
    u32 Quit() override
    {
        ++fQuits;
        return fQuitStatus;
    }
    int fQuits = 0;
    u32 fQuitStatus = kTrellisOK;
};

std::string BigEndianLength(std::size_t length)
{
    return {char(length >> 24), char(length >> 16), char(length >> 8), char(length)};
}

// The request's bytes for two paths already in the sender's code page.
std::string Request(const std::string& source, const std::string& output)
{
    return BigEndianLength(source.size()) + source + BigEndianLength(output.size()) + output;
}

std::string ANSI(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToCodePage(text, GetACP());
}

std::string UTF8(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

// A pipe whose write end the test keeps; the read end is what a request hands over.
class CPipe
{
public:
    CPipe() { EXPECT_TRUE(CreatePipe(&fRead, &fWrite, nullptr, 64 * 1024)); }
    ~CPipe() { CloseHandle(fWrite); }
    CPipe(const CPipe&) = delete;
    CPipe& operator=(const CPipe&) = delete;

    void Write(const std::string& bytes) const
    {
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(fWrite, bytes.data(), DWORD(bytes.size()), &written, nullptr));
        ASSERT_EQ(written, bytes.size());
    }

    HANDLE fRead = nullptr;
    HANDLE fWrite = nullptr;
};

bool IsHandleOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

class PackRequestWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fReplaced = ExchangeTrellisInterface(&fTrellis);
        NSQuorral::SetExceptionResponder(&fResponder);
        std::filesystem::create_directories(fScratch.Path() / "In");
        std::filesystem::create_directories(fScratch.Path() / "Out");
        CreatePackRequestWindow(
            &fHolder, nullptr,
            [this](const NSFileLibSupport::TDirSpecPtr& input, const NSFileLibSupport::TDirSpecPtr& output)
            {
                fRuns.push_back(UTF8(NSFileLibSupport::GetDirWinPath(input.get())) + " -> " +
                                UTF8(NSFileLibSupport::GetDirWinPath(output.get())));
                if (fRunnerThrows)
                    throw std::runtime_error("runner failed");
                return fPackRuns;
            });
    }
    void TearDown() override
    {
        DestroyPackRequestWindow(&fHolder);
        NSQuorral::SetExceptionResponder(nullptr);
        ExchangeTrellisInterface(fReplaced);
    }

    TUTF16String In() const { return fScratch.PathOf(u"In") + u16('\\'); }
    TUTF16String Out() const { return fScratch.PathOf(u"Out") + u16('\\'); }
    std::string Ran(const TUTF16String& input, const TUTF16String& output) const
    {
        return UTF8(input) + " -> " + UTF8(output);
    }

    LRESULT Send(HANDLE source) const
    {
        return SendMessageW(fHolder.fWindow, kPackRequestMessage, 0, reinterpret_cast<LPARAM>(source));
    }

    CQuitRecordingTrellis fTrellis;
    ITrellis* fReplaced = nullptr;
    CCountingResponder fResponder;
    NSFileLibTests::CScratchFolder fScratch;
    TPackRequestWindow fHolder;
    std::vector<std::string> fRuns;
    bool fPackRuns = true;
    bool fRunnerThrows = false;
};

TEST_F(PackRequestWindowTest, ARequestRunsThePackOfItsTwoFoldersAndClosesTheHandle)
{
    CPipe pipe;
    pipe.Write(Request(ANSI(In()), ANSI(Out())));
    EXPECT_EQ(Send(pipe.fRead), 1);
    EXPECT_EQ(fRuns, std::vector<std::string>{Ran(In(), Out())});
    EXPECT_FALSE(IsHandleOpen(pipe.fRead));
}

TEST_F(PackRequestWindowTest, TheLengthsAreBigEndian)
{
    CPipe pipe;
    const std::string root("\0\0\0\x03"
                           "C:\\",
                           7);
    pipe.Write(root + root);
    EXPECT_EQ(Send(pipe.fRead), 1);
    EXPECT_EQ(fRuns, std::vector<std::string>{"C:\\ -> C:\\"});
}

TEST_F(PackRequestWindowTest, ARequestThatStartsNoPackIsAnsweredZero)
{
    // During a pack the application object refuses; a runner's failure counts as no pack.
    for (const bool throws : {false, true})
    {
        fPackRuns = false;
        fRunnerThrows = throws;
        CPipe pipe;
        pipe.Write(Request(ANSI(In()), ANSI(Out())));
        EXPECT_EQ(Send(pipe.fRead), 0) << throws;
        EXPECT_FALSE(IsHandleOpen(pipe.fRead));
    }
    EXPECT_EQ(fRuns.size(), 2u);
}

TEST_F(PackRequestWindowTest, UnreadableRequestsAreAnsweredMinusOneAtOnceAndTheHandleClosed)
{
    const std::string input = ANSI(In());
    struct Case
    {
        const char* fName;
        std::string fBytes; // all the sender ever writes; its end of the pipe stays open
    };
    const Case kCases[] = {
        {"never written", ""},
        {"half a length", std::string("\0\0", 2)},
        {"a path shorter than its length", BigEndianLength(input.size() + 1) + input},
        {"no second path", BigEndianLength(input.size()) + input},
        {"a second length only", BigEndianLength(input.size()) + input + BigEndianLength(4)},
        {"a little-endian length",
         std::string("\x03\0\0\0", 4) + "C:\\" + std::string("\x03\0\0\0", 4) + "C:\\"},
        {"a length past the bound", BigEndianLength(kMaxPackRequestPathBytes + 1) + "C:\\"},
    };
    for (const Case& c : kCases)
    {
        CPipe pipe;
        pipe.Write(c.fBytes);
        EXPECT_EQ(Send(pipe.fRead), -1) << c.fName;
        EXPECT_FALSE(IsHandleOpen(pipe.fRead)) << c.fName;
    }
    EXPECT_TRUE(fRuns.empty());
}

TEST_F(PackRequestWindowTest, ARequestFromAFileIsReadAsFromAPipe)
{
    const TUTF16String path = fScratch.Write(u"request", Request(ANSI(In()), ANSI(Out())));
    const HANDLE file =
        CreateFileW(NSTextPackage::AsWide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Send(file), 1);
    EXPECT_EQ(fRuns, std::vector<std::string>{Ran(In(), Out())});
    EXPECT_FALSE(IsHandleOpen(file));
}

TEST_F(PackRequestWindowTest, AHandleThatCannotBeClosedIsAnsweredMinusOne)
{
    TWin32Calls calls = RealWin32Calls();
    calls.CloseHandle = [](HANDLE handle) -> BOOL
    {
        RealWin32Calls().CloseHandle(handle);
        return FALSE;
    };
    CWin32CallsOverride failingClose(calls);
    CPipe pipe;
    pipe.Write(Request(ANSI(In()), ANSI(Out())));
    EXPECT_EQ(Send(pipe.fRead), -1);
    EXPECT_EQ(fRuns.size(), 1u) << "the pack ran all the same";
}

TEST_F(PackRequestWindowTest, WithoutAHandleNothingIsReadAndTheSystemAnswers)
{
    LRESULT result = 7;
    EXPECT_FALSE(HandlePackRequestMessage(fHolder.fWindow, kPackRequestMessage, 0, 0, &result, nullptr));
    EXPECT_EQ(result, 7);
    EXPECT_EQ(Send(nullptr), DefWindowProcW(fHolder.fWindow, kPackRequestMessage, 0, 0));
    EXPECT_TRUE(fRuns.empty());
}

TEST_F(PackRequestWindowTest, CloseAsksTheGUILibraryToQuitAndKeepsTheWindow)
{
    EXPECT_EQ(SendMessageW(fHolder.fWindow, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(fTrellis.fQuits, 1);
    EXPECT_TRUE(IsWindow(fHolder.fWindow));

    // A failing quit goes to the responder; nothing leaves the window procedure.
    fTrellis.fQuitStatus = kTrellisIllegalCallSequence;
    EXPECT_EQ(SendMessageW(fHolder.fWindow, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(fResponder.fResponses, 1);
    EXPECT_TRUE(IsWindow(fHolder.fWindow));
}

TEST_F(PackRequestWindowTest, TheWindowIsHiddenNamedAndGoneWithItsClassAfterDestruction)
{
    const HWND found = FindWindowW(L"VantlePacker Message Window", L"VantlePacker Message Window");
    EXPECT_EQ(found, fHolder.fWindow);
    EXPECT_FALSE(IsWindowVisible(fHolder.fWindow));
    const DWORD style = DWORD(GetWindowLongW(fHolder.fWindow, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE), DWORD(WS_CAPTION | WS_SYSMENU));

    // A second window cannot register the class: it fails and leaves the first answering.
    TPackRequestWindow second;
    EXPECT_THROW(CreatePackRequestWindow(&second, nullptr, nullptr), std::exception);
    EXPECT_EQ(second.fClassAtom, 0);
    EXPECT_EQ(second.fWindow, nullptr);
    EXPECT_EQ(SendMessageW(fHolder.fWindow, WM_CLOSE, 0, 0), 0);
    EXPECT_EQ(fTrellis.fQuits, 1);

    const HWND window = fHolder.fWindow;
    DestroyPackRequestWindow(&fHolder);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(fHolder.fClassAtom, 0);
    // The class is gone: it can be registered again.
    {
        TPackRequestWindow again;
        EXPECT_NO_THROW(CreatePackRequestWindow(&again, nullptr, nullptr));
        EXPECT_TRUE(IsWindow(again.fWindow));
    }
    EXPECT_EQ(FindWindowW(L"VantlePacker Message Window", nullptr), nullptr) << "destroyed with its holder";
}

TEST_F(PackRequestWindowTest, PathsArriveInTheANSICodePage)
{
    std::filesystem::create_directories(fScratch.Path() / L"Caf\u00e9");
    const TUTF16String cafe = fScratch.PathOf(u"Caf\u00e9") + u16('\\');
    CPipe pipe;
    pipe.Write(Request(ANSI(cafe), ANSI(Out())));
    EXPECT_EQ(Send(pipe.fRead), 1);
    EXPECT_EQ(fRuns, std::vector<std::string>{Ran(cafe, Out())});
}

TEST(PackRequestString, APathUpToTheBoundIsReadAndOneByteMoreIsRefused)
{
    NSFileLibTests::CScratchFolder scratch;
    for (const u32 length : {kMaxPackRequestPathBytes, kMaxPackRequestPathBytes + 1})
    {
        const TUTF16String path =
            scratch.Write(u"request", BigEndianLength(length) + std::string(length, 'a'));
        const HANDLE file =
            CreateFileW(NSTextPackage::AsWide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        TUTF16String read;
        if (length == kMaxPackRequestPathBytes)
        {
            EXPECT_NO_THROW(ReadPackRequestString(read, file));
            EXPECT_EQ(read, TUTF16String(length, u16('a')));
        }
        else
            EXPECT_THROW(ReadPackRequestString(read, file), std::exception);
        CloseHandle(file);
    }
}

TEST(PackRequestString, BytesOfAnotherCodePageArriveGarbled)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP();
    CPipe pipe;
    pipe.Write(BigEndianLength(5) + "Caf\xC3\xA9"); // UTF-8
    TUTF16String read;
    ReadPackRequestString(read, pipe.fRead);
    EXPECT_EQ(UTF8(read), "Caf\xC3\x83\xC2\xA9"); // "CafÃ©"
    CloseHandle(pipe.fRead);
}
} // namespace
