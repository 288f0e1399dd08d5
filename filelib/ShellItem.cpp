#include "filelib/ShellItem.h"

#include "filelib/ShellErrors.h"
#include "filelib/ShellIDLists.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "filelib/WinPaths.h"

#include "base/TextBuffers.h"

#include <shlwapi.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
constexpr u16 kBackslash = u'\\';
constexpr u16 kColon = u':';
constexpr auto npos = TUTF16String::npos;

// The desktop root's list: the terminator alone.
const u16 kEmptyIDList = 0;

LPCITEMIDLIST EmptyIDList()
{
    return reinterpret_cast<LPCITEMIDLIST>(&kEmptyIDList);
}

bool IsDriveRoot(const TUTF16String& path)
{
    return path.size() == 3 && path[1] == kColon;
}

// "\\server\share" with a server, a share and nothing after the share.
bool IsShareRoot(const TUTF16String& path)
{
    if (path.size() < 6 || path[0] != kBackslash || path[1] != kBackslash)
        return false;
    const TUTF16String rest = path.substr(2);
    const auto separator = rest.find(kBackslash);
    if (separator == npos || separator == 0)
        return false;
    const TUTF16String share = rest.substr(separator + 1);
    return !share.empty() && share.find(kBackslash) == npos;
}

bool IsComponentValid(const TUTF16String& component)
{
    return component == MakeValidPathComponent(component);
}
} // namespace

CShellItem::CShellItem()
{
    AcquireShellObjects();
    fIDList.Adopt(fMalloc.Get(), CloneItemIDList(EmptyIDList(), fMalloc.Get()));
}

CShellItem::CShellItem(const CShellItem& other)
    : fKind(other.fKind), fIsShortcut(other.fIsShortcut), fIsListed(other.fIsListed),
      fLongFolder(other.fLongFolder), fPath(other.fPath), fTypeName(other.fTypeName),
      fTypeNameValid(other.fTypeNameValid)
{
    fMalloc.Share(other.fMalloc.Get());
    fDesktopFolder.Share(other.fDesktopFolder.Get());
    fParentFolder.Share(other.fParentFolder.Get());
    fIDList.Adopt(fMalloc.Get(), CloneItemIDList(other.fIDList.Get(), fMalloc.Get()));
}

CShellItem& CShellItem::operator=(const CShellItem& other)
{
    CShellItem copy(other);
    Swap(copy);
    return *this;
}

CShellItem::CShellItem(const NSFileLibSupport::TFileSpecPtr& file)
{
    InitFromPath(NSFileLibSupport::GetFileWinPath(file.get()));
    fKind = kShellItemFile;
}

CShellItem::CShellItem(const NSFileLibSupport::TDirSpecPtr& folder)
{
    fKind = DetermineKind(InitFromPath(NSFileLibSupport::GetDirWinPath(folder.get())));
}

CShellItem::CShellItem(LPCITEMIDLIST absoluteList)
{
    fKind = DetermineKind(InitFromIDList(absoluteList));
}

CShellItem::CShellItem(LPCITEMIDLIST folderList, LPCITEMIDLIST childID, IShellFolder* folder,
                       const std::shared_ptr<const SLongFolder>& longFolder)
    : fLongFolder(longFolder)
{
    fParentFolder.Share(folder);
    fIsListed = 1;
    CComRef<IMalloc> allocator;
    ThrowIfFailedHRESULT(Win32Calls().SHGetMalloc(allocator.Receive()));
    CShellIDList joined(allocator.Get());
    *joined.Receive() = CombineItemIDLists(folderList, childID, allocator.Get());
    fKind = DetermineKind(InitFromIDList(joined.Get()));
}

void CShellItem::AcquireShellObjects()
{
    ThrowIfFailedHRESULT(Win32Calls().SHGetMalloc(fMalloc.Receive()));
    ThrowIfFailedHRESULT(::SHGetDesktopFolder(fDesktopFolder.Receive()));
}

u32 CShellItem::InitFromIDList(LPCITEMIDLIST list)
{
    AcquireShellObjects();
    fIDList.Adopt(fMalloc.Get(), CloneItemIDList(list, fMalloc.Get()));
    if (CountItemIDs(fIDList.Get()) == 0)
        return 0;
    BindParentFolder();
    const u32 attributes = GetAttributesOfLastID(kShellItemAttributeMask);
    if ((attributes & SFGAO_FILESYSTEM) && (attributes & SFGAO_LINK))
        fIsShortcut = IsShortcutFileItem(fParentFolder.Get(), FindLastItemID(fIDList.Get()));
    return attributes;
}

u32 CShellItem::InitFromPath(const TUTF16String& path)
{
    AcquireShellObjects();
    TUTF16String writable = path; // the shell takes a writable text
    LPITEMIDLIST parsedList = nullptr;
    const HRESULT parsed = fDesktopFolder->ParseDisplayName(
        nullptr, nullptr, const_cast<wchar_t*>(NSTextPackage::AsWide(writable)), nullptr, &parsedList,
        nullptr);
    if (FAILED(parsed))
    {
        // Whatever a failed parse left in the list is not ours to free.
        if (parsed == E_FAIL || (u32(parsed) & 0xFFFF) == ERROR_FILE_NOT_FOUND)
            ThrowShellItemFailure<NSQuorral::XNotFound>();
        ThrowIfFailedHRESULT(parsed);
    }
    fIDList.Adopt(fMalloc.Get(), parsedList);
    BindParentFolder();
    const u32 attributes = GetAttributesOfLastID(kShellItemAttributeMask);
    if (!(attributes & SFGAO_FILESYSTEM))
        ThrowShellItemFailure<std::domain_error>();
    if (attributes & SFGAO_LINK)
        fIsShortcut = IsShortcutFileItem(fParentFolder.Get(), FindLastItemID(fIDList.Get()));
    return attributes;
}

void CShellItem::BindParentFolder()
{
    if (fParentFolder || CountItemIDs(fIDList.Get()) == 0)
        return;
    if (CountItemIDs(fIDList.Get()) == 1)
    {
        fParentFolder.Share(fDesktopFolder.Get());
        return;
    }
    CShellIDList parentList(fMalloc.Get());
    *parentList.Receive() = CloneParentItemIDList(fIDList.Get(), fMalloc.Get());
    CComRef<IShellFolder> parent;
    const HRESULT bound =
        fDesktopFolder->BindToObject(parentList.Get(), nullptr, IID_IShellFolder, parent.ReceiveVoid());
    if (bound == REGDB_E_CLASSNOTREG)
        ThrowShellItemFailure<NSQuorral::XNotFound>();
    ThrowIfFailedHRESULT(bound);
    fParentFolder = std::move(parent);
}

u32 CShellItem::GetAttributesOfLastID(u32 mask)
{
    LPCITEMIDLIST last = FindLastItemID(fIDList.Get());
    SFGAOF attributes = mask;
    ThrowIfFailedHRESULT(fParentFolder->GetAttributesOf(1, &last, &attributes));
    return attributes;
}

void CShellItem::Swap(CShellItem& other) noexcept
{
    std::swap(fMalloc, other.fMalloc);
    std::swap(fDesktopFolder, other.fDesktopFolder);
    std::swap(fIDList, other.fIDList);
    std::swap(fKind, other.fKind);
    std::swap(fIsShortcut, other.fIsShortcut);
    std::swap(fIsListed, other.fIsListed);
    fLongFolder.swap(other.fLongFolder);
    std::swap(fParentFolder, other.fParentFolder);
    fPath.swap(other.fPath);
    fTypeName.swap(other.fTypeName);
    std::swap(fTypeNameValid, other.fTypeNameValid);
    fFileSpec.swap(other.fFileSpec);
    fDirSpec.swap(other.fDirSpec);
    fVolumeSpec.swap(other.fVolumeSpec);
}

u32 CShellItem::DetermineKind(u32 attributes)
{
    if (CountItemIDs(fIDList.Get()) == 0)
        return kShellItemDesktop;
    if (!(attributes & SFGAO_FILESYSTEM))
        return (attributes & SFGAO_FOLDER) ? kShellItemVirtualFolder : kShellItemVirtualItem;
    if (!(attributes & SFGAO_FOLDER))
        return kShellItemFile;
    TUTF16String path;
    try
    {
        GetPath(path);
    }
    catch (const NSQuorral::XNotFound&)
    {
        return kShellItemFile;
    }
    // A root cannot be deleted; a deletable folder is never taken for one.
    if (!(attributes & SFGAO_CANDELETE) && (IsDriveRoot(path) || IsShareRoot(path)))
        return kShellItemVolumeRoot;
    // An unreadable item answers all bits, so it counts as a folder.
    const DWORD fileAttributes = Win32Calls().GetFileAttributesW(NSTextPackage::AsWide(path));
    return (fileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? kShellItemFolder : kShellItemFile;
}

bool CShellItem::operator==(const CShellItem& other) const
{
    if (this == &other)
        return true;
    if (fKind != other.fKind || fIsShortcut != other.fIsShortcut)
        return false;
    if (fDesktopFolder && fDesktopFolder->CompareIDs(0, fIDList.Get(), other.fIDList.Get()) == 0)
        return true;
    return AreItemIDListsIdentical(fIDList.Get(), other.fIDList.Get());
}

void CShellItem::GetPath(TUTF16String& path)
{
    if (fPath.empty())
    {
        wchar_t buffer[MAX_PATH + 1] = {};
        if (!ReadShellPath(buffer))
            ThrowShellItemFailure<NSQuorral::XNotFound>();
        TUTF16String found = NSTextPackage::FromWide(buffer);
        if (!IsPathOfValidNames(found))
            ThrowShellItemFailure<NSQuorral::XNotFound>();
        fPath = std::move(found);
    }
    path = fPath;
}

bool CShellItem::ReadShellPath(wchar_t (&buffer)[MAX_PATH + 1]) const
{
    if (!fIsListed || (fKind != kShellItemFile && fKind != kShellItemFolder))
        return Win32Calls().SHGetPathFromIDListW(fIDList.Get(), buffer) != FALSE;
    // What SHGetPathFromIDListW asks of the item's parent folder, asked of the one the listing
    // bound: the call binds every folder from the root down again, per item.
    LPCITEMIDLIST last = FindLastItemID(fIDList.Get());
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(fParentFolder->GetAttributesOf(1, &last, &attributes)) || !(attributes & SFGAO_FILESYSTEM))
        return false;
    STRRET name = {};
    if (FAILED(fParentFolder->GetDisplayNameOf(last, SHGDN_FORPARSING, &name)))
        return false;
    return SUCCEEDED(::StrRetToBufW(&name, last, buffer, MAX_PATH));
}

void CShellItem::GetShellDisplayName(TUTF16String& name)
{
    name.clear();
    if (CountItemIDs(fIDList.Get()) == 0)
    {
        SFGAOF attributes = SFGAO_VALIDATE;
        ThrowIfFailedHRESULT(fDesktopFolder->GetAttributesOf(0, nullptr, &attributes));
        name = GetDisplayNameOf(kShellNameIncludingNonFileSystem, fDesktopFolder.Get(), fIDList.Get());
        return;
    }
    BindParentFolder();
    // Asks the folder to look at its children again; the answer itself does not matter.
    SFGAOF attributes = SFGAO_VALIDATE;
    fParentFolder->GetAttributesOf(0, nullptr, &attributes);
    name = GetDisplayNameOf(SHGDN_INFOLDER, fParentFolder.Get(), FindLastItemID(fIDList.Get()));
}

void CShellItem::GetDisplayName(TUTF16String& name)
{
    try
    {
        if (fKind == kShellItemFile)
            name = NSFileLibSupport::GetName(GetFileSpec().get());
        else
            GetShellDisplayName(name);
    }
    catch (...)
    {
        GetShellDisplayName(name);
    }
}

void CShellItem::GetParent(CShellItem& parent) const
{
    CShellIDList parentList(fMalloc.Get());
    *parentList.Receive() = CloneParentItemIDList(fIDList.Get(), fMalloc.Get());
    parent = CShellItem(parentList.Get());
}

bool CShellItem::IsNamedInLongFolder(const TUTF16String& path) const
{
    if (!fLongFolder)
        return false;
    const TUTF16String& folderPath = fLongFolder->fPath;
    const std::size_t folderLength = folderPath.size();
    return folderLength != 0 && path.size() > folderLength && path.compare(0, folderLength, folderPath) == 0 &&
           path.find(kBackslash, folderLength) == npos;
}

bool CShellItem::IsListedLongName(const TUTF16String& path) const
{
    const std::vector<TUTF16String>& names = fLongFolder->fFileNames;
    return std::binary_search(names.begin(), names.end(), path.substr(fLongFolder->fPath.size()));
}

TUTF16String CShellItem::GetFolderPath()
{
    TUTF16String path;
    GetPath(path);
    if (path.back() != kBackslash)
        path += kBackslash;
    return path;
}

NSFileLibSupport::TFileSpecPtr CShellItem::GetFileSpec()
{
    if (fKind != kShellItemFile)
        ThrowShellItemFailure<std::domain_error>();
    if (!fFileSpec)
    {
        TUTF16String path;
        GetPath(path);
        if (!IsNamedInLongFolder(path))
            fFileSpec = NSFileLibSupport::FileSpecFromWinPath(path);
        else if (IsListedLongName(path))
            fFileSpec = NSFileLibSupport::FileSpecFromLongWinPath(path);
        else
            fFileSpec = NSFileLibSupport::FileSpecFromWinPathInLongFolder(path);
    }
    return fFileSpec;
}

NSFileLibSupport::TDirSpecPtr CShellItem::GetDirSpec()
{
    if (!fDirSpec)
    {
        if (fKind == kShellItemDesktop || fKind == kShellItemFolder)
        {
            fDirSpec = NSFileLibSupport::DirSpecFromWinPath(GetFolderPath());
        }
        else if (fKind == kShellItemVolumeRoot)
        {
            fDirSpec = NSFileLibSupport::GetVolumeRootDirectory(GetVolumeSpec().get());
        }
        if (!fDirSpec)
            ThrowShellItemFailure<std::domain_error>();
    }
    return fDirSpec;
}

NSFileLibSupport::TVolumeSpecPtr CShellItem::GetVolumeSpec()
{
    if (fKind != kShellItemVolumeRoot)
        ThrowShellItemFailure<std::domain_error>();
    if (!fVolumeSpec)
    {
        fVolumeSpec = NSFileLibSupport::VolumeSpecFromWinPath(GetFolderPath());
    }
    return fVolumeSpec;
}

TUTF16String MakeValidPathComponent(const TUTF16String& name)
{
    return NSTextPackage::ReplaceCharacters(name.substr(0, kWinMaxNameUnits), WinInvalidNameCharacters());
}

bool IsPathOfValidNames(const TUTF16String& path)
{
    if (path.size() < 3)
        return false;
    TUTF16String rest;
    if (path[0] != kBackslash || path[1] != kBackslash)
    {
        const u16 drive = path[0] & ~u16(0x20); // upper case of an ASCII letter
        if (drive < u'A' || drive > u'Z' || path[0] > u'z' || path[1] != kColon || path[2] != kBackslash)
            return false;
        rest = path.substr(3);
    }
    else
    {
        const auto serverEnd = path.find(kBackslash, 2);
        if (serverEnd == npos)
            return false;
        if (serverEnd == path.size() - 1)
            return true;
        rest = path.substr(serverEnd + 1);
    }
    for (auto separator = rest.find(kBackslash); separator != npos; separator = rest.find(kBackslash))
    {
        if (!IsComponentValid(rest.substr(0, separator)))
            return false;
        rest.erase(0, separator + 1);
    }
    return rest.empty() || IsComponentValid(rest);
}
} // namespace NSFerrant
