#pragma once
// A folder's entries exactly as the file system holds them. The shell's listing and the plain
// Win32 paths leave some entries out: names that end in a dot or a space (a plain path drops
// those characters) and anything whose path passes 260 units. This listing reads through the
// "\\?\" form, which takes every name and path as it is.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <vector>

struct SWinFolderEntry
{
    NSTextPackage::TUTF16String fName;
    // FILE_ATTRIBUTE_* bits.
    u32 fAttributes = 0;
};

// The entries of the folder (a full path ending in "\"), "." and ".." left out, in the order the
// file system gives them. A folder that cannot be listed raises the failure of its Win32 error.
std::vector<SWinFolderEntry> WinListFolderEntries(const NSTextPackage::TUTF16String& folderPath);
// The names of the files (entries that are no folders) among a folder's entries, in ascending
// order; each is the long name of its file.
std::vector<NSTextPackage::TUTF16String> WinFileNamesOf(const std::vector<SWinFolderEntry>& entries);
