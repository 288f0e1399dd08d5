#pragma once
// A folder of the shell that no listing shows as a child: the Control Panel, the bin of deleted
// items and the Printers folder. Always held by a shared pointer; one thread only.
#include "base/UTF16String.h"

#include <shlobj.h>

#include <memory>
#include <vector>

namespace NSFerrant
{
class CSpecialVirtualFolder
{
public:
    // XNotFound when the system has no such known folder.
    explicit CSpecialVirtualFolder(const KNOWNFOLDERID& folderID);
    ~CSpecialVirtualFolder();
    CSpecialVirtualFolder(const CSpecialVirtualFolder&) = delete;
    CSpecialVirtualFolder& operator=(const CSpecialVirtualFolder&) = delete;

    // Whether the child id of the folder's absolute list is this special folder: the folder must
    // be its parent, and the shell must call the two the same or give them the same name.
    bool Matches(LPCITEMIDLIST folderList, LPCITEMIDLIST childID) const;

private:
    void Release();

    IShellFolder* fDesktopFolder = nullptr;
    LPITEMIDLIST fAbsoluteIDList = nullptr;
    LPITEMIDLIST fParentIDList = nullptr;
    NSTextPackage::TUTF16String fDisplayName;
    IMalloc* fMalloc = nullptr;
};

// The three special folders, made once on first use; one the system lacks is left out.
const std::vector<std::shared_ptr<CSpecialVirtualFolder>>& GetSkippedSpecialFolders();
} // namespace NSFerrant
