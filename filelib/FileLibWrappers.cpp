#include "filelib/FileLibWrappers.h"

#include "base/FileLibStatus.h"
#include "base/ModuleVersion.h"
#include "filelib/FileLibAccess.h"

using namespace NSFileLib;
using NSTextPackage::TUTF16String;

namespace NSFileLibSupport
{
namespace
{
// The owner is made before the status is tested, so an object that came with a failure is
// destroyed when the exception leaves.
template <class TSpec> std::shared_ptr<TSpec> OwnOrThrow(TSpec* object, u32 status)
{
    std::shared_ptr<TSpec> owner(object);
    ThrowIfFileLibError(status);
    return owner;
}

template <class TSpec> TUTF16String GetSpecName(TSpec* spec)
{
    u16 name[kFileLibNameBufferUnits] = {};
    ThrowIfFileLibError(spec->GetName(name));
    return TUTF16String(name);
}

template <class TSpec> bool IsUsable(TSpec* spec)
{
    try
    {
        GetSpecName(spec);
        return true;
    }
    catch (...)
    {
        return false;
    }
}

IFileLibWinExtensions* WinExtensions()
{
    return GetFileLib()->GetWinExtensions();
}
} // namespace

bool DoesChildFileExist(IDirSpec* folder, const TUTF16String& name)
{
    u32 result = 0;
    ThrowIfFileLibError(GetFileLib()->DoesChildFileExist(folder, name.c_str(), &result));
    return result != 0;
}

bool DoesChildDirectoryExist(IDirSpec* folder, const TUTF16String& name)
{
    u32 result = 0;
    ThrowIfFileLibError(GetFileLib()->DoesChildDirectoryExist(folder, name.c_str(), &result));
    return result != 0;
}

TFileSpecPtr GetChildFile(IDirSpec* folder, const TUTF16String& name)
{
    u32 status = kFileLibNotSet;
    IFileSpec* file = GetFileLib()->GetChildFile(folder, name.c_str(), &status);
    return OwnOrThrow(file, status);
}

TDirSpecPtr GetChildDirectory(IDirSpec* folder, const TUTF16String& name)
{
    u32 status = kFileLibNotSet;
    IDirSpec* child = GetFileLib()->GetChildDirectory(folder, name.c_str(), &status);
    return OwnOrThrow(child, status);
}

TDirSpecPtr CreateChildDirectory(IDirSpec* parent, const TUTF16String& name)
{
    u32 status = kFileLibNotSet;
    IDirSpec* child = GetFileLib()->CreateDirectory(parent, name.c_str(), &status);
    return OwnOrThrow(child, status);
}

void DeleteDirectory(IDirSpec* folder)
{
    ThrowIfFileLibError(GetFileLib()->DeleteDirectory(folder));
}

TDirSpecPtr GetFileParentDirectory(IFileSpec* file)
{
    u32 status = kFileLibNotSet;
    IDirSpec* parent = GetFileLib()->GetFileParentDirectory(file, &status);
    return OwnOrThrow(parent, status);
}

bool IsAlias(IFileSpec* file)
{
    SFileInfo info{};
    ThrowIfFileLibError(GetFileLib()->GetFileInfo(file, &info));
    return info.isAlias != 0;
}

void ResolvePossibleAlias(IFileSpec* file, TVolumeSpecPtr& volume, TDirSpecPtr& folder, TFileSpecPtr& target)
{
    IVolumeSpec* rawVolume = nullptr;
    IDirSpec* rawFolder = nullptr;
    IFileSpec* rawTarget = nullptr;
    TFileLibStatus status = GetFileLib()->ResolvePossibleAlias(file, &rawVolume, &rawFolder, &rawTarget);
    TVolumeSpecPtr newVolume(rawVolume);
    TDirSpecPtr newFolder(rawFolder);
    TFileSpecPtr newTarget(rawTarget);
    ThrowIfFileLibError(status);
    volume = std::move(newVolume);
    folder = std::move(newFolder);
    target = std::move(newTarget);
}

void SplitExtension(const TUTF16String& name, TUTF16String& base, TUTF16String& extension)
{
    u16 baseBuffer[kFileLibNameBufferUnits] = {};
    u16 extensionBuffer[kFileLibNameBufferUnits] = {};
    ThrowIfFileLibError(GetFileLib()->SplitExtension(name.c_str(), baseBuffer, extensionBuffer));
    base = baseBuffer;
    extension = extensionBuffer;
}

std::vector<TVolumeSpecPtr> GetVolumes()
{
    u32 status = kFileLibNotSet;
    std::unique_ptr<IVolumes> list(GetFileLib()->GetVolumes(&status));
    ThrowIfFileLibError(status);
    std::vector<TVolumeSpecPtr> volumes;
    const u32 count = list->GetCount();
    volumes.reserve(count);
    for (u32 index = 0; index < count; ++index)
        volumes.push_back(CloneVolumeSpec(list->GetVolume(index)));
    return volumes;
}

TDirSpecPtr GetVolumeRootDirectory(IVolumeSpec* volume)
{
    u32 status = kFileLibNotSet;
    IDirSpec* root = GetFileLib()->GetVolumeRootDirectory(volume, &status);
    return OwnOrThrow(root, status);
}

u32 GetVolumeKind(IVolumeSpec* volume)
{
    u32 kind = kFileLibResultNotSet;
    ThrowIfFileLibError(GetFileLib()->GetVolumeKind(volume, &kind));
    return kind;
}

TFileSpecPtr CloneFileSpec(IFileSpec* file)
{
    u32 status = kFileLibNotSet;
    IFileSpec* clone = file->Clone(&status);
    return OwnOrThrow(clone, status);
}

TDirSpecPtr CloneDirSpec(IDirSpec* folder)
{
    u32 status = kFileLibNotSet;
    IDirSpec* clone = folder->Clone(&status);
    return OwnOrThrow(clone, status);
}

TVolumeSpecPtr CloneVolumeSpec(IVolumeSpec* volume)
{
    u32 status = kFileLibNotSet;
    IVolumeSpec* clone = volume->Clone(&status);
    return OwnOrThrow(clone, status);
}

TUTF16String GetName(IDirSpec* folder)
{
    return GetSpecName(folder);
}

TUTF16String GetName(IFileSpec* file)
{
    return GetSpecName(file);
}

TFileSpecPtr FileSpecFromWinPath(const TUTF16String& path)
{
    u32 status = kFileLibNotSet;
    IFileSpec* file = WinExtensions()->CreateFileSpec(path.c_str(), &status);
    return OwnOrThrow(file, status);
}

TFileSpecPtr FileSpecFromWinPathInLongFolder(const TUTF16String& path)
{
    u32 status = kFileLibNotSet;
    IFileSpec* file = WinExtensions()->CreateFileSpecInLongFolder(path.c_str(), &status);
    return OwnOrThrow(file, status);
}

TFileSpecPtr FileSpecFromLongWinPath(const TUTF16String& path)
{
    u32 status = kFileLibNotSet;
    IFileSpec* file = WinExtensions()->CreateFileSpecOfLongPath(path.c_str(), &status);
    return OwnOrThrow(file, status);
}

TDirSpecPtr DirSpecFromWinPath(const TUTF16String& path)
{
    u32 status = kFileLibNotSet;
    IDirSpec* folder = WinExtensions()->CreateDirSpec(path.c_str(), &status);
    return OwnOrThrow(folder, status);
}

TVolumeSpecPtr VolumeSpecFromWinPath(const TUTF16String& path)
{
    u32 status = kFileLibNotSet;
    IVolumeSpec* volume = WinExtensions()->CreateVolumeSpec(path.c_str(), &status);
    return OwnOrThrow(volume, status);
}

TUTF16String GetFileWinPath(IFileSpec* file)
{
    u16 path[kFileLibPathBufferUnits] = {};
    WinExtensions()->GetFilePath(file, path);
    return TUTF16String(path);
}

TUTF16String GetDirWinPath(IDirSpec* folder)
{
    u16 path[kFileLibPathBufferUnits] = {};
    WinExtensions()->GetDirPath(folder, path);
    return TUTF16String(path);
}

TUTF16String GetVolumeWinPath(IVolumeSpec* volume)
{
    u16 path[kFileLibPathBufferUnits] = {};
    WinExtensions()->GetVolumePath(volume, path);
    return TUTF16String(path);
}

TDirSpecPtr GetOrCreateChildDirectory(IDirSpec* parent, const TUTF16String& name)
{
    if (DoesChildDirectoryExist(parent, name))
        return GetChildDirectory(parent, name);
    return CreateChildDirectory(parent, name);
}

bool DeleteChildFileIfExists(IDirSpec* folder, const TUTF16String& name)
{
    if (!DoesChildFileExist(folder, name))
        return false;
    TFileSpecPtr file = GetChildFile(folder, name);
    ThrowIfFileLibError(GetFileLib()->DeleteFile(file.get()));
    return true;
}

bool IsSpecUsable(IDirSpec* folder)
{
    return IsUsable(folder);
}

bool IsSpecUsable(IFileSpec* file)
{
    return IsUsable(file);
}

NSFerrant::TVersion GetModuleVersion(NSFileLib::IFileSpec* file)
{
    return NSFerrant::ReadModuleVersionInfo(GetFileWinPath(file));
}
} // namespace NSFileLibSupport
