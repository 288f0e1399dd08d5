#pragma once
// Windows shortcut files (".lnk") through the shell-link COM object. COM must be initialised on
// the calling thread.
#include "base/UTF16String.h"

#include <shlobj.h>

// Writes a shortcut file that leads to the target; a failing COM call raises the exception of
// WinHandleOLEError.
void WinCreateShortcut(const NSTextPackage::TUTF16String& targetPath,
                       const NSTextPackage::TUTF16String& shortcutPath,
                       const NSTextPackage::TUTF16String& description);
// The path stored in the shortcut's id list; the shortcut is not resolved. Any failure raises
// NSQuorral::XNotFound "WinFindShortcutTarget ...".
NSTextPackage::TUTF16String WinFindShortcutTarget(const NSTextPackage::TUTF16String& shortcutPath);
// The file-system path of an id list; raises NSQuorral::XNotFound when it names no file-system
// object or its path fails the path test.
NSTextPackage::TUTF16String WinGetPathFromIDList(LPCITEMIDLIST idList);
