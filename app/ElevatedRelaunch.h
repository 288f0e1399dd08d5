#pragma once
// Starting a copy of the program with administrator rights and waiting for its exit code: the
// shell's "runas" where User Account Control is on and the process is not elevated, the shell's
// "open" for an administrator, otherwise the log-on dialog and a start under the account given.
// While it waits, the GUI library keeps being serviced and the program's own windows make way for
// the copy's. Every failure to start or to wait shows the relaunch alert and ends the program
// quietly (XSilentAbort).
#include "filelib/FileLibWrappers.h"

#include <string>
#include <vector>

#include <windows.h>

namespace NSVantleApp
{
// Runs the file elevated with the arguments (already escaped for the copy's split) and answers
// its exit code. A declined elevation is XAbort; a log-on failure reported by the shell is a
// std::runtime_error about "authentication".
i32 RunElevatedAndWait(const NSFileLibSupport::TFileSpecPtr& file, const std::vector<std::string>& arguments);

// The process of the program started elevated, by the way the system and the user allow.
HANDLE RunElevated(const NSTextPackage::TUTF16String& path, const std::vector<std::string>& arguments);
// The process started through the shell, with "runas" or "open". An argument holding a blank, a
// tab or a line break is passed in double quotes.
HANDLE ShellExecuteProgram(const NSTextPackage::TUTF16String& path, const std::vector<std::string>& arguments,
                           bool runas);
// Whether this process already runs with a full administrator token; a token that cannot be
// asked answers no, so that the system is asked for the rights.
bool IsProcessElevated();

// A started program and the wait for its end. The process handle is the runner's.
class CApplicationRunner
{
public:
    CApplicationRunner(NSTextPackage::TUTF16String path, std::vector<std::string> arguments, bool elevated);
    ~CApplicationRunner();
    CApplicationRunner(const CApplicationRunner&) = delete;
    CApplicationRunner& operator=(const CApplicationRunner&) = delete;

    void Run();
    // Waits, keeping the program serviced, and answers the exit code.
    i32 WaitForExitCode();

private:
    NSTextPackage::TUTF16String fPath;
    std::vector<std::string> fArguments;
    HANDLE fProcess = nullptr;
    bool fElevated;
};
} // namespace NSVantleApp
