// The shell's answers about an item: its file information and its type name.
#include "base/Win32Calls.h"
#include "filelib/FileTypeNames.h"
#include "filelib/ShellErrors.h"
#include "filelib/ShellItem.h"

using NSTextPackage::TUTF16String;

namespace NSFerrant
{
SHFILEINFOW GetShellFileInfo(LPCITEMIDLIST list, UINT flags)
{
    SHFILEINFOW info = {};
    if (!Win32Calls().SHGetFileInfoW(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof(info),
                                     flags | SHGFI_PIDL))
        ThrowShellFailure(std::exception(), NSQuorral::TFixedName());
    return info;
}

const TUTF16String& CShellItem::GetTypeName()
{
    if (fTypeNameValid)
        return fTypeName;
    try
    {
        switch (fKind)
        {
        case kShellItemDesktop:
        case kShellItemVirtualFolder:
        case kShellItemVirtualItem:
            fTypeName = NSTextPackage::FromWide(GetShellFileInfo(fIDList.Get(), SHGFI_TYPENAME).szTypeName);
            break;
        case kShellItemVolumeRoot:
            fTypeName = NSFileLibSupport::GetVolumeTypeName(GetVolumeSpec().get());
            break;
        case kShellItemFolder:
            fTypeName = NSFileLibSupport::GetDirTypeName(GetDirSpec().get());
            break;
        case kShellItemFile:
            fTypeName = NSFileLibSupport::GetFileTypeName(GetFileSpec().get());
            break;
        default:
            fTypeName.clear();
            break;
        }
    }
    catch (...)
    {
        fTypeName.clear();
        if (fKind == kShellItemVirtualItem)
        {
            // Such an item may still have a path whose extension tells what it is.
            try
            {
                TUTF16String path;
                GetPath(path);
                const auto dot = path.rfind(u'.');
                const auto backslash = path.rfind(u'\\');
                if (dot != TUTF16String::npos && (backslash == TUTF16String::npos || dot > backslash))
                    fTypeName = path.substr(dot);
            }
            catch (...)
            {
                fTypeName.clear();
            }
        }
    }
    fTypeNameValid = 1;
    return fTypeName;
}
} // namespace NSFerrant
