// How the elevated copy is started and waited for. The shell's start is recorded and answered by
// a stand-in; the User Account Control policy is the test prefix's own registry value, set for
// the time of a test.
#include "app/ApplicationFile.h"
#include "app/ElevatedRelaunch.h"
#include "base/Quorral.h"
#include "base/WinHandles.h"
#include "tests/app/ElevationDoubles.h"
#include "tests/app/InstallDutyDoubles.h"

#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{
using namespace NSVantleApp;
using ElevatedRelaunchTest = InstallDutiesTest;

const wchar_t kPolicyKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// The policy value "EnableLUA" as a test sets it; the prefix's own value comes back afterwards.
class CUserAccountControlPolicy
{
public:
    CUserAccountControlPolicy()
    {
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kPolicyKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &fKey,
                                  nullptr),
                  ERROR_SUCCESS);
        DWORD size = sizeof(fSaved);
        fHadValue = RegQueryValueExW(fKey, L"EnableLUA", nullptr, &fSavedType, fSaved, &size) == ERROR_SUCCESS;
        fSavedSize = size;
    }
    ~CUserAccountControlPolicy()
    {
        if (fHadValue)
            RegSetValueExW(fKey, L"EnableLUA", 0, fSavedType, fSaved, fSavedSize);
        else
            RegDeleteValueW(fKey, L"EnableLUA");
        RegCloseKey(fKey);
    }

    void SetNumber(DWORD value) { RegSetValueExW(fKey, L"EnableLUA", 0, REG_DWORD, (const BYTE*)&value, 4); }
    void SetText(const wchar_t* text)
    {
        RegSetValueExW(fKey, L"EnableLUA", 0, REG_SZ, (const BYTE*)text, DWORD((wcslen(text) + 1) * 2));
    }
    void Remove() { RegDeleteValueW(fKey, L"EnableLUA"); }

private:
    HKEY fKey = nullptr;
    bool fHadValue = false;
    DWORD fSavedType = 0;
    BYTE fSaved[64] = {};
    DWORD fSavedSize = 0;
};

BOOL WINAPI ReportWindowsXP(OSVERSIONINFOW* version)
{
    version->dwMajorVersion = 5;
    version->dwMinorVersion = 1;
    version->dwPlatformId = VER_PLATFORM_WIN32_NT;
    return TRUE;
}

BOOL WINAPI FailVersion(OSVERSIONINFOW*)
{
    return FALSE;
}

BOOL WINAPI ReportNotElevated(HANDLE, TOKEN_INFORMATION_CLASS, void* information, DWORD, DWORD* size)
{
    static_cast<TOKEN_ELEVATION*>(information)->TokenIsElevated = 0;
    *size = sizeof(TOKEN_ELEVATION);
    return TRUE;
}

BOOL WINAPI FailTokenInformation(HANDLE, TOKEN_INFORMATION_CLASS, void*, DWORD, DWORD*)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(ElevatedRelaunchTest, TheWayToStartFollowsTheSystemThePolicyAndTheProcessToken)
{
    enum EPolicy
    {
        kOn,
        kOff,
        kTwo,
        kText,
        kMissing
    };
    const struct
    {
        const char* fLabel;
        bool fWindowsXP;
        EPolicy fPolicy;
        decltype(TElevationCalls::GetTokenInformation) fToken;
        const wchar_t* fVerb;
    } kCases[] = {
        {"control on, not elevated", false, kOn, &ReportNotElevated, L"runas"},
        {"control on, token not readable", false, kOn, &FailTokenInformation, L"runas"},
        {"control on, elevated", false, kOn, nullptr, L"open"},
        {"control off", false, kOff, &ReportNotElevated, L"open"},
        {"value 2", false, kTwo, &ReportNotElevated, L"open"},
        {"value as text", false, kText, &ReportNotElevated, L"open"},
        {"no value", false, kMissing, &ReportNotElevated, L"open"},
        {"Windows XP", true, kOn, &ReportNotElevated, L"open"},
    };
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.fLabel);
        CUserAccountControlPolicy policy;
        switch (c.fPolicy)
        {
        case kOn:
            policy.SetNumber(1);
            break;
        case kOff:
            policy.SetNumber(0);
            break;
        case kTwo:
            policy.SetNumber(2);
            break;
        case kText:
            policy.SetText(L"1");
            break;
        case kMissing:
            policy.Remove();
            break;
        }
        TElevationCalls calls = RecordingShellCalls();
        if (c.fWindowsXP)
            calls.GetVersionExW = &ReportWindowsXP;
        if (c.fToken)
            calls.GetTokenInformation = c.fToken;
        const CElevationCallsOverride override(calls);
        TShellDouble::Reset();
        TShellDouble::sError = ERROR_CANCELLED;
        EXPECT_THROW(RunElevated(GetApplicationPath(), {"/install"}), NSQuorral::XAbort);
        ASSERT_EQ(TShellDouble::sStarts.size(), 1u);
        EXPECT_EQ(TShellDouble::sStarts[0].fVerb, c.fVerb);
        EXPECT_EQ(TShellDouble::sStarts[0].fFile, NSTextPackage::AsWide(GetApplicationPath()));
    }
    EXPECT_TRUE(ShownAlerts().empty());
}

TEST_F(ElevatedRelaunchTest, ArgumentsWithBlanksOrLineBreaksArriveQuoted)
{
    const CElevationCallsOverride override(RecordingShellCalls());
    TShellDouble::Reset();
    TShellDouble::sError = ERROR_CANCELLED;
    EXPECT_THROW(ShellExecuteProgram(MakeText(u"C:\\Program Files\\x.exe"),
                                     {"/install", "a b", "t\tx", "l\nx", "r\rx", "C:\\x\\\\\"y\\\""}, false),
                 NSQuorral::XAbort);
    ASSERT_EQ(TShellDouble::sStarts.size(), 1u);
    EXPECT_EQ(TShellDouble::sStarts[0].fParameters, L"/install \"a b\" \"t\tx\" \"l\nx\" \"r\rx\" C:\\x\\\\\"y\\\"");
    EXPECT_EQ(TShellDouble::sStarts[0].fFile, L"C:\\Program Files\\x.exe");
    EXPECT_FALSE(TShellDouble::sStarts[0].fHasWindow) << "\"open\" has no owner window";
}

TEST_F(ElevatedRelaunchTest, EveryFailureToStartIsReportedOrPassedOnByItsKind)
{
    enum EOutcome
    {
        kCancelled,      // XAbort, no alert
        kAuthentication, // std::runtime_error about "authentication", no alert
        kReported,       // the relaunch alert, then XSilentAbort
    };
    const struct
    {
        DWORD fError;
        bool fNoProcess;
        EOutcome fOutcome;
    } kCases[] = {
        {ERROR_CANCELLED, false, kCancelled},           {ERROR_LOGON_FAILURE, false, kAuthentication},
        {ERROR_ACCOUNT_RESTRICTION, false, kAuthentication}, {ERROR_INVALID_LOGON_HOURS, false, kAuthentication},
        {ERROR_ACCESS_DENIED, false, kReported},        {ERROR_FILE_NOT_FOUND, false, kReported},
        {ERROR_SUCCESS, true, kReported},
    };
    const CElevationCallsOverride override(RecordingShellCalls());
    for (const auto& c : kCases)
    {
        SCOPED_TRACE(c.fError);
        TearDown();
        SetUp();
        TShellDouble::Reset();
        TShellDouble::sError = c.fError;
        TShellDouble::sNoProcess = c.fNoProcess;
        std::optional<EOutcome> outcome;
        try
        {
            ShellExecuteProgram(GetApplicationPath(), {"/install"}, true);
        }
        catch (const NSQuorral::XAbort&)
        {
            outcome = kCancelled;
        }
        catch (const NSQuorral::XSilentAbort&)
        {
            outcome = kReported;
        }
        catch (const std::runtime_error& failure)
        {
            if (NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(failure),
                                               NSQuorral::GetAuthenticationObjectType()))
                outcome = kAuthentication;
        }
        EXPECT_EQ(outcome, c.fOutcome);
        EXPECT_EQ(ShownAlerts(), c.fOutcome == kReported ? std::vector<std::string>{"301/5"} : std::vector<std::string>{});
    }
}

TEST_F(ElevatedRelaunchTest, AnUnknownSystemVersionIsReported)
{
    TElevationCalls calls = RecordingShellCalls();
    calls.GetVersionExW = &FailVersion;
    const CElevationCallsOverride override(calls);
    TShellDouble::Reset();
    EXPECT_THROW(RunElevated(GetApplicationPath(), {"/install"}), NSQuorral::XSilentAbort);
    EXPECT_TRUE(TShellDouble::sStarts.empty());
    EXPECT_EQ(ShownAlerts(), std::vector<std::string>{"301/5"});
}

// A plain top-level window of this process.
class CTestWindow
{
public:
    explicit CTestWindow(bool visible)
    {
        static const ATOM kClass = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = &DefWindowProcW;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"RelaunchTestWindow";
            return RegisterClassW(&windowClass);
        }();
        fWindow = CreateWindowExW(0, MAKEINTATOM(kClass), L"Program window", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                                  300, 300, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~CTestWindow() { DestroyWindow(fWindow); }
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND Get() const { return fWindow; }

private:
    HWND fWindow;
};

std::wstring WindowChildPath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\') + 1) + L"relaunch_window_child.exe";
}

TEST_F(ElevatedRelaunchTest, TheProgramsWindowsGiveWayWhileTheCopyShowsOne)
{
    const CTestWindow shown(true);
    const CTestWindow hidden(false);
    const CElevationCallsOverride override(RecordingShellCalls());
    TShellDouble::Reset();
    TShellDouble::sChildFile = WindowChildPath();
    std::string failure;
    bool gaveWay = false;
    // The user of the copy: looks at the program's window while the copy's is up, then closes it.
    std::thread user([&] {
        HWND copy = nullptr;
        if (!WaitFor([&] { return (copy = FindWindowW(L"RelaunchedCopy", nullptr)) && IsWindowVisible(copy); }))
        {
            failure = "the copy showed no window";
            return;
        }
        gaveWay = WaitFor([&] { return !IsWindowVisible(shown.Get()); });
        PostMessageW(copy, WM_CLOSE, 0, 0);
    });
    const i32 exitCode = RunElevatedAndWait(GetApplicationFileSpec(), {"/install"});
    user.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(gaveWay) << "hidden while the copy's window was up";
    EXPECT_TRUE(IsWindowVisible(shown.Get())) << "back when the copy ended";
    EXPECT_FALSE(IsWindowVisible(hidden.Get())) << "a window hidden before stays hidden";
}

TEST_F(ElevatedRelaunchTest, TheWaitAnswersTheCopysWholeExitCode)
{
    const CElevationCallsOverride override(RecordingShellCalls());
    for (const DWORD exitCode : {0ul, 77ul, 0xFFFFFFFFul})
    {
        TShellDouble::Reset(exitCode);
        EXPECT_EQ(u32(RunElevatedAndWait(GetApplicationFileSpec(), {"/install"})), exitCode);
    }
}
} // namespace
