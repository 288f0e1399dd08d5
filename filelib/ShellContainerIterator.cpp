#include "filelib/ShellContainerIterator.h"

#include "filelib/ShellErrors.h"
#include "filelib/ShellIDLists.h"
#include "filelib/ShellItem.h"
#include "filelib/SpecialVirtualFolder.h"
#include "filelib/WinFolderEntries.h"
#include "filelib/WinPaths.h"
#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"

#include <utility>

namespace NSFerrant
{
namespace
{
// A listing refused for these reasons cannot be opened, as opposed to failing on the way.
bool IsRefusedListing(HRESULT result)
{
    const u32 code = u32(result) & 0xFFFF;
    return code == ERROR_NO_LOGON_SERVERS || code == ERROR_LOGON_FAILURE || code == ERROR_DIRECTORY ||
           code == ERROR_CANCELLED || result == E_NOTIMPL;
}

// The failures by which some folders report their last child.
bool IsEndOfListing(HRESULT result)
{
    const u32 code = u32(result) & 0xFFFF;
    return code == ERROR_NO_MORE_ITEMS || code == ERROR_FILE_NOT_FOUND || result == E_FAIL || result == E_UNEXPECTED;
}

// The folder's path, as the shell gives it; empty when it has none. A path the item already holds
// is the shell's answer, and asking again binds every folder from the root down.
NSTextPackage::TUTF16String FindFolderPath(const CShellItem& folder)
{
    if (!folder.GetPathIfKnown().empty())
        return folder.GetPathIfKnown();
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!Win32Calls().SHGetPathFromIDListW(folder.GetIDList(), buffer))
        return {};
    return NSTextPackage::FromWide(buffer);
}

// The folder's path with a final "\" when it is already in long form; empty when it has no path
// or is not.
NSTextPackage::TUTF16String FindLongFolderPath(const CShellItem& folder)
{
    NSTextPackage::TUTF16String path = FindFolderPath(folder);
    if (path.empty())
        return {};
    if (path.back() != u'\\')
        path += u'\\';
    try
    {
        return WinGetLongPathName(path) == path ? path : NSTextPackage::TUTF16String();
    }
    catch (const std::exception&)
    {
        return {};
    }
}

// What the children of a folder in long form share; null for a folder that is not. The file
// names are read in one listing of the folder rather than one lookup of each child's name; a
// share is left without them, as there the lookup of a name asks no listing.
std::shared_ptr<const SLongFolder> FindLongFolder(const CShellItem& folder)
{
    NSTextPackage::TUTF16String path = FindLongFolderPath(folder);
    if (path.empty())
        return nullptr;
    auto longFolder = std::make_shared<SLongFolder>();
    if (path[0] != u'\\')
    {
        try
        {
            longFolder->fEntries = WinListFolderEntries(path);
            longFolder->fFileNames = WinFileNamesOf(*longFolder->fEntries);
        }
        catch (const std::exception&)
        {
            // The children's file names are then looked up one by one.
        }
    }
    longFolder->fPath = std::move(path);
    return longFolder;
}
} // namespace

CShellContainerIterator::CShellContainerIterator(const CShellItem& folder)
{
    try
    {
        ThrowIfFailedHRESULT(Win32Calls().SHGetMalloc(&fMalloc));
        ThrowIfFailedHRESULT(::SHGetDesktopFolder(&fDesktopFolder));
        fFolderIDList = CloneItemIDList(folder.GetIDList(), fMalloc);

        CComRef<IShellFolder> folderObject;
        if (CountItemIDs(fFolderIDList) == 0)
        {
            fDesktopFolder->AddRef();
            *folderObject.Receive() = fDesktopFolder;
        }
        else
        {
            const HRESULT bound =
                fDesktopFolder->BindToObject(fFolderIDList, nullptr, IID_IShellFolder, folderObject.ReceiveVoid());
            if (bound == REGDB_E_CLASSNOTREG)
                ThrowShellItemFailure<NSQuorral::XOpen>();
            ThrowIfFailedHRESULT(bound);
        }

        fLongFolder = FindLongFolder(folder);
        fFolder = folderObject.Get();
        fFolder->AddRef();
        const HRESULT listed = fFolder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &fEnumerator);
        if (FAILED(listed))
        {
            fEnumerator = nullptr;
            if (IsRefusedListing(listed))
                ThrowShellItemFailure<NSQuorral::XOpen>();
            ThrowIfFailedHRESULT(listed);
        }
        if (!fEnumerator)
            EndListing();
        else
            Next();
    }
    catch (...)
    {
        ReleaseAll();
        throw;
    }
}

CShellContainerIterator::~CShellContainerIterator()
{
    ReleaseAll();
}

void CShellContainerIterator::GetCurrent(CShellItem& child) const
{
    if (fDone)
        ThrowShellItemFailure<NSQuorral::XIllegalCallSequence>();
    child = CShellItem(fFolderIDList, fCurrentID, fFolder, fLongFolder);
}

void CShellContainerIterator::Next()
{
    while (!fDone)
    {
        LPITEMIDLIST id = nullptr;
        const HRESULT fetched = fEnumerator->Next(1, &id, nullptr);
        if (fetched == S_FALSE || (SUCCEEDED(fetched) && !id) || (FAILED(fetched) && IsEndOfListing(fetched)))
        {
            EndListing();
            return;
        }
        ThrowIfFailedHRESULT(fetched);
        if (fCurrentID)
            fMalloc->Free(fCurrentID);
        fCurrentID = id;
        if (!IsSkipped())
            return;
    }
}

bool CShellContainerIterator::IsSkipped()
{
    if (IsFolderItself())
        return true;
    for (const auto& special : GetSkippedSpecialFolders())
    {
        if (special->Matches(fFolderIDList, fCurrentID))
            return true;
    }
    return false;
}

bool CShellContainerIterator::IsFolderItself()
{
    if (fFolderItselfAnswer != kNotAsked)
        return fFolderItselfAnswer == kFolderItself;
    CShellIDList joined(fMalloc);
    *joined.Receive() = CombineItemIDLists(fFolderIDList, fCurrentID, fMalloc);
    const bool itself = fDesktopFolder->CompareIDs(0, fFolderIDList, joined.Get()) == 0;
    // The shell compares the two lists a level at a time, binding each folder on the way down;
    // under a folder on disk the levels it reaches are the folder's own, so its answer holds for
    // every child of the listing.
    if (fLongFolder)
        fFolderItselfAnswer = itself ? kFolderItself : kNotFolderItself;
    return itself;
}

void CShellContainerIterator::EndListing()
{
    fDone = 1;
    ReleaseAll();
}

void CShellContainerIterator::ReleaseAll()
{
    if (fCurrentID)
        fMalloc->Free(std::exchange(fCurrentID, nullptr));
    if (fFolderIDList)
        fMalloc->Free(std::exchange(fFolderIDList, nullptr));
    if (fDesktopFolder)
        std::exchange(fDesktopFolder, nullptr)->Release();
    if (fEnumerator)
        std::exchange(fEnumerator, nullptr)->Release();
    if (fFolder)
        std::exchange(fFolder, nullptr)->Release();
    if (fMalloc)
        std::exchange(fMalloc, nullptr)->Release();
}
} // namespace NSFerrant
