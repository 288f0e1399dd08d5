// The backend's volumes, shortcuts and "file://" URLs.
#include "filelib/FileLibImpl.h"

#include "base/Quorral.h"
#include "base/TextBuffers.h"
#include "base/TextConversions.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "filelib/WinPaths.h"
#include "filelib/WinShortcuts.h"
#include "filelib/WinVolumes.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
const char kURLScheme[] = "file://";
const size_t kURLSchemeBytes = sizeof(kURLScheme) - 1;
} // namespace

std::vector<TUTF16String> CFileLibImpl::GetVolumes() const
{
    std::vector<TUTF16String> roots;
    WinGetVolumes(roots);
    std::vector<TUTF16String> volumes;
    volumes.reserve(roots.size());
    for (const TUTF16String& root : roots)
        volumes.push_back(MakeVolumePath(root));
    return volumes;
}

TUTF16String CFileLibImpl::GetSystemVolume() const
{
    return MakeVolumePath(WinGetSystemVolume());
}

SVolumeInfo CFileLibImpl::GetVolumeInfo(const TUTF16String& volume) const
{
    return WinGetVolumeInfo(volume);
}

u32 CFileLibImpl::GetVolumeKind(const TUTF16String& volume) const
{
    return WinGetVolumeKind(volume);
}

SVolumeDetails CFileLibImpl::GetVolumeDetails(const TUTF16String& volume) const
{
    return WinGetVolumeDetails(volume);
}

TUTF16String CFileLibImpl::GetVolumeRootDirectory(const TUTF16String& volume) const
{
    return MakeDirPath(volume);
}

TUTF16String CFileLibImpl::ValidateVolumePath(TUTF16String path) const
{
    path = WithFinalBackslash(std::move(path));
    if (!WinIsValidVolumePath(path))
        WinThrow<std::invalid_argument>("WinIsValidVolumePath volume path is invalid");
    return path;
}

bool CFileLibImpl::GetVolumeOfRootDirectory(const TUTF16String& folder, TUTF16String& volume) const
{
    if (WinHasDirParentDirectory(folder))
        WinThrow<std::invalid_argument>("WinHasDirParentDirectory dir is not root directory");
    if (!WinIsValidVolumePath(folder))
        return false;
    volume = MakeVolumePath(folder);
    return true;
}

TUTF16String CFileLibImpl::CreateAlias(const TUTF16String& source, const TUTF16String& folder,
                                       const TUTF16String& name) const
{
    if (!WinDoesFileExist(source))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::CreateAlias source file does not exist");
    if (!WinIsPlainFile(source))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::CreateAlias source file is not a file");
    const TUTF16String link = folder + name + NSTextPackage::ASCIIToUTF16(".lnk", 0);
    WinCreateShortcut(source, link, name);
    return MakeFilePath(link);
}

EAliasTarget CFileLibImpl::ResolvePossibleAlias(const TUTF16String& file, TUTF16String& target) const
{
    if (!WinDoesFileExist(file))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::ResolvePossibleAlias alias file does not exist");
    if (!WinIsPlainFile(file))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::ResolvePossibleAlias alias file is not a file");
    if (!WinIsAliasFile(file))
    {
        NSQuorral::Throw<NSQuorral::XResolve>("CFileLibImpl::ResolvePossibleAlias alias file is not an alias",
                                              NSQuorral::GetReferenceObjectType());
    }
    const TUTF16String found = WinFindShortcutTarget(file);
    if (!WinDoesFileExist(found) && !WinDoesDirectoryExist(found))
        WinThrow<NSQuorral::XResolve>("WinFindShortcutTarget target does not exist");
    if (WinIsValidVolumePath(found))
    {
        target = MakeVolumePath(found);
        return EAliasTarget::kVolume;
    }
    if (WinIsDirectory(found))
    {
        target = MakeDirPath(found);
        return EAliasTarget::kDirectory;
    }
    if (WinIsPlainFile(found))
    {
        target = MakeFilePath(found);
        return EAliasTarget::kFile;
    }
    WinThrow<NSQuorral::XInvariantCorrupt>("CFileLibImpl::ResolvePossibleAlias target is of unknown type");
}

// The URL is read back exactly as GetURL writes it: "/" stands for "\" and percent escapes are
// not decoded.
TUTF16String CFileLibImpl::InterpretURL(const char* url, u16* fileName) const
{
    fileName[0] = 0;
    std::string rest(url + kURLSchemeBytes);
    std::replace(rest.begin(), rest.end(), '/', '\\');
    const TUTF16String path = NSTextPackage::UTF8ToUTF16(rest);
    if (path.back() == u'\\')
    {
        if (!WinIsValidPath(path) || !WinDoesDirectoryExist(path))
            WinThrow<NSQuorral::XNotFound>("CFileLibImpl::InterpretURL Non valid file path or dir does not exist");
        return MakeDirPath(path);
    }
    const size_t last = path.rfind(u'\\');
    if (last == TUTF16String::npos)
        WinThrow<NSQuorral::XNotFound>("");
    const TUTF16String folder = path.substr(0, last + 1);
    NSTextPackage::CopyWide(fileName, path.c_str() + last + 1, kFileLibNameBufferUnits - 1);
    if (!WinIsValidPath(folder) || !WinDoesDirectoryExist(folder))
        WinThrow<NSQuorral::XNotFound>("CFileLibImpl::InterpretURL Non valid dir path or dir does not exist");
    return MakeDirPath(folder);
}

std::string CFileLibImpl::GetURL(const TUTF16String& path) const
{
    return kURLScheme + NSTextPackage::UTF16ToUTF8(path);
}

} // namespace NSFileLibInternals
