// The shell item's questions about the object behind it: existence, extension, size, and the
// file and shortcut operations.
#include "filelib/ShellItem.h"

#include "base/FileLibStatus.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileMedia.h"
#include "filelib/FileTypeDescriptors.h"
#include "filelib/ShellErrors.h"
#include "filelib/ShellIDLists.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
namespace
{
constexpr u64 kUnknownFileSize = ~u64(0);
constexpr auto npos = TUTF16String::npos;

// SLR_NO_UI and SLR_NOUPDATE; the high word is the time limit in milliseconds.
constexpr DWORD kResolveFlags = (1000u << 16) | SLR_NO_UI | SLR_NOUPDATE;

// A target on a drive that is not ready or behind a network path that cannot be found still
// counts as resolved: the shortcut leads somewhere, only not right now.
bool IsReachableLater(DWORD error)
{
    return error == ERROR_SUCCESS || error == ERROR_NOT_READY || error == ERROR_BAD_NETPATH;
}
} // namespace

bool CShellItem::HasExtensionIn(const u16* extensionList)
{
    if (fKind != kShellItemFile)
        return false;
    try
    {
        // Asked for every registered type of every packed file: the cached path is not copied.
        TUTF16String readPath;
        if (fPath.empty())
        {
            // Asked often while scanning; the path cache and its test are left to GetPath.
            wchar_t buffer[MAX_PATH + 1] = {};
            if (!ReadShellPath(buffer))
                return false;
            readPath = NSTextPackage::FromWide(buffer);
        }
        const TUTF16String& path = fPath.empty() ? readPath : fPath;
        const auto dot = path.rfind(u'.');
        if (path.empty() || dot == npos)
            return false;
        for (u16 separator : {u16(u'/'), u16(u'\\'), u16(u':')})
        {
            const auto found = path.rfind(separator);
            if (found != npos && found > dot)
                return false;
        }
        return NSFileLibSupport::IsNameInList(extensionList, path.substr(dot));
    }
    catch (...)
    {
        return false;
    }
}

bool CShellItem::IsValid()
{
    try
    {
        if (fKind == kShellItemVolumeRoot)
        {
            // Asked anew: the cached specification may name a volume that has gone since.
            return NSFileLibSupport::VolumeSpecFromWinPath(GetFolderPath()) != nullptr;
        }
        if (!fParentFolder)
            return true;
        LPCITEMIDLIST last = FindLastItemID(fIDList.Get());
        SFGAOF attributes = SFGAO_VALIDATE;
        if (FAILED(fParentFolder->GetAttributesOf(1, &last, &attributes)))
        {
            attributes = 0;
            if (FAILED(fParentFolder->GetAttributesOf(1, &last, &attributes)))
                return false;
        }
        if (fKind != kShellItemFolder && fKind != kShellItemFile)
            return true;
        // Not every shell looks at the disk for SFGAO_VALIDATE, so the file or folder itself
        // must still be there. An item without a path cannot be looked up: the shell's answer
        // stands.
        TUTF16String path;
        try
        {
            GetPath(path);
        }
        catch (const NSQuorral::XNotFound&)
        {
            return true;
        }
        return Win32Calls().GetFileAttributesW(NSTextPackage::AsWide(path)) != INVALID_FILE_ATTRIBUTES;
    }
    catch (...)
    {
        return false;
    }
}

u64 CShellItem::GetFileSize()
{
    if (fKind != kShellItemFile || !IsValid())
        return kUnknownFileSize;
    try
    {
        NSFileLib::SFileInfo info = {};
        NSFileLibSupport::ThrowIfFileLibError(
            NSFileLibSupport::GetFileLib()->GetFileInfo(GetFileSpec().get(), &info));
        return info.size;
    }
    catch (...)
    {
        return kUnknownFileSize;
    }
}

std::shared_ptr<CMedia> CShellItem::CreateFileMedia(u32 creator, u32 fileType)
{
    if (fKind != kShellItemFile)
        return {};
    const NSFileLibSupport::TFileSpecPtr file = GetFileSpec();
    const NSFileLibSupport::TDirSpecPtr folder = NSFileLibSupport::GetFileParentDirectory(file.get());
    return std::make_shared<NSFileLibSupport::COpenFile>(folder.get(), NSFileLibSupport::GetName(file.get()),
                                                         creator, fileType);
}

void CShellItem::ResolveShortcut(CShellItem& target)
{
    TUTF16String path;
    GetPath(path);
    try
    {
        CComRef<IShellLinkW> link;
        CComRef<IPersistFile> file;
        ThrowIfFailedHRESULT(Win32Calls().CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                           IID_IShellLinkW, link.ReceiveVoid()));
        ThrowIfFailedHRESULT(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()));
        if (file->Load(NSTextPackage::AsWide(path), STGM_READ) != S_OK)
            ThrowShellItemFailure<NSQuorral::XResolve>();
        if (link->Resolve(nullptr, kResolveFlags) != S_OK)
            ThrowShellItemFailure<NSQuorral::XResolve>();
        CShellIDList targetList(fMalloc.Get());
        if (link->GetIDList(targetList.Receive()) != S_OK || !targetList.Get())
            ThrowShellItemFailure<NSQuorral::XResolve>();
        CShellItem resolved(targetList.Get());
        TUTF16String targetPath;
        resolved.GetPath(targetPath);
        // Only whether the long form can be had matters, not the form itself.
        wchar_t longPath[MAX_PATH] = {};
        if (Win32Calls().GetLongPathNameW(NSTextPackage::AsWide(targetPath), longPath, MAX_PATH) == 0 &&
            !IsReachableLater(::GetLastError()))
            ThrowShellItemFailure<NSQuorral::XResolve>();
        target = resolved;
    }
    catch (const NSQuorral::XResolve&)
    {
        throw;
    }
    catch (...)
    {
        ThrowShellItemFailure<NSQuorral::XResolve>();
    }
}
} // namespace NSFerrant
