#pragma once
// Starting the program under an administrator account that the user names in the log-on dialog,
// where the system has no elevation prompt of its own. The user has three tries.
#include "base/UTF16String.h"

#include <string>
#include <vector>

#include <windows.h>

namespace NSVantleApp
{
// The started process (the caller closes it). Cancel is XAbort; the third failed try ends
// quietly (XSilentAbort) after its alert.
HANDLE RunWithCredentials(const NSTextPackage::TUTF16String& path, const std::vector<std::string>& arguments);

// Whether the account can log on here and holds administrator rights. Refused credentials are a
// std::runtime_error about "authentication".
bool IsAdministratorLogOn(const NSTextPackage::TUTF16String& user, const NSTextPackage::TUTF16String& password);
// The process of the program started under the account.
HANDLE StartProcessAsUser(const NSTextPackage::TUTF16String& path, const std::vector<std::string>& arguments,
                          const NSTextPackage::TUTF16String& user, const NSTextPackage::TUTF16String& password);
// The path, in double quotes when it holds a blank, then each argument after one blank, in
// double quotes when it holds a blank.
NSTextPackage::TUTF16String BuildCommandLine(const NSTextPackage::TUTF16String& path,
                                             const std::vector<std::string>& arguments);
// The longest command line a start under another account takes.
constexpr std::size_t kLogOnCommandLineMaxLength = 1024;
} // namespace NSVantleApp
