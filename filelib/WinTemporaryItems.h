#pragma once
// Uniquely named new files and folders, named by the platform's temporary-name scheme: "TMP",
// up to four hexadecimal digits and an extension. Both answer the new item's name only; the
// caller joins it to the folder.
#include "base/UTF16String.h"

// A new empty file in the folder whose name ends in the extension (which may be empty). It
// never replaces an existing file; raises NSQuorral::XCreate when no name can be had.
NSTextPackage::TUTF16String WinCreateUniqueFile(const NSTextPackage::TUTF16String& folderPath,
                                                const NSTextPackage::TUTF16String& extension);
// A new empty folder in the parent, such as TMP9C41.tmp; raises NSQuorral::XCreate when every
// name the scheme can form is taken.
NSTextPackage::TUTF16String WinCreateUniqueDirectory(const NSTextPackage::TUTF16String& parentPath);
