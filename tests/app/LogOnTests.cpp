// The log-on as an administrator: the command line of the start under another account, the
// log-on's failures by kind, and the dialog's three tries, typed and clicked by a driver thread
// under Xvfb. Wine accepts every log-on and fails every start under another account, so both
// calls are recorded and answered by stand-ins where a test needs another answer.
#include "app/ApplicationFile.h"
#include "app/AuthenticationDialog.h"
#include "app/ElevatedRelaunch.h"
#include "app/RunWithCredentials.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "gui/SprocketInterface.h"
#include "tests/app/ElevationDoubles.h"
#include "tests/app/InstallDutyDoubles.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{
using namespace NSVantleApp;
using NSTextPackage::TUTF16String;

// The dialog's controls come from the widget library.
class LogOnTest : public InstallDutiesTest
{
protected:
    void SetUp() override
    {
        InstallDutiesTest::SetUp();
        CreateSprocketInterface(GetTrellisInterface());
    }
    void TearDown() override
    {
        ReleaseSprocketInterface();
        InstallDutiesTest::TearDown();
    }
};

struct TLogOnCall
{
    std::wstring fUser;
    std::wstring fDomain;
    std::wstring fPassword;
    DWORD fFlags = 0;
    std::wstring fCommandLine;
};

// What the log-on and the start as another user were asked, and how the stand-ins answer.
struct TLogOnDouble
{
    static inline std::vector<TLogOnCall> sLogOns;
    static inline std::vector<TLogOnCall> sStarts;
    static inline std::optional<DWORD> sLogOnError; // fail every log-on with it

    static void Reset()
    {
        sLogOns.clear();
        sStarts.clear();
        sLogOnError.reset();
    }
};

// The user "nobody" has a wrong password; every other account logs on with this process's
// rights (Wine's own log-on answers a token that no access check passes).
BOOL WINAPI RecordLogOn(LPCWSTR user, LPCWSTR domain, LPCWSTR password, DWORD, DWORD, PHANDLE token)
{
    TLogOnDouble::sLogOns.push_back({user, domain, password, 0, {}});
    if (TLogOnDouble::sLogOnError || std::wstring(user) == L"nobody")
    {
        SetLastError(TLogOnDouble::sLogOnError.value_or(ERROR_LOGON_FAILURE));
        return FALSE;
    }
    return OpenProcessToken(GetCurrentProcess(), TOKEN_DUPLICATE | TOKEN_QUERY, token);
}

// Starts a command that ends at once in place of the program.
BOOL WINAPI RecordStart(LPCWSTR user, LPCWSTR domain, LPCWSTR password, DWORD flags, LPCWSTR, LPWSTR commandLine,
                        DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION process)
{
    TLogOnDouble::sStarts.push_back({user, domain, password, flags, commandLine});
    wchar_t command[] = L"cmd.exe /c exit 0";
    return CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, startup,
                          process);
}

TElevationCalls RecordingLogOnCalls(const TElevationCalls& base = RealElevationCalls())
{
    TElevationCalls calls = base;
    calls.LogonUserW = &RecordLogOn;
    calls.CreateProcessWithLogonW = &RecordStart;
    return calls;
}

std::wstring ComputerName()
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    EXPECT_TRUE(GetComputerNameW(name, &size));
    return name;
}

// The failed try's pause of a second is not waited for.
void WINAPI SkipSleep(DWORD) {}

TWin32Calls NoPauseCalls()
{
    TWin32Calls calls = RealWin32Calls();
    calls.Sleep = &SkipSleep;
    return calls;
}

TEST(LogOnCommandLine, QuotesThePathAndTheArgumentsThatHoldABlank)
{
    const struct
    {
        std::u16string fPath;
        std::vector<std::string> fArguments;
        std::u16string fCommandLine;
    } kCases[] = {
        {u"C:\\x.exe", {}, u"C:\\x.exe"},
        {u"C:\\Program Files\\x.exe", {"/install", "/RegisterApplicationPath"},
         u"\"C:\\Program Files\\x.exe\" /install /RegisterApplicationPath"},
        {u"C:\\x.exe", {"a b", "t\tx", "l\nx", ""}, u"C:\\x.exe \"a b\" t\tx l\nx "},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(BuildCommandLine(TUTF16String(c.fPath.begin(), c.fPath.end()), c.fArguments),
                  TUTF16String(c.fCommandLine.begin(), c.fCommandLine.end()));
}

TEST(LogOnCredentials, APasswordIsWipedWhereItWasHeld)
{
    CAuthenticationDialogData data;
    data.fPassword = MakeText(u"secret");
    const u16* units = data.fPassword.data();
    WipeText(data.fPassword);
    EXPECT_TRUE(data.fPassword.empty());
    // The string keeps its room, so its units are still there to look at.
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(units[i], 0) << i;
    EXPECT_EQ(data.fPassword.data(), units);
}

TEST_F(LogOnTest, TheStartUnderTheAccountGetsTheWholeCommandLine)
{
    const CElevationCallsOverride override(RecordingLogOnCalls());
    TLogOnDouble::Reset();
    const TUTF16String path = MakeText(u"C:\\Program Files\\Vantle\\VantlePacker.exe");
    const std::vector<std::string> arguments{"/install", "/" + std::string(900, 'x')};
    const CWinKernelHandle process(StartProcessAsUser(path, arguments, MakeText(u"admin"), MakeText(u"secret")));
    EXPECT_EQ(WaitForSingleObject(process.Get(), 10000), WAIT_OBJECT_0);
    ASSERT_EQ(TLogOnDouble::sStarts.size(), 1u);
    const TLogOnCall& start = TLogOnDouble::sStarts[0];
    EXPECT_EQ(start.fUser, L"admin");
    EXPECT_EQ(start.fPassword, L"secret");
    EXPECT_EQ(start.fDomain, ComputerName());
    EXPECT_EQ(start.fFlags, DWORD(LOGON_WITH_PROFILE));
    EXPECT_EQ(start.fCommandLine, NSTextPackage::AsWide(BuildCommandLine(path, arguments)));
    EXPECT_GT(start.fCommandLine.size(), 260u) << "not cut";
    EXPECT_TRUE(ShownAlerts().empty());
}

TEST_F(LogOnTest, ACommandLineTooLongToPassIsReportedInsteadOfCut)
{
    const CElevationCallsOverride override(RecordingLogOnCalls());
    TLogOnDouble::Reset();
    const std::vector<std::string> arguments{"/install", "/" + std::string(kLogOnCommandLineMaxLength, 'x')};
    EXPECT_THROW(StartProcessAsUser(MakeText(u"C:\\x.exe"), arguments, MakeText(u"admin"), MakeText(u"secret")),
                 NSQuorral::XSilentAbort);
    EXPECT_TRUE(TLogOnDouble::sStarts.empty());
    EXPECT_EQ(ShownAlerts(), std::vector<std::string>{"301/5"});
}

TEST_F(LogOnTest, AStartThatFailsWithoutAnErrorCodeIsAFailure)
{
    // The platform's own call: Wine answers FALSE and leaves the error code at 0.
    EXPECT_THROW(StartProcessAsUser(GetApplicationPath(), {"/install"}, MakeText(u"admin"), MakeText(u"secret")),
                 NSQuorral::XSilentAbort);
    EXPECT_EQ(ShownAlerts(), std::vector<std::string>{"301/5"});
}

TEST_F(LogOnTest, TheLogOnsFailuresPassOnByTheirKind)
{
    const CElevationCallsOverride override(RecordingLogOnCalls());
    const auto authentication = [](const std::runtime_error& failure) {
        return NSQuorral::HasTargetObjectType(NSQuorral::GetExceptionBody(failure),
                                              NSQuorral::GetAuthenticationObjectType());
    };
    for (const DWORD error : {ERROR_LOGON_FAILURE, ERROR_ACCOUNT_RESTRICTION, ERROR_INVALID_LOGON_HOURS})
    {
        TLogOnDouble::Reset();
        TLogOnDouble::sLogOnError = error;
        try
        {
            IsAdministratorLogOn(MakeText(u"admin"), MakeText(u"wrong"));
            ADD_FAILURE() << "no failure for " << error;
        }
        catch (const std::runtime_error& failure)
        {
            EXPECT_TRUE(authentication(failure)) << error;
        }
    }
    TLogOnDouble::sLogOnError = ERROR_CANCELLED;
    EXPECT_THROW(IsAdministratorLogOn(MakeText(u"admin"), MakeText(u"x")), NSQuorral::XAbort);
    TLogOnDouble::sLogOnError = ERROR_ACCESS_DENIED;
    EXPECT_THROW(IsAdministratorLogOn(MakeText(u"admin"), MakeText(u"x")), NSQuorral::XPermission);
    EXPECT_TRUE(ShownAlerts().empty());
    TLogOnDouble::sLogOnError = ERROR_SUCCESS;
    EXPECT_THROW(IsAdministratorLogOn(MakeText(u"admin"), MakeText(u"x")), NSQuorral::XSilentAbort);
    EXPECT_EQ(ShownAlerts(), std::vector<std::string>{"301/5"});

    TLogOnDouble::Reset();
    EXPECT_TRUE(IsAdministratorLogOn(MakeText(u"admin"), MakeText(u"x")));
    ASSERT_EQ(TLogOnDouble::sLogOns.size(), 1u);
    EXPECT_EQ(TLogOnDouble::sLogOns[0].fDomain, ComputerName());
    const CElevationCallsOverride plainUser(RecordingLogOnCalls(PlainUserCalls()));
    EXPECT_FALSE(IsAdministratorLogOn(MakeText(u"plain"), MakeText(u"x")));
}

// One try at the dialog: what the driver types and how it closes the dialog.
struct TLogOnAnswer
{
    enum EClose
    {
        kClickOk,
        kPressEnter,
        kClickCancel,
    };
    std::wstring fUser;
    std::wstring fPassword;
    EClose fClose = kClickOk;
    bool fOkWithoutUserFirst = false;
};

struct TLogOnControls
{
    HWND fUser = nullptr;
    HWND fPassword = nullptr;
    HWND fOk = nullptr;
    HWND fCancel = nullptr;
};

TLogOnControls FindLogOnControls(HWND dialog)
{
    TLogOnControls controls;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM found) {
            auto* controls = reinterpret_cast<TLogOnControls*>(found);
            wchar_t className[64] = {};
            wchar_t text[64] = {};
            GetClassNameW(child, className, 64);
            GetWindowTextW(child, text, 64);
            if (_wcsicmp(className, L"Edit") == 0)
                ((GetWindowLongPtrW(child, GWL_STYLE) & ES_PASSWORD) ? controls->fPassword : controls->fUser) = child;
            else if (_wcsicmp(className, L"Button") == 0 && std::wstring(text) == L"OK")
                controls->fOk = child;
            else if (_wcsicmp(className, L"Button") == 0 && std::wstring(text) == L"Cancel")
                controls->fCancel = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&controls));
    return controls;
}

bool HasFocus(HWND control)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) && info.hwndFocus == control;
}

// Types the text into the field as characters of the keyboard, and answers whether the field
// took it (cut to the longest credential). The characters are posted to the field itself: under
// Xvfb without a window manager, keys from SendInput may reach another window than the one
// with the focus.
bool TypeInto(HWND field, const std::wstring& text)
{
    for (const wchar_t character : text)
        PostMessageW(field, WM_CHAR, character, 1);
    const int expected = int(std::min(text.size(), kCredentialMaxLength));
    return WaitFor([&] { return GetWindowTextLengthW(field) == expected; });
}

// Types and clicks the answer into the dialog; returns what went wrong, empty when nothing did.
std::string AnswerLogOnDialog(HWND dialog, const TLogOnAnswer& answer)
{
    const TLogOnControls controls = FindLogOnControls(dialog);
    if (!controls.fUser || !controls.fPassword || !controls.fOk || !controls.fCancel)
        return "a control is missing";
    if (!WaitFor([&] { return GetForegroundWindow() == dialog; }))
        return "the dialog did not come to the front";
    if (answer.fOkWithoutUserFirst)
    {
        // Posted characters come before mouse input: the click is seen through first.
        ClickOn(controls.fOk);
        if (!WaitFor([&] { return HasFocus(controls.fOk); }))
            return "OK was not clicked";
    }
    if (!TypeInto(controls.fUser, answer.fUser) || !TypeInto(controls.fPassword, answer.fPassword))
        return "a field did not take the text";
    if (answer.fClose == TLogOnAnswer::kClickOk)
        ClickOn(controls.fOk);
    else if (answer.fClose == TLogOnAnswer::kPressEnter)
        PostMessageW(controls.fPassword, WM_CHAR, L'\r', 1);
    else
        ClickOn(controls.fCancel);
    return {};
}

// Runs run() on this thread while a second thread answers each log-on dialog in turn as the user
// would. Returns what went wrong, empty when nothing did; a dialog left open is closed.
std::string AnswerLogOnDialogs(const std::vector<TLogOnAnswer>& answers, const std::function<void()>& run)
{
    std::string failure;
    std::thread answering([&] {
        for (std::size_t i = 0; i < answers.size() && failure.empty(); ++i)
        {
            const TLogOnAnswer& answer = answers[i];
            const std::string attempt = "try " + std::to_string(i + 1) + ": ";
            HWND dialog = nullptr;
            if (!WaitFor([&] {
                    return (dialog = FindWindowW(L"Trellis.Window", L"VantlePacker Installation")) &&
                           IsWindowVisible(dialog);
                }))
            {
                failure = attempt + "no log-on dialog";
                return;
            }
            const std::string answered = AnswerLogOnDialog(dialog, answer);
            if (!answered.empty())
                failure = attempt + answered;
            if (!WaitFor([&] { return !IsWindow(dialog); }))
            {
                failure = attempt + "the dialog stayed open";
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            }
        }
    });
    run();
    answering.join();
    return failure;
}

TEST_F(LogOnTest, ThreeFailedTriesShowTheirAlertsAndEndQuietly)
{
    const CElevationCallsOverride override(RecordingLogOnCalls(PlainUserCalls()));
    const CWin32CallsOverride noPause(NoPauseCalls());
    TLogOnDouble::Reset();
    const std::vector<TLogOnAnswer> answers{
        {L"nobody", L"wrong", TLogOnAnswer::kClickOk},
        {L"plain", L"right", TLogOnAnswer::kPressEnter},
        {L"nobody", L"again", TLogOnAnswer::kClickOk},
    };
    std::optional<bool> silent;
    EXPECT_EQ(AnswerLogOnDialogs(answers,
                                 [&] {
                                     try
                                     {
                                         RunWithCredentials(GetApplicationPath(), {"/install"});
                                     }
                                     catch (const NSQuorral::XSilentAbort&)
                                     {
                                         silent = true;
                                     }
                                     catch (...)
                                     {
                                         silent = false;
                                     }
                                 }),
              "");
    EXPECT_EQ(silent, true);
    EXPECT_EQ(ShownAlerts(), (std::vector<std::string>{"301/3", "301/3", "301/2"}));
    ASSERT_EQ(TLogOnDouble::sLogOns.size(), 3u);
    EXPECT_EQ(TLogOnDouble::sLogOns[0].fUser, L"nobody");
    EXPECT_EQ(TLogOnDouble::sLogOns[0].fPassword, L"wrong");
    EXPECT_EQ(TLogOnDouble::sLogOns[1].fUser, L"plain");
    EXPECT_EQ(TLogOnDouble::sLogOns[1].fPassword, L"right");
    EXPECT_TRUE(TLogOnDouble::sStarts.empty());
}

TEST_F(LogOnTest, AnAdministratorsAccountStartsTheCopyWithTheTextsCutAsTyped)
{
    const CElevationCallsOverride override(RecordingLogOnCalls());
    TLogOnDouble::Reset();
    const std::wstring longName(300, L'a');
    HANDLE process = nullptr;
    EXPECT_EQ(AnswerLogOnDialogs({{longName, L"secret", TLogOnAnswer::kClickOk, true}},
                                 [&] { process = RunWithCredentials(GetApplicationPath(), {"/install"}); }),
              "");
    const CWinKernelHandle owner(process);
    EXPECT_NE(process, nullptr);
    ASSERT_EQ(TLogOnDouble::sLogOns.size(), 1u) << "OK without a user name leaves the dialog open";
    EXPECT_EQ(TLogOnDouble::sLogOns[0].fUser, std::wstring(kCredentialMaxLength, L'a'));
    ASSERT_EQ(TLogOnDouble::sStarts.size(), 1u);
    EXPECT_EQ(TLogOnDouble::sStarts[0].fUser, std::wstring(kCredentialMaxLength, L'a'));
    EXPECT_EQ(TLogOnDouble::sStarts[0].fPassword, L"secret");
    EXPECT_TRUE(ShownAlerts().empty());
}

TEST_F(LogOnTest, APlainUserWithoutUserAccountControlIsAskedToLogOnAndMayCancel)
{
    const CElevationCallsOverride override(RecordingShellCalls(RecordingLogOnCalls(PlainUserCalls())));
    TLogOnDouble::Reset();
    TShellDouble::Reset();
    std::optional<bool> cancelled;
    EXPECT_EQ(AnswerLogOnDialogs({{L"admin", L"secret", TLogOnAnswer::kClickCancel}},
                                 [&] {
                                     try
                                     {
                                         RunElevated(GetApplicationPath(), {"/install"});
                                     }
                                     catch (const NSQuorral::XAbort&)
                                     {
                                         cancelled = true;
                                     }
                                     catch (...)
                                     {
                                         cancelled = false;
                                     }
                                 }),
              "");
    EXPECT_EQ(cancelled, true);
    EXPECT_TRUE(TShellDouble::sStarts.empty());
    EXPECT_TRUE(TLogOnDouble::sLogOns.empty());
    EXPECT_TRUE(ShownAlerts().empty());
}
} // namespace
