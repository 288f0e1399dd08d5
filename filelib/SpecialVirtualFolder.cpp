#include "filelib/SpecialVirtualFolder.h"

#include "filelib/ShellErrors.h"
#include "filelib/ShellIDLists.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"

#include <utility>

namespace NSFerrant
{
namespace
{
// The Control Panel, the bin of deleted items and the Printers folder, in the order they are
// tested.
const KNOWNFOLDERID kSkippedFolderIDs[] = {
    {0x82A74AEB, 0xAEB4, 0x465C, {0xA0, 0x14, 0xD0, 0x97, 0xEE, 0x34, 0x6D, 0x63}},
    {0xB7534046, 0x3ECB, 0x4C18, {0xBE, 0x4E, 0x64, 0xCD, 0x4C, 0xB7, 0xD6, 0xAC}},
    {0x76FC4E2D, 0xD6AD, 0x4519, {0xA6, 0x63, 0x37, 0xBD, 0x56, 0x06, 0x81, 0x85}},
};
} // namespace

CSpecialVirtualFolder::CSpecialVirtualFolder(const KNOWNFOLDERID& folderID)
{
    try
    {
        ThrowIfFailedHRESULT(Win32Calls().SHGetMalloc(&fMalloc));
        ThrowIfFailedHRESULT(::SHGetDesktopFolder(&fDesktopFolder));
        PIDLIST_ABSOLUTE known = nullptr;
        if (FAILED(::SHGetKnownFolderIDList(folderID, 0, nullptr, &known)))
            ThrowShellItemFailure<NSQuorral::XNotFound>();
        fAbsoluteIDList = known;
        fParentIDList = CloneParentItemIDList(fAbsoluteIDList, fMalloc);
        fDisplayName = GetDisplayNameOf(kShellNameIncludingNonFileSystem, fDesktopFolder, fAbsoluteIDList);
    }
    catch (...)
    {
        Release();
        throw;
    }
}

CSpecialVirtualFolder::~CSpecialVirtualFolder()
{
    Release();
}

void CSpecialVirtualFolder::Release()
{
    if (fDesktopFolder)
        std::exchange(fDesktopFolder, nullptr)->Release();
    if (fAbsoluteIDList)
        fMalloc->Free(std::exchange(fAbsoluteIDList, nullptr));
    if (fParentIDList)
        fMalloc->Free(std::exchange(fParentIDList, nullptr));
    if (fMalloc)
        std::exchange(fMalloc, nullptr)->Release();
}

bool CSpecialVirtualFolder::Matches(LPCITEMIDLIST folderList, LPCITEMIDLIST childID) const
{
    if (!AreItemIDListsIdentical(folderList, fParentIDList))
        return false;
    CShellIDList joined(fMalloc);
    *joined.Receive() = CombineItemIDLists(folderList, childID, fMalloc);
    if (fDesktopFolder->CompareIDs(0, fAbsoluteIDList, joined.Get()) == 0)
        return true;
    return GetDisplayNameOf(kShellNameIncludingNonFileSystem, fDesktopFolder, joined.Get()) == fDisplayName;
}

const std::vector<std::shared_ptr<CSpecialVirtualFolder>>& GetSkippedSpecialFolders()
{
    static const std::vector<std::shared_ptr<CSpecialVirtualFolder>> folders = []
    {
        std::vector<std::shared_ptr<CSpecialVirtualFolder>> made;
        for (const KNOWNFOLDERID& folderID : kSkippedFolderIDs)
        {
            try
            {
                made.push_back(std::make_shared<CSpecialVirtualFolder>(folderID));
            }
            catch (...)
            {
                // A system without this folder shows it in no listing either.
            }
        }
        return made;
    }();
    return folders;
}
} // namespace NSFerrant
