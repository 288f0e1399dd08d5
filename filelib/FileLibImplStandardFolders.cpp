// The backend's standard folders and temporary items. Every folder handed out is a completed
// folder path in its long form; temporary items stay on disk until someone deletes them.
#include "filelib/FileLibImpl.h"

#include "base/Quorral.h"
#include "base/TextBuffers.h"
#include "filelib/OpenFileImpl.h"
#include "filelib/WinErrors.h"
#include "filelib/WinPaths.h"
#include "filelib/WinSpecialFolders.h"
#include "filelib/WinTemporaryItems.h"

#include <shlobj.h>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
TUTF16String SpecialFolder(u32 csidl)
{
    TUTF16String path;
    if (!WinGetSpecialFolderPath(csidl, path))
        WinThrow<NSQuorral::XNotFound>("WinGetSpecialFolderPath failed");
    return CFileLibImpl::MakeDirPath(path);
}
} // namespace

TUTF16String CFileLibImpl::GetTempDirectory() const
{
    return MakeDirPath(WinGetTempPath());
}

TUTF16String CFileLibImpl::GetDesktopDirectory() const
{
    return SpecialFolder(CSIDL_DESKTOP);
}

TUTF16String CFileLibImpl::GetDocumentsDirectory() const
{
    return SpecialFolder(CSIDL_PERSONAL);
}

TUTF16String CFileLibImpl::GetUserProfileDirectory() const
{
    return SpecialFolder(CSIDL_PROFILE);
}

TUTF16String CFileLibImpl::GetUserAppDataDirectory(const TUTF16String& company, const TUTF16String& product) const
{
    return MakeDirPath(WinGetAppDataDirectory(company, product, false));
}

TUTF16String CFileLibImpl::GetCommonAppDataDirectory(const TUTF16String& company,
                                                     const TUTF16String& product) const
{
    return MakeDirPath(WinGetAppDataDirectory(company, product, true));
}

TUTF16String CFileLibImpl::GetApplicationDirectory(u16* fileName) const
{
    wchar_t module[kFileLibNameBufferUnits - 1] = {};
    if (::GetModuleFileNameW(nullptr, module, kFileLibNameBufferUnits - 1) == 0)
        WinThrowForLastError<NSQuorral::XNotFound>("GetModuleFileName failed with unrecognized error type");
    const TUTF16String file = MakeFilePath(NSTextPackage::FromWide(module));
    TUTF16String folder, name;
    WinSplitPath(file, folder, name);
    NSTextPackage::CopyWide(fileName, name.c_str(), kFileLibNameBufferUnits - 1);
    return GetFileParentDirectory(file);
}

std::unique_ptr<COpenReadWriteFileImpl> CFileLibImpl::CreateTemporaryFile(const TUTF16String& folder,
                                                                          const TUTF16String& extension,
                                                                          TUTF16String& file) const
{
    const TUTF16String path = folder + WinCreateUniqueFile(folder, extension);
    file = MakeFilePath(path);
    return std::make_unique<COpenReadWriteFileImpl>(path, kOpenModeTemporary);
}

TUTF16String CFileLibImpl::CreateTemporaryDirectory(const TUTF16String& parent) const
{
    return MakeDirPath(parent + WinCreateUniqueDirectory(parent) + u16('\\'));
}

} // namespace NSFileLibInternals
