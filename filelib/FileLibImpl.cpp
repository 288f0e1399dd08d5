// The backend's path makers, names, children, folders and files.
#include "filelib/FileLibImpl.h"

#include "base/Quorral.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/OpenFileImpl.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "filelib/WinPaths.h"
#include "filelib/WinVolumes.h"

#include <objbase.h>

#include <stdexcept>
#include <utility>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
const u16 kBackslash = u'\\';

// The long form may be longer than the path that was checked (short 8.3 names grow); such a
// path would be cut by every 261-unit path buffer, so it is refused here.
TUTF16String LongPathWithin260(const TUTF16String& path, const char* refusal)
{
    TUTF16String longPath = WinGetLongPathName(path);
    if (longPath.size() > kWinMaxPathUnits)
        WinThrow<std::invalid_argument>(refusal);
    return longPath;
}

void CheckFilePathSyntax(const TUTF16String& path)
{
    if (!WinIsValidPath(path) || path.back() == kBackslash)
        WinThrow<std::invalid_argument>("WinIsValidFilePath failed");
}

void CheckFilePath(const TUTF16String& path)
{
    CheckFilePathSyntax(path);
    if (!WinDoesFileExist(path))
        WinThrow<NSQuorral::XNotFound>("WinDoesFileExist failed");
}

bool IsText(const TUTF16String& text, const char* ascii)
{
    return NSTextPackage::CompareText(text, NSTextPackage::ASCIIToUTF16(ascii, 0), 0) ==
           NSTextPackage::kCompareEqual;
}
} // namespace

CFileLibImpl::CFileLibImpl()
{
    // S_FALSE (already initialised in this mode) counts as success.
    if (FAILED(::CoInitialize(nullptr)))
        WinThrowException(std::exception());
}

CFileLibImpl::~CFileLibImpl()
{
    ::CoUninitialize();
}

TUTF16String CFileLibImpl::WithFinalBackslash(TUTF16String path)
{
    if (!path.empty() && path.back() != kBackslash)
        path += kBackslash;
    return path;
}

TUTF16String CFileLibImpl::MakeVolumePath(TUTF16String path)
{
    path = WithFinalBackslash(std::move(path));
    if (!WinIsValidVolumePath(path))
        WinThrow<std::invalid_argument>("WinIsValidVolumePath failed");
    if (!WinDoesVolumeExist(path))
        WinThrow<NSQuorral::XNotFound>("WinDoesVolumeExist failed");
    return path;
}

TUTF16String CFileLibImpl::MakeDirPath(TUTF16String path)
{
    path = WithFinalBackslash(std::move(path));
    if (!WinIsValidPath(path))
        WinThrow<std::invalid_argument>("WinIsValidPath failed");
    return LongPathWithin260(path, "WinIsValidPath failed");
}

TUTF16String CFileLibImpl::MakeFilePath(const TUTF16String& path)
{
    CheckFilePath(path);
    return LongPathWithin260(path, "WinIsValidFilePath failed");
}

TUTF16String CFileLibImpl::MakeFilePathInLongFolder(const TUTF16String& path)
{
    CheckFilePath(path);
    return WinGetLongPathNameInLongFolder(path);
}

TUTF16String CFileLibImpl::MakeFilePathOfLongPath(const TUTF16String& path)
{
    CheckFilePathSyntax(path);
    return path;
}

TUTF16String CFileLibImpl::GetDirName(const TUTF16String& folder)
{
    if (WinIsValidVolumePath(folder))
        return {};
    TUTF16String path = folder;
    if (!path.empty() && path.back() == kBackslash)
        path.pop_back();
    const size_t last = path.rfind(kBackslash);
    return last == TUTF16String::npos ? path : path.substr(last + 1);
}

TUTF16String CFileLibImpl::GetFileName(const TUTF16String& file)
{
    TUTF16String folder, name;
    WinSplitPath(file, folder, name);
    return name;
}

bool CFileLibImpl::DoesFileHaveExtension(const TUTF16String& extensionList, const TUTF16String& file) const
{
    return WinDoesNameHaveExtension(extensionList, GetFileName(file));
}

bool CFileLibImpl::DoesNameHaveExtension(const TUTF16String& extensionList, const TUTF16String& name) const
{
    return WinDoesNameHaveExtension(extensionList, name);
}

TUTF16String CFileLibImpl::MakeValidFileName(const TUTF16String& name) const
{
    return WinMakeValidName(name);
}

void CFileLibImpl::SplitExtension(const TUTF16String& name, TUTF16String& base, TUTF16String& extension) const
{
    WinSplitExtension(name, base, extension);
}

bool CFileLibImpl::GetChildInfo(const TUTF16String& folder, const TUTF16String& name, SChildInfo& info) const
{
    const TUTF16String child = folder + name;
    if (!WinDoesFileExist(child) && !WinDoesDirectoryExist(child))
        return false;
    const DWORD attributes = ::GetFileAttributesW(NSTextPackage::AsWide(child));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        WinThrowForLastError<NSQuorral::XNotFound>("GetFileAttributes failed with unrecognized error type");
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
    {
        info.kind = kChildKindDirectory;
        info.dirInfo = WinGetDirInfo(MakeDirPath(child));
    }
    else
    {
        info.kind = kChildKindFile;
        info.fileInfo = WinGetFileInfo(MakeFilePath(child));
    }
    return true;
}

bool CFileLibImpl::DoesChildFileExist(const TUTF16String& folder, const TUTF16String& name) const
{
    const TUTF16String child = folder + name;
    if (!WinIsValidPath(child))
        WinThrow<NSQuorral::XUnsupportedFormat>("CFileLibImpl::DoesChildFileExist(): Resulting path too long.");
    return WinDoesFileExist(child);
}

bool CFileLibImpl::DoesChildDirectoryExist(const TUTF16String& folder, const TUTF16String& name) const
{
    return WinDoesDirectoryExist(folder + name + kBackslash);
}

bool CFileLibImpl::GetChildFile(const TUTF16String& folder, const TUTF16String& name, TUTF16String& file) const
{
    const TUTF16String child = folder + name;
    if (!WinIsValidPath(child))
        WinThrow<NSQuorral::XUnsupportedFormat>("CFileLibImpl::GetChildFile(): Resulting path too long.");
    if (!WinDoesFileExist(child))
        return false;
    file = MakeFilePath(child);
    return true;
}

bool CFileLibImpl::GetChildDirectory(const TUTF16String& folder, const TUTF16String& name,
                                     TUTF16String& child) const
{
    if (IsText(name, ".."))
        return GetParentDirectory(folder, child);
    if (IsText(name, "."))
    {
        child = folder;
        return true;
    }
    const TUTF16String path = folder + name + kBackslash;
    if (!WinDoesDirectoryExist(path))
        return false;
    child = MakeDirPath(path);
    return true;
}

SDirInfo CFileLibImpl::GetDirInfo(const TUTF16String& folder) const
{
    return WinGetDirInfo(folder);
}

TUTF16String CFileLibImpl::CreateDirectory(const TUTF16String& parent, const TUTF16String& name) const
{
    const TUTF16String path = parent + name;
    // Whatever the platform's reason, an existing folder of that name included.
    if (!::CreateDirectoryW(NSTextPackage::AsWide(path), nullptr))
        WinThrow<NSQuorral::XCreate>("CreateDirectory failed");
    try
    {
        return MakeDirPath(path + kBackslash);
    }
    catch (...)
    {
        // The platform makes "Take" for "Take.", whose path the folder maker refuses: the
        // failure leaves no folder behind. The folder is new, so nothing of anyone else's goes.
        ::RemoveDirectoryW(NSTextPackage::AsWide(path));
        throw;
    }
}

void CFileLibImpl::DeleteDirectory(const TUTF16String& folder) const
{
    if (!::RemoveDirectoryW(NSTextPackage::AsWide(folder)))
        WinThrowForLastError<NSQuorral::XDelete>("RemoveDirectory failed with unrecognized error type");
}

bool CFileLibImpl::GetParentDirectory(const TUTF16String& folder, TUTF16String& parent) const
{
    if (!WinHasDirParentDirectory(folder))
        return false;
    parent = MakeDirPath(WinGetDirParentDirectory(folder));
    return true;
}

void CFileLibImpl::ReplaceFile(const TUTF16String& first, const TUTF16String& second) const
{
    WinReplaceFile(first, second);
}

void CFileLibImpl::DeleteFile(const TUTF16String& file) const
{
    WinDeleteFile(file);
}

SFileInfo CFileLibImpl::GetFileInfo(const TUTF16String& file) const
{
    return WinGetFileInfo(file);
}

void CFileLibImpl::SetFileInfo(const TUTF16String& file, const SFileInfo& info) const
{
    WinSetFileInfo(file, info);
}

TUTF16String CFileLibImpl::GetFileParentDirectory(const TUTF16String& file) const
{
    TUTF16String folder, name;
    WinSplitPath(file, folder, name);
    return MakeDirPath(folder);
}

std::unique_ptr<COpenReadFileImpl> CFileLibImpl::OpenReadFile(const TUTF16String& file) const
{
    return std::make_unique<COpenReadFileImpl>(file);
}

// The joined path is not validated first: the platform's answer decides.
std::unique_ptr<COpenReadWriteFileImpl> CFileLibImpl::CreateFile(const TUTF16String& folder,
                                                                 const TUTF16String& name) const
{
    return std::make_unique<COpenReadWriteFileImpl>(folder + name, kOpenModeCreateAlways);
}

std::unique_ptr<CSafeOpenReadWriteFileImpl> CFileLibImpl::SafeCreateFile(const TUTF16String& folder,
                                                                         const TUTF16String& name) const
{
    return std::make_unique<CSafeOpenReadWriteFileImpl>(folder + name);
}

TUTF16String CFileLibImpl::WinExtensions_CreateDirSpec(const TUTF16String& path) const
{
    if (!WinIsValidPath(path))
        WinThrow<std::invalid_argument>("");
    if (!WinIsDirectory(path))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::WinExtensions_CreateDirSpec taret is not a directory");
    return MakeDirPath(path);
}

} // namespace NSFileLibInternals
