#include "filelib/WinFolderEntries.h"

#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "filelib/WinErrors.h"

#include <algorithm>

using NSTextPackage::TUTF16String;

namespace
{
const TUTF16String kExtendedPrefix = NSTextPackage::FromUTF8("\\\\?\\");
const TUTF16String kExtendedSharePrefix = NSTextPackage::FromUTF8("\\\\?\\UNC\\");
const TUTF16String kDot = NSTextPackage::FromUTF8(".");
const TUTF16String kDotDot = NSTextPackage::FromUTF8("..");

bool IsDotEntry(const TUTF16String& name)
{
    return name == kDot || name == kDotDot;
}

// The "\\?\" form of a full path ("C:\A" becomes "\\?\C:\A", "\\server\share" becomes
// "\\?\UNC\server\share"); a path already in that form is kept.
TUTF16String WinExtendedLengthPath(const TUTF16String& path)
{
    if (path.compare(0, kExtendedPrefix.size(), kExtendedPrefix) == 0)
        return path;
    if (path.size() >= 2 && path[0] == u'\\' && path[1] == u'\\')
        return kExtendedSharePrefix + path.substr(2);
    return kExtendedPrefix + path;
}
} // namespace

std::vector<SWinFolderEntry> WinListFolderEntries(const TUTF16String& folderPath)
{
    std::vector<SWinFolderEntry> entries;
    WIN32_FIND_DATAW found;
    const TUTF16String pattern = WinExtendedLengthPath(folderPath) + u16(u'*');
    const CWinFindHandle search(Win32Calls().FindFirstFileExW(NSTextPackage::AsWide(pattern), FindExInfoBasic,
                                                              &found, FindExSearchNameMatch, nullptr, 0));
    if (!search.IsOpen())
    {
        const DWORD error = ::GetLastError();
        // A volume root may hold nothing at all, not even "." and "..".
        if (error == ERROR_FILE_NOT_FOUND)
            return entries;
        WinThrowForError<NSQuorral::XRead>(error, "FindFirstFileExW failed with unrecognized error type");
    }
    do
    {
        TUTF16String name = NSTextPackage::FromWide(found.cFileName);
        if (!IsDotEntry(name))
            entries.push_back({std::move(name), u32(found.dwFileAttributes)});
    } while (Win32Calls().FindNextFileW(search.Get(), &found));
    const DWORD ended = ::GetLastError();
    if (ended != ERROR_NO_MORE_FILES)
        WinThrowForError<NSQuorral::XRead>(ended, "FindNextFileW failed with unrecognized error type");
    return entries;
}

std::vector<TUTF16String> WinFileNamesOf(const std::vector<SWinFolderEntry>& entries)
{
    std::vector<TUTF16String> names;
    for (const SWinFolderEntry& entry : entries)
        if ((entry.fAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(entry.fName);
    std::sort(names.begin(), names.end());
    return names;
}
