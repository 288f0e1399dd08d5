#include "filelib/WinSpecialFolders.h"

#include "base/Win32Calls.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "base/WinHandles.h"
#include "filelib/WinPaths.h"

#include <iterator>
#include <new>
#include <vector>

using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
// The folder, made when it does not exist yet.
void EnsureDirectory(const TUTF16String& path)
{
    if (WinDoesDirectoryExist(path))
        return;
    if (!Win32Calls().CreateDirectoryW(AsWide(path), nullptr))
        WinThrowForLastError<NSQuorral::XNotFound>("CreateDirectory failed with unrecognized error type");
}
} // namespace

bool WinGetSpecialFolderPath(u32 csidl, TUTF16String& path)
{
    CComRef<IMalloc> allocator;
    if (FAILED(Win32Calls().SHGetMalloc(allocator.Receive())))
        WinThrowException(std::bad_alloc());
    CShellIDList folder(allocator.Get());
    if (FAILED(Win32Calls().SHGetSpecialFolderLocation(nullptr, int(csidl), folder.Receive())))
        return false;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!Win32Calls().SHGetPathFromIDListW(folder.Get(), buffer))
        return false;
    path = NSTextPackage::FromWide(buffer);
    return true;
}

TUTF16String WinGetWindowsDirectory(u32 bufferUnits)
{
    std::vector<wchar_t> buffer(bufferUnits + 1);
    const UINT length = Win32Calls().GetWindowsDirectoryW(buffer.data(), UINT(bufferUnits));
    if (length == 0)
        WinThrowForLastError<NSQuorral::XNotFound>("GetWindowsDirectory failed with unrecognized error type");
    if (length > bufferUnits)
        WinThrow<NSQuorral::XNotFound>("GetWindowsDirectory failed - folder name to large");
    return NSTextPackage::FromWide(buffer.data(), length);
}

TUTF16String WinGetTempPath()
{
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = Win32Calls().GetTempPathW(DWORD(std::size(buffer)), buffer);
    if (length == 0)
        WinThrowForLastError<NSQuorral::XNotFound>("GetTempPath failed with unrecognized error type");
    if (length >= std::size(buffer))
        WinThrow<NSQuorral::XNotFound>("GetTempPath failed - folder name to large");
    return NSTextPackage::FromWide(buffer, length);
}

TUTF16String WinGetAppDataDirectory(const TUTF16String& company, const TUTF16String& product, bool common)
{
    TUTF16String base;
    const bool isFallback = !WinGetSpecialFolderPath(common ? kCSIDLCommonAppData : kCSIDLUserAppData, base);
    if (isFallback && !WinGetSpecialFolderPath(kCSIDLWindows, base))
        base = WinGetWindowsDirectory(kWinMaxPathUnits);
    if (base.empty() || base.back() != u'\\')
        base += u'\\';
    if (isFallback)
        return base;

    const TUTF16String companyFolder = base + company;
    EnsureDirectory(companyFolder);
    const TUTF16String productFolder = companyFolder + u16(u'\\') + product;
    EnsureDirectory(productFolder);
    return productFolder;
}

TUTF16String WinGetUserAppDataDirectory(const TUTF16String& company, const TUTF16String& product)
{
    return WinGetAppDataDirectory(company, product, false);
}

TUTF16String WinGetCommonAppDataDirectory(const TUTF16String& company, const TUTF16String& product)
{
    return WinGetAppDataDirectory(company, product, true);
}
