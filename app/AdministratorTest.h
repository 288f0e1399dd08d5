#pragma once
// Whether a user has administrator rights: an access check against a security descriptor that
// grants access to the Administrators group only, so that a member whose membership is filtered
// out of the token does not pass.
#include <windows.h>

namespace NSVantleApp
{
// The current thread's token, or the process's when the thread has none. Never throws: any
// failing system call answers false.
bool IsUserAdministrator();
// The same check on a token the caller owns (the log-on's).
bool IsTokenAdministrator(HANDLE token);
} // namespace NSVantleApp
