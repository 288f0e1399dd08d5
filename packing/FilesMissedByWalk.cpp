#include "packing/FilesMissedByWalk.h"

#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "content/vfs/ShellFile.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/ShellItem.h"
#include "filelib/WinFolderEntries.h"

#include <windows.h>

#include <set>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

constexpr u16 kBackslash = u'\\';
constexpr u16 kLogSeparator = u'/';

// File names compare without regard to case on Windows.
TUTF16String NameKey(const TUTF16String& name)
{
    return NSTextPackage::ToUpper(name);
}

// The folder's Windows path ending in "\"; empty for an item that is no folder on disk or whose
// path cannot be had.
TUTF16String FolderPath(const CItemPtr& item)
{
    if (!item->IsFileSystemFolder())
        return {};
    try
    {
        return NSFileLibSupport::GetDirWinPath(item->GetDirSpec().get());
    }
    catch (const std::exception&)
    {
        return {};
    }
}

// The item's name on disk: a folder's is taken from its path, as the shell may show a folder
// under another name.
TUTF16String NameOnDisk(const CItemPtr& item)
{
    TUTF16String path = FolderPath(item);
    if (path.empty())
        return item->GetName();
    path.pop_back();
    return path.substr(path.rfind(kBackslash) + 1);
}

// The folder's path on disk, built down from the source folder so that it holds names the shell
// shows otherwise; a shortcut's target has a path of its own.
TUTF16String FolderPathOnDisk(const CPackJob& job, const CSourceNode* folder)
{
    if (folder == nullptr)
        return FolderPath(job.fInputFolder);
    if (!(folder->fResolvedItem == folder->fItem))
        return FolderPath(folder->fResolvedItem);
    const TUTF16String parent = FolderPathOnDisk(job, folder->fParent);
    return parent.empty() ? parent : parent + NameOnDisk(folder->fItem) + kBackslash;
}

// The folder's path as the log names its entries ("Samples/Old/"); empty for the source folder.
TUTF16String LogFolderPath(const CSourceNode* folder)
{
    if (folder == nullptr)
        return {};
    TUTF16String path = folder->GetRelativePath();
    for (u16& unit : path)
        if (unit == u':')
            unit = kLogSeparator;
    return path + kLogSeparator;
}

bool IsHidden(const SWinFolderEntry& entry)
{
    return (entry.fAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
}

bool IsFolder(const SWinFolderEntry& entry)
{
    return (entry.fAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder's entries on disk as the shell's listing of the folder read them, with the listing;
// null when it did not read them.
const std::vector<SWinFolderEntry>* FindEntriesListedWith(const std::vector<CItemPtr>& listed,
                                                          const TUTF16String& path)
{
    // A child may come from elsewhere (an item the database already held), so any child of this
    // listing will do.
    for (const CItemPtr& child : listed)
    {
        const auto* file = dynamic_cast<NSVirtualFS::CShellFile*>(child.Get());
        const std::shared_ptr<const NSFerrant::SLongFolder> folder =
            file != nullptr ? file->GetShellItem()->GetListedFolder() : nullptr;
        if (folder && folder->fEntries && folder->fPath == path)
            return &*folder->fEntries;
    }
    return nullptr;
}

// Notes the entries of the folder on disk whose names are not among seen, a folder among them with
// every file below it. A folder that cannot be listed is noted itself, by its log path, or by its
// Windows path when it is the source folder. The entries are listed here unless given.
void NoteUnseenEntries(CPackJob& job, const TUTF16String& path, const TUTF16String& logPath,
                       const std::set<TUTF16String>& seen, const std::vector<SWinFolderEntry>* listedEntries)
{
    std::vector<SWinFolderEntry> entries;
    if (listedEntries == nullptr)
    {
        try
        {
            entries = WinListFolderEntries(path);
        }
        catch (const std::exception&)
        {
            job.fUnreadFiles.push_back(logPath.empty() ? path : logPath.substr(0, logPath.size() - 1));
            return;
        }
        listedEntries = &entries;
    }
    for (const SWinFolderEntry& entry : *listedEntries)
    {
        if (IsHidden(entry) || seen.count(NameKey(entry.fName)) != 0)
            continue;
        if (IsFolder(entry))
            NoteUnseenEntries(job, path + entry.fName + kBackslash, logPath + entry.fName + kLogSeparator, {},
                              nullptr);
        else
            job.fUnreadFiles.push_back(logPath + entry.fName);
    }
}
} // namespace

void NoteFilesMissedByWalk(CPackJob& job, const CSourceNode* folder, const std::vector<CItemPtr>& listed)
{
    const TUTF16String path = FolderPathOnDisk(job, folder);
    if (path.empty())
        return;
    std::set<TUTF16String> seen;
    for (const CItemPtr& item : listed)
        seen.insert(NameKey(NameOnDisk(item)));
    NoteUnseenEntries(job, path, LogFolderPath(folder), seen, FindEntriesListedWith(listed, path));
}
} // namespace NSVantlePacking
