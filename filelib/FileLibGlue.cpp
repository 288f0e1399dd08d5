#include "filelib/FileLibGlue.h"

#include "base/Quorral.h"
#include "base/TextBuffers.h"
#include "filelib/GlueFence.h"
#include "filelib/ListingGlue.h"
#include "filelib/OpenFileGlue.h"
#include "filelib/SpecGlue.h"
#include "filelib/WinErrors.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace NSFileLibInternals
{
using namespace NSFileLib;

namespace
{
const size_t kMaxNameUnits = kFileLibNameBufferUnits - 1;

size_t Length(const u16* text)
{
    return std::char_traits<u16>::length(text);
}

bool IsEmpty(const u16* text)
{
    return text == nullptr || text[0] == 0;
}

// A name passed to an operation on a folder's child: present, not empty, at most 1023 units.
bool IsChildName(const u16* name)
{
    return !IsEmpty(name) && Length(name) <= kMaxNameUnits;
}

// A text that the operation rewrites in place in its 1024-unit buffer.
bool IsInOutText(const u16* text)
{
    return text != nullptr && Length(text) <= kMaxNameUnits;
}

void CopyName(u16* buffer, const TUTF16String& text)
{
    NSTextPackage::CopyWide(buffer, text.c_str(), kMaxNameUnits);
}

// Makers of specification objects for MakeFenced.
std::unique_ptr<IDirSpec> NewDir(const TUTF16String& path)
{
    return std::make_unique<CDirSpecGlue>(path);
}

std::unique_ptr<IFileSpec> NewFile(const TUTF16String& path)
{
    return std::make_unique<CFileSpecGlue>(path);
}

std::unique_ptr<IVolumeSpec> NewVolume(const TUTF16String& path)
{
    return std::make_unique<CVolumeSpecGlue>(path);
}

// The path getters check nothing; an object of another origin reads as an empty path.
template <class TGlue, class TInterface> void CopyPathOf(TInterface* spec, u16* path)
{
    static const u16 kNoPath[] = {0};
    const TGlue* glue = dynamic_cast<TGlue*>(spec);
    NSTextPackage::CopyWide(path, glue != nullptr ? glue->GetPath().c_str() : kNoPath, kFileLibMaxPathUnits);
}
} // namespace

void CFileLibGlue::SetDebugger(void*)
{
    WinThrow<std::logic_error>("Can't set debugger when using static lib");
}

IDirSpec* CFileLibGlue::InterpretURL(const char* url, u16* fileName, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const char kScheme[] = "file://";
    if (fileName == nullptr || url == nullptr || strnlen(url, sizeof kScheme) < sizeof kScheme ||
        std::strncmp(url, kScheme, sizeof kScheme - 1) != 0)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.InterpretURL(url, fileName)); });
}

TFileLibStatus CFileLibGlue::GetURL(const TUTF16String& path, char* url)
{
    if (url == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] {
        const std::string text = fImpl.GetURL(path);
        if (text.size() >= kFileLibURLBufferBytes)
            WinThrow<std::invalid_argument>("the URL does not fit its buffer");
        std::memcpy(url, text.c_str(), text.size() + 1);
    });
}

TFileLibStatus CFileLibGlue::GetFileURL(IFileSpec* file, char* url)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr)
        return kFileLibBadArgument;
    return GetURL(fileSpec->GetPath(), url);
}

TFileLibStatus CFileLibGlue::GetDirURL(IDirSpec* folder, char* url)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr)
        return kFileLibBadArgument;
    return GetURL(dirSpec->GetPath(), url);
}

TFileLibStatus CFileLibGlue::DoesFileHaveExtension(const u16* extensionList, IFileSpec* file, u32* result)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr || extensionList == nullptr)
        return kFileLibBadArgument;
    *result = kFileLibResultNotSet;
    return RunFenced([&] { *result = fImpl.DoesFileHaveExtension(extensionList, fileSpec->GetPath()) ? 1 : 0; });
}

TFileLibStatus CFileLibGlue::DoesNameHaveExtension(const u16* extensionList, const void*, const u16* name,
                                                   u32* result)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    if (name == nullptr || extensionList == nullptr)
        return kFileLibBadArgument;
    *result = kFileLibResultNotSet;
    return RunFenced([&] { *result = fImpl.DoesNameHaveExtension(extensionList, name) ? 1 : 0; });
}

IOpenReadFile* CFileLibGlue::OpenReadFile(IFileSpec* file, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IOpenReadFile>(
        status, [&] { return std::make_unique<COpenReadFileGlue>(fImpl.OpenReadFile(fileSpec->GetPath())); });
}

IOpenReadWriteFile* CFileLibGlue::CreateFile(IDirSpec* folder, const u16* name, u32, u32, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || IsEmpty(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IOpenReadWriteFile>(status, [&] {
        return std::make_unique<COpenReadWriteFileGlue>(fImpl.CreateFile(dirSpec->GetPath(), name));
    });
}

ISafeOpenReadWriteFile* CFileLibGlue::SafeCreateFile(IDirSpec* folder, const u16* name, u32, u32, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || IsEmpty(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<ISafeOpenReadWriteFile>(status, [&] {
        return std::make_unique<CSafeOpenReadWriteFileGlue>(fImpl.SafeCreateFile(dirSpec->GetPath(), name));
    });
}

TFileLibStatus CFileLibGlue::ValidateVolumePath(u16* path)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    if (!IsInOutText(path))
        return kFileLibBadArgument;
    return RunFenced([&] { CopyName(path, fImpl.ValidateVolumePath(path)); });
}

TFileLibStatus CFileLibGlue::MakeValidFileName(u16* name)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    if (!IsInOutText(name))
        return kFileLibBadArgument;
    return RunFenced([&] { CopyName(name, fImpl.MakeValidFileName(name)); });
}

// Folder names get exactly the file-name cleaning.
TFileLibStatus CFileLibGlue::MakeValidDirName(u16* name)
{
    return MakeValidFileName(name);
}

TFileLibStatus CFileLibGlue::SplitExtension(const u16* name, u16* base, u16* extension)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    if (!IsInOutText(name) || base == nullptr || extension == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] {
        TUTF16String baseText, extensionText;
        fImpl.SplitExtension(name, baseText, extensionText);
        CopyName(base, baseText);
        CopyName(extension, extensionText);
    });
}

IVolumes* CFileLibGlue::GetVolumes(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IVolumes>(status, [&] { return std::make_unique<CVolumesGlue>(fImpl.GetVolumes()); });
}

IVolumeSpec* CFileLibGlue::GetSystemVolume(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IVolumeSpec>(status, [&] { return NewVolume(fImpl.GetSystemVolume()); });
}

TFileLibStatus CFileLibGlue::GetVolumeInfo(IVolumeSpec* volume, SVolumeInfo* info)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CVolumeSpecGlue* volumeSpec = AsGlue<CVolumeSpecGlue>(volume);
    if (volumeSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { *info = fImpl.GetVolumeInfo(volumeSpec->GetPath()); });
}

TFileLibStatus CFileLibGlue::GetVolumeKind(IVolumeSpec* volume, u32* kind)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CVolumeSpecGlue* volumeSpec = AsGlue<CVolumeSpecGlue>(volume);
    if (volumeSpec == nullptr)
        return kFileLibBadArgument;
    *kind = kFileLibResultNotSet;
    return RunFenced([&] { *kind = fImpl.GetVolumeKind(volumeSpec->GetPath()); });
}

TFileLibStatus CFileLibGlue::GetVolumeDetails(IVolumeSpec* volume, SVolumeDetails* details)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CVolumeSpecGlue* volumeSpec = AsGlue<CVolumeSpecGlue>(volume);
    if (volumeSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { *details = fImpl.GetVolumeDetails(volumeSpec->GetPath()); });
}

IDirSpec* CFileLibGlue::GetVolumeRootDirectory(IVolumeSpec* volume, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CVolumeSpecGlue* volumeSpec = AsGlue<CVolumeSpecGlue>(volume);
    if (volumeSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetVolumeRootDirectory(volumeSpec->GetPath())); });
}

TFileLibStatus CFileLibGlue::GetChildInfo(IDirSpec* folder, const u16* name, SChildInfo* info)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || !IsChildName(name))
        return kFileLibBadArgument;
    // Filled on a copy, so that a failure halfway leaves the caller's record as it was.
    SChildInfo found = *info;
    bool exists = false;
    const TFileLibStatus status = RunFenced([&] { exists = fImpl.GetChildInfo(dirSpec->GetPath(), name, found); });
    if (status != kFileLibOK)
        return status;
    if (!exists)
        return kFileLibNotFound;
    *info = found;
    return kFileLibOK;
}

TFileLibStatus CFileLibGlue::GetDirInfo(IDirSpec* folder, SDirInfo* info)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { *info = fImpl.GetDirInfo(dirSpec->GetPath()); });
}

IDirSpec* CFileLibGlue::CreateDirectory(IDirSpec* parent, const u16* name, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(parent);
    if (dirSpec == nullptr || !IsChildName(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.CreateDirectory(dirSpec->GetPath(), name)); });
}

TFileLibStatus CFileLibGlue::DeleteDirectory(IDirSpec* folder)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { fImpl.DeleteDirectory(dirSpec->GetPath()); });
}

// The result is 0 before any check, so a refused call reads as "does not exist".
TFileLibStatus CFileLibGlue::DoesChildExist(IDirSpec* folder, const u16* name, u32* result,
                                            bool (CFileLibImpl::*test)(const TUTF16String&, const TUTF16String&)
                                                const)
{
    *result = 0;
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || !IsChildName(name))
        return kFileLibBadArgument;
    return RunFenced([&] { *result = (fImpl.*test)(dirSpec->GetPath(), name) ? 1 : 0; });
}

TFileLibStatus CFileLibGlue::DoesChildFileExist(IDirSpec* folder, const u16* name, u32* result)
{
    return DoesChildExist(folder, name, result, &CFileLibImpl::DoesChildFileExist);
}

TFileLibStatus CFileLibGlue::DoesChildDirectoryExist(IDirSpec* folder, const u16* name, u32* result)
{
    return DoesChildExist(folder, name, result, &CFileLibImpl::DoesChildDirectoryExist);
}

IFileSpec* CFileLibGlue::GetChildFile(IDirSpec* folder, const u16* name, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || !IsChildName(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IFileSpec>(status, [&] {
        TUTF16String file;
        if (!fImpl.GetChildFile(dirSpec->GetPath(), name, file))
            WinThrow<NSQuorral::XNotFound>("fImpl.GetChildFile child file does not exist");
        return NewFile(file);
    });
}

IDirSpec* CFileLibGlue::GetChildDirectory(IDirSpec* folder, const u16* name, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || !IsChildName(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] {
        TUTF16String child;
        if (!fImpl.GetChildDirectory(dirSpec->GetPath(), name, child))
            WinThrow<NSQuorral::XNotFound>("fImpl.GetChildDirectory child directory does not exist");
        return NewDir(child);
    });
}

IDirSpec* CFileLibGlue::GetParentDirectory(IDirSpec* folder, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    IDirSpec* parent = MakeFenced<IDirSpec>(status, [&]() -> std::unique_ptr<IDirSpec> {
        TUTF16String path;
        if (!fImpl.GetParentDirectory(dirSpec->GetPath(), path))
            return nullptr;
        return NewDir(path);
    });
    // A volume root has no parent.
    if (parent == nullptr && *status == kFileLibOK)
        *status = kFileLibNotFound;
    return parent;
}

IDirScanner* CFileLibGlue::CreateDirScanner(IDirSpec* folder, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirScanner>(status, [&] {
        return std::make_unique<CDirScannerGlue>(std::make_unique<CDirScannerImpl>(dirSpec->GetPath()));
    });
}

TFileLibStatus CFileLibGlue::ReplaceFile(IFileSpec* first, IFileSpec* second)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* firstSpec = AsGlue<CFileSpecGlue>(first);
    const CFileSpecGlue* secondSpec = firstSpec != nullptr ? AsGlue<CFileSpecGlue>(second) : nullptr;
    if (secondSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { fImpl.ReplaceFile(firstSpec->GetPath(), secondSpec->GetPath()); });
}

TFileLibStatus CFileLibGlue::DeleteFile(IFileSpec* file)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { fImpl.DeleteFile(fileSpec->GetPath()); });
}

TFileLibStatus CFileLibGlue::GetFileInfo(IFileSpec* file, SFileInfo* info)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr)
        return kFileLibBadArgument;
    return RunFenced([&] { *info = fImpl.GetFileInfo(fileSpec->GetPath()); });
}

TFileLibStatus CFileLibGlue::SetFileInfo(IFileSpec* file, const SFileInfo* info)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr || info == nullptr || info->isHidden > 1)
        return kFileLibBadArgument;
    return RunFenced([&] { fImpl.SetFileInfo(fileSpec->GetPath(), *info); });
}

IDirSpec* CFileLibGlue::GetFileParentDirectory(IFileSpec* file, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetFileParentDirectory(fileSpec->GetPath())); });
}

TFileLibStatus CFileLibGlue::ResolvePossibleAlias(IFileSpec* file, IVolumeSpec** volume, IDirSpec** folder,
                                                  IFileSpec** target)
{
    if (IsValid() == 0)
        return kFileLibInvalidObject;
    const CFileSpecGlue* fileSpec = AsGlue<CFileSpecGlue>(file);
    if (fileSpec == nullptr || volume == nullptr || folder == nullptr || target == nullptr)
        return kFileLibBadArgument;
    *volume = nullptr;
    *folder = nullptr;
    *target = nullptr;
    return RunFenced([&] {
        TUTF16String path;
        switch (fImpl.ResolvePossibleAlias(fileSpec->GetPath(), path))
        {
        case EAliasTarget::kVolume:
            *volume = NewVolume(path).release();
            break;
        case EAliasTarget::kDirectory:
            *folder = NewDir(path).release();
            break;
        case EAliasTarget::kFile:
            *target = NewFile(path).release();
            break;
        }
    });
}

IDirSpec* CFileLibGlue::GetTempDirectory(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetTempDirectory()); });
}

IDirSpec* CFileLibGlue::GetDesktopDirectory(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetDesktopDirectory()); });
}

IDirSpec* CFileLibGlue::GetDocumentsDirectory(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetDocumentsDirectory()); });
}

IDirSpec* CFileLibGlue::GetUserProfileDirectory(u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetUserProfileDirectory()); });
}

IDirSpec* CFileLibGlue::GetAppDataDirectory(const u16* company, const u16* product, bool common, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    if (company == nullptr || product == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] {
        return NewDir(common ? fImpl.GetCommonAppDataDirectory(company, product)
                             : fImpl.GetUserAppDataDirectory(company, product));
    });
}

IDirSpec* CFileLibGlue::GetUserAppDataDirectory(const u16* company, const u16* product, u32* status)
{
    return GetAppDataDirectory(company, product, false, status);
}

IDirSpec* CFileLibGlue::GetCommonAppDataDirectory(const u16* company, const u16* product, u32* status)
{
    return GetAppDataDirectory(company, product, true, status);
}

IDirSpec* CFileLibGlue::GetApplicationDirectory(u16* fileName, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    if (fileName == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.GetApplicationDirectory(fileName)); });
}

TFileLibStatus CFileLibGlue::ReservedStatus(void*)
{
    return kFileLibNotSet;
}

void* CFileLibGlue::ReservedPointer(void*)
{
    return nullptr;
}

IVolumeSpec* CFileLibGlue::GetVolumeOfRootDirectory(IDirSpec* root, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(root);
    if (dirSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    IVolumeSpec* volume = MakeFenced<IVolumeSpec>(status, [&]() -> std::unique_ptr<IVolumeSpec> {
        TUTF16String path;
        if (!fImpl.GetVolumeOfRootDirectory(dirSpec->GetPath(), path))
            return nullptr;
        return NewVolume(path);
    });
    // A root that is no valid volume path.
    if (volume == nullptr && *status == kFileLibOK)
        *status = kFileLibNotFound;
    return volume;
}

IOpenReadWriteFile* CFileLibGlue::CreateTemporaryFile(IDirSpec* folder, u32, u32, const u16* extension,
                                                      IFileSpec** file, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(folder);
    if (dirSpec == nullptr || extension == nullptr || file == nullptr)
        return Refuse(status, kFileLibBadArgument);
    std::unique_ptr<IFileSpec> fileSpec;
    IOpenReadWriteFile* open = MakeFenced<IOpenReadWriteFile>(status, [&] {
        TUTF16String path;
        auto made = std::make_unique<COpenReadWriteFileGlue>(fImpl.CreateTemporaryFile(dirSpec->GetPath(), extension, path));
        fileSpec = NewFile(path);
        return made;
    });
    *file = open != nullptr ? fileSpec.release() : nullptr;
    return open;
}

IDirSpec* CFileLibGlue::CreateTemporaryDirectory(IDirSpec* parent, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CDirSpecGlue* dirSpec = AsGlue<CDirSpecGlue>(parent);
    if (dirSpec == nullptr)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.CreateTemporaryDirectory(dirSpec->GetPath())); });
}

IVolumeSpec* CFileLibGlue::CreateVolumeSpec(const u16* path, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    if (IsEmpty(path))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IVolumeSpec>(status, [&] { return NewVolume(CFileLibImpl::MakeVolumePath(path)); });
}

void CFileLibGlue::GetVolumePath(IVolumeSpec* volume, u16* path)
{
    CopyPathOf<CVolumeSpecGlue>(volume, path);
}

IDirSpec* CFileLibGlue::CreateDirSpec(const u16* path, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    if (IsEmpty(path) || Length(path) > kFileLibMaxPathUnits)
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IDirSpec>(status, [&] { return NewDir(fImpl.WinExtensions_CreateDirSpec(path)); });
}

void CFileLibGlue::GetDirPath(IDirSpec* folder, u16* path)
{
    CopyPathOf<CDirSpecGlue>(folder, path);
}

IFileSpec* CFileLibGlue::CreateFileSpec(const u16* path, u32* status)
{
    return MakeFileSpec(path, status, &CFileLibImpl::MakeFilePath);
}

IFileSpec* CFileLibGlue::CreateFileSpecInLongFolder(const u16* path, u32* status)
{
    return MakeFileSpec(path, status, &CFileLibImpl::MakeFilePathInLongFolder);
}

IFileSpec* CFileLibGlue::CreateFileSpecOfLongPath(const u16* path, u32* status)
{
    return MakeFileSpec(path, status, &CFileLibImpl::MakeFilePathOfLongPath);
}

IFileSpec* CFileLibGlue::MakeFileSpec(const u16* path, u32* status, TUTF16String (*makePath)(const TUTF16String&))
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    if (IsEmpty(path))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IFileSpec>(status, [&] { return NewFile(makePath(path)); });
}

void CFileLibGlue::GetFilePath(IFileSpec* file, u16* path)
{
    CopyPathOf<CFileSpecGlue>(file, path);
}

IFileSpec* CFileLibGlue::CreateAlias(IFileSpec* source, IDirSpec* folder, const u16* name, u32* status)
{
    if (IsValid() == 0)
        return Refuse(status, kFileLibInvalidObject);
    const CFileSpecGlue* sourceSpec = AsGlue<CFileSpecGlue>(source);
    const CDirSpecGlue* dirSpec = sourceSpec != nullptr ? AsGlue<CDirSpecGlue>(folder) : nullptr;
    if (dirSpec == nullptr || IsEmpty(name))
        return Refuse(status, kFileLibBadArgument);
    return MakeFenced<IFileSpec>(
        status, [&] { return NewFile(fImpl.CreateAlias(sourceSpec->GetPath(), dirSpec->GetPath(), name)); });
}
} // namespace NSFileLibInternals

NSFileLib::IFileLib* FileLib_Create(const char* interfaceName, u32* status)
{
    using namespace NSFileLib;
    *status = kFileLibNotSet;
    try
    {
        if (interfaceName == nullptr || std::strcmp(interfaceName, "IFileLib") != 0)
        {
            *status = kFileLibUnsupported;
            return nullptr;
        }
        return NSFileLibInternals::MakeFenced<IFileLib>(
            status, [] { return std::make_unique<NSFileLibInternals::CFileLibGlue>(); });
    }
    catch (...)
    {
        *status = kFileLibUnknownError;
        return nullptr;
    }
}
