#pragma once
// The failures the elevated relaunch and the log-on share.
#include <windows.h>

namespace NSVantleApp
{
// Shows the alert that the program could not be started elevated, then ends it quietly
// (XSilentAbort).
[[noreturn]] void FailRelaunch();
// A refused log-on (wrong credentials, a restricted account, log-on hours) is a
// std::runtime_error about "authentication"; a cancelled one XAbort. Returns for other errors.
void ThrowIfLogOnRefused(DWORD error);
} // namespace NSVantleApp
