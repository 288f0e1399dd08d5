#include "filelib/WinShortcuts.h"

#include "base/Win32Calls.h"
#include "filelib/WinErrors.h"
#include "base/WinHandles.h"
#include "filelib/WinPaths.h"

#include <new>

using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
// The shell-link object and its file side.
void CreateShellLink(CComRef<IShellLinkW>& link, CComRef<IPersistFile>& file)
{
    WinHandleOLEError(Win32Calls().CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                    IID_IShellLinkW, link.ReceiveVoid()));
    WinHandleOLEError(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()));
}
} // namespace

void WinCreateShortcut(const TUTF16String& targetPath, const TUTF16String& shortcutPath,
                       const TUTF16String& description)
{
    CComRef<IShellLinkW> link;
    CComRef<IPersistFile> file;
    CreateShellLink(link, file);
    WinHandleOLEError(link->SetPath(AsWide(targetPath)));
    WinHandleOLEError(link->SetDescription(AsWide(description)));
    WinHandleOLEError(file->Save(AsWide(shortcutPath), TRUE));
}

TUTF16String WinFindShortcutTarget(const TUTF16String& shortcutPath)
{
    CComRef<IMalloc> allocator;
    if (FAILED(Win32Calls().SHGetMalloc(allocator.Receive())))
        WinThrowException(std::bad_alloc());
    try
    {
        CComRef<IShellLinkW> link;
        CComRef<IPersistFile> file;
        CreateShellLink(link, file);
        WinHandleOLEError(file->Load(AsWide(shortcutPath), STGM_READ));
        CShellIDList target(allocator.Get());
        WinHandleOLEError(link->GetIDList(target.Receive()));
        if (!target.Get())
            WinThrow<NSQuorral::XNotFound>("");
        return WinGetPathFromIDList(target.Get());
    }
    catch (...)
    {
        // The cause is not passed on: whatever failed, the shortcut leads nowhere we can use.
        WinThrow<NSQuorral::XNotFound>("WinFindShortcutTarget ...");
    }
}

TUTF16String WinGetPathFromIDList(LPCITEMIDLIST idList)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!Win32Calls().SHGetPathFromIDListW(idList, buffer))
        WinThrow<NSQuorral::XNotFound>("SHGetPathFromIDList failed");
    const TUTF16String path = NSTextPackage::FromWide(buffer);
    if (!WinIsValidPath(path))
        WinThrow<NSQuorral::XNotFound>("WinIsValidPath failed");
    return path;
}
