#pragma once
// The Win32 calls that decide how the program gains administrator rights go through one
// replaceable table. Under Wine every process is an elevated administrator, any log-on succeeds
// and a start as another user fails: tests put other calls in place to reach the branches of a
// plain user, of an older Windows and of a log-on that fails, and to see what would be started.
// The members carry the platform names and exact signatures of the calls they stand for.
#include "base/CallTable.h"

#include <windows.h>
#include <shellapi.h>

struct TElevationCalls
{
    decltype(&::GetVersionExW) GetVersionExW;
    decltype(&::GetTokenInformation) GetTokenInformation;
    decltype(&::AccessCheck) AccessCheck;
    decltype(&::ShellExecuteExW) ShellExecuteExW;
    decltype(&::LogonUserW) LogonUserW;
    decltype(&::CreateProcessWithLogonW) CreateProcessWithLogonW;
};

template <> const TElevationCalls TCallTable<TElevationCalls>::kReal;

// The table in use: the platform's own calls unless a test has installed others.
inline const TElevationCalls& ElevationCalls()
{
    return *TCallTable<TElevationCalls>::sCurrent;
}

// The platform's own calls, for a test table that changes only some of them.
inline const TElevationCalls& RealElevationCalls()
{
    return TCallTable<TElevationCalls>::kReal;
}

using CElevationCallsOverride = CCallTableOverride<TElevationCalls>;
