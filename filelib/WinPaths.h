#pragma once
// The rules the Windows layer applies to paths and names. A path is UTF-16 with "\" separators,
// at most 260 units; a volume path is a drive root ("C:\") or a share root ("\\server\share\");
// a folder path ends in "\"; a name has 1 to 256 units. Paths and names compare ignoring case.
// The functions keep no state.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <string>

constexpr u64 kWinMaxPathUnits = 260;
constexpr u64 kWinMaxNameUnits = 256;

// The 39 characters no name may contain: controls 1 to 25 and 27 to 31 (0x1A is allowed),
// then * ? < > " | \ / :
const std::string& WinInvalidNameCharacters();

bool WinIsValidVolumePath(const NSTextPackage::TUTF16String& path);
// For folder and file paths alike.
bool WinIsValidPath(const NSTextPackage::TUTF16String& path);
bool WinIsValidPathComponent(const NSTextPackage::TUTF16String& name);
// CON, nul.txt, "LPT3 .log", $mft ... : the part before the first "." is a device or
// file-system name.
bool WinIsReservedFileName(const NSTextPackage::TUTF16String& name);

// A caller's name cleaned into one that passes WinIsValidPathComponent; the result is empty
// for a name made only of blanks and dots. May raise NSQuorral::XOutOfSpace.
NSTextPackage::TUTF16String WinMakeValidName(const NSTextPackage::TUTF16String& name);
// At most maxUnits units, cutting the base and keeping the extension. Raises
// NSQuorral::XOutOfSpace when the extension leaves no room for the base.
NSTextPackage::TUTF16String WinTruncateFileName(const NSTextPackage::TUTF16String& name, u64 maxUnits);

// At the last "."; the extension keeps its dot, and one longer than a name is no extension.
void WinSplitExtension(const NSTextPackage::TUTF16String& name, NSTextPackage::TUTF16String& base,
                       NSTextPackage::TUTF16String& extension);
// At the last "\": the folder part keeps it.
void WinSplitPath(const NSTextPackage::TUTF16String& path, NSTextPackage::TUTF16String& folder,
                  NSTextPackage::TUTF16String& name);

// extensionList holds ";"-separated extensions with their dots (".lnk;.pif"); an empty entry
// matches a name without extension.
bool WinDoesNameHaveExtension(const NSTextPackage::TUTF16String& extensionList,
                              const NSTextPackage::TUTF16String& name);
bool WinDoesNameHaveExtension(const u16* extensionList, const NSTextPackage::TUTF16String& name);
// A shortcut by its name: ".lnk" or ".pif".
bool WinIsAliasFile(const NSTextPackage::TUTF16String& path);

// For a folder path ending in "\"; raises std::invalid_argument for a path that is neither a
// drive nor a share path.
bool WinHasDirParentDirectory(const NSTextPackage::TUTF16String& folderPath);
// Raises std::invalid_argument for a volume root; ask WinHasDirParentDirectory first.
NSTextPackage::TUTF16String WinGetDirParentDirectory(const NSTextPackage::TUTF16String& folderPath);

// The long form of an existing path, with "/" turned into "\". A drive that is not ready or an
// unreachable share keeps the path as it came; a missing path raises NSQuorral::XNotFound.
NSTextPackage::TUTF16String WinGetLongPathName(const NSTextPackage::TUTF16String& path);
// WinGetLongPathName of an existing path whose folder part (up to its last "\") is already in
// long form. GetLongPathNameW looks up each name in turn and the long form of a folder does not
// change, so only the last name is looked up; a long form beyond the path limit keeps the path as
// it came, as WinGetLongPathName does.
NSTextPackage::TUTF16String WinGetLongPathNameInLongFolder(const NSTextPackage::TUTF16String& path);
