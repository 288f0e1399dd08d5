#pragma once
// The standard folders of the user and of the machine, and the application's own data folders
// under them.
#include "base/Types.h"
#include "base/UTF16String.h"

// CSIDL numbers of the folders the file library hands out.
constexpr u32 kCSIDLDesktop = 0;
constexpr u32 kCSIDLDocuments = 5;
constexpr u32 kCSIDLUserAppData = 26;
constexpr u32 kCSIDLCommonAppData = 35;
constexpr u32 kCSIDLWindows = 36;
constexpr u32 kCSIDLUserProfile = 40;

// True and the folder's path when the shell knows the folder; false leaves path alone. Raises
// std::bad_alloc when the shell's allocator is not available.
bool WinGetSpecialFolderPath(u32 csidl, NSTextPackage::TUTF16String& path);

// The Windows folder, given a buffer of bufferUnits units; raises NSQuorral::XNotFound when it
// does not fit.
NSTextPackage::TUTF16String WinGetWindowsDirectory(u32 bufferUnits);

// The user's temporary folder as the platform gives it, ending in "\".
NSTextPackage::TUTF16String WinGetTempPath();

// The folder company\product under the per-user (common false) or all-users application data,
// made when missing, without a final "\". When that base folder is not available the Windows
// folder with a final "\" is answered instead, and nothing is made.
NSTextPackage::TUTF16String WinGetAppDataDirectory(const NSTextPackage::TUTF16String& company,
                                                   const NSTextPackage::TUTF16String& product, bool common);
NSTextPackage::TUTF16String WinGetUserAppDataDirectory(const NSTextPackage::TUTF16String& company,
                                                       const NSTextPackage::TUTF16String& product);
NSTextPackage::TUTF16String WinGetCommonAppDataDirectory(const NSTextPackage::TUTF16String& company,
                                                         const NSTextPackage::TUTF16String& product);
