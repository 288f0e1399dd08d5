#pragma once
// Tests, information, deletion and exchange of files and folders given by their paths, and the
// size of an open file.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLibRecords.h"

#include <windows.h>

// An existing file that is no folder.
bool WinDoesFileExist(const NSTextPackage::TUTF16String& path);
// An existing folder; one final "\" is ignored.
bool WinDoesDirectoryExist(const NSTextPackage::TUTF16String& path);
// An existing file that is no folder and whose path is no volume path.
bool WinIsPlainFile(const NSTextPackage::TUTF16String& path);
// An existing folder, asked with the path exactly as given.
bool WinIsDirectory(const NSTextPackage::TUTF16String& path);

NSFileLib::SFileInfo WinGetFileInfo(const NSTextPackage::TUTF16String& filePath);
// The records of an entry as a search of its folder reports it; isAlias is left 0, since the
// entry's path is not known here.
NSFileLib::SFileInfo WinFileInfoFromFindData(const WIN32_FIND_DATAW& entry);
NSFileLib::SDirInfo WinDirInfoFromFindData(const WIN32_FIND_DATAW& entry);
NSFileLib::SDirInfo WinGetDirInfo(const NSTextPackage::TUTF16String& folderPath);
// Applies isHidden, creationTime and modificationTime; the other fields are not used.
void WinSetFileInfo(const NSTextPackage::TUTF16String& filePath, const NSFileLib::SFileInfo& info);
void WinDeleteFile(const NSTextPackage::TUTF16String& filePath);

// The two files change places: afterwards the first path holds the second's data with the
// first file's creation time, and the second path holds the first's data. When a step fails,
// the steps already made are undone, the temporary file is removed and the failure is raised.
void WinReplaceFile(const NSTextPackage::TUTF16String& firstPath,
                    const NSTextPackage::TUTF16String& secondPath);

// The size in bytes of an open file.
u64 WinGetFileSize(HANDLE file);

// Puts a new, closed file in place of the target in one rename, replacing a file there. The new
// file's data is flushed to the disk before the rename, which is written through, so that after
// a power loss the target's name holds either the old data or the new data whole. The new file
// takes the old target's attributes (read-only aside) and creation time. On failure the target
// is as it was, the new file is deleted and the failure is raised.
void WinPutFileInPlace(const NSTextPackage::TUTF16String& newPath, const NSTextPackage::TUTF16String& targetPath);
