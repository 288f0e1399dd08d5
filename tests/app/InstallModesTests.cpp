// The install modes and the first start of the program, each run as its own process: the exit
// codes a setup sees, the registry they leave, and the one relaunch that does a pending duty.
#include "tests/app/RunningProgram.h"

#include <gtest/gtest.h>

#include <tlhelp32.h>

#include <optional>
#include <set>

namespace NSAppTests
{
namespace
{
const wchar_t kCompanyKey[] = L"Software\\Quillmont Software";
const wchar_t kProgramKey[] = L"Software\\Quillmont Software\\Vantle Packer";

bool KeyExists(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::optional<std::wstring> StoredApplicationPath()
{
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kProgramKey, L"Application Path", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

DWORD RunToEnd(const std::wstring& arguments)
{
    CRunningProgram program(arguments);
    return program.WaitForExit().value_or(0xDEAD);
}

// The copies of the program that the process started, watched until its main window shows.
std::set<DWORD> CopiesStartedUntilTheWindowShows(CRunningProgram& program)
{
    std::set<DWORD> copies;
    const ULONGLONG end = GetTickCount64() + 60000;
    while (GetTickCount64() < end)
    {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
            if (entry.th32ParentProcessID == program.ProcessID() &&
                _wcsicmp(entry.szExeFile, L"VantlePacker.exe") == 0)
                copies.insert(entry.th32ProcessID);
        CloseHandle(snapshot);
        if (program.FindWindowNow(L"Vantle Packer"))
            break;
        Sleep(25);
    }
    return copies;
}
} // namespace

TEST(InstallModes, InstallAndUninstallRegisterAndRemoveTheApplicationPathWithTheirExitCodes)
{
    EXPECT_EQ(RunToEnd(L"/uninstall"), 0u);
    EXPECT_FALSE(KeyExists(kProgramKey));

    EXPECT_EQ(RunToEnd(L"/install /RegisterApplicationPath"), 0u);
    const std::optional<std::wstring> stored = StoredApplicationPath();
    ASSERT_TRUE(stored);
    EXPECT_EQ(_wcsicmp(stored->c_str(), BuildProgram(L"VantlePacker.exe").c_str()), 0) << *stored;

    EXPECT_EQ(RunToEnd(L"/uninstall"), 0u);
    EXPECT_FALSE(KeyExists(kProgramKey));
    EXPECT_TRUE(KeyExists(kCompanyKey)) << "uninstalling keeps the company's key";
    EXPECT_EQ(RunToEnd(L"/uninstall"), 0u) << "nothing left to undo is no failure";
}

TEST(InstallModes, AFirstStartRelaunchesOnceForThePendingDutyAndALaterStartDoesNot)
{
    ASSERT_EQ(RunToEnd(L"/uninstall"), 0u);
    {
        CRunningProgram first;
        EXPECT_EQ(CopiesStartedUntilTheWindowShows(first).size(), 1u);
        EXPECT_TRUE(StoredApplicationPath());
    }
    CRunningProgram later;
    EXPECT_TRUE(CopiesStartedUntilTheWindowShows(later).empty());
}
} // namespace NSAppTests
