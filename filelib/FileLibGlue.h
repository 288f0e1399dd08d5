#pragma once
// The library object: the one implementation of IFileLib and IFileLibWinExtensions. Every
// operation checks the library object, then its interface arguments (which must be objects of
// this library), then its plain arguments, writes its presets, and hands the work to the
// backend inside the exception fence.
#include "filelib/FileLib.h"
#include "filelib/FileLibImpl.h"

namespace NSFileLibInternals
{
class CFileLibGlue : public NSFileLib::IFileLib, public NSFileLib::IFileLibWinExtensions
{
public:
    CFileLibGlue() = default;

    // IFileLib
    u32 IsValid() override { return 1; }
    void SetDebugger(void* debugger) override;
    NSFileLib::IDirSpec* InterpretURL(const char* url, u16* fileName, u32* status) override;
    NSFileLib::TFileLibStatus GetFileURL(NSFileLib::IFileSpec* file, char* url) override;
    NSFileLib::TFileLibStatus GetDirURL(NSFileLib::IDirSpec* folder, char* url) override;
    NSFileLib::TFileLibStatus DoesFileHaveExtension(const u16* extensionList, NSFileLib::IFileSpec* file,
                                                    u32* result) override;
    NSFileLib::TFileLibStatus DoesNameHaveExtension(const u16* extensionList, const void* ignored, const u16* name,
                                                    u32* result) override;
    NSFileLib::IOpenReadFile* OpenReadFile(NSFileLib::IFileSpec* file, u32* status) override;
    NSFileLib::IOpenReadWriteFile* CreateFile(NSFileLib::IDirSpec* folder, const u16* name, u32 creator,
                                              u32 fileType, u32* status) override;
    NSFileLib::ISafeOpenReadWriteFile* SafeCreateFile(NSFileLib::IDirSpec* folder, const u16* name, u32 creator,
                                                      u32 fileType, u32* status) override;
    NSFileLib::TFileLibStatus ValidateVolumePath(u16* path) override;
    NSFileLib::TFileLibStatus MakeValidFileName(u16* name) override;
    NSFileLib::TFileLibStatus MakeValidDirName(u16* name) override;
    NSFileLib::TFileLibStatus SplitExtension(const u16* name, u16* base, u16* extension) override;
    NSFileLib::IVolumes* GetVolumes(u32* status) override;
    NSFileLib::IVolumeSpec* GetSystemVolume(u32* status) override;
    NSFileLib::TFileLibStatus GetVolumeInfo(NSFileLib::IVolumeSpec* volume, NSFileLib::SVolumeInfo* info) override;
    NSFileLib::TFileLibStatus GetVolumeKind(NSFileLib::IVolumeSpec* volume, u32* kind) override;
    NSFileLib::TFileLibStatus GetVolumeDetails(NSFileLib::IVolumeSpec* volume,
                                               NSFileLib::SVolumeDetails* details) override;
    NSFileLib::IDirSpec* GetVolumeRootDirectory(NSFileLib::IVolumeSpec* volume, u32* status) override;
    NSFileLib::TFileLibStatus GetChildInfo(NSFileLib::IDirSpec* folder, const u16* name,
                                           NSFileLib::SChildInfo* info) override;
    NSFileLib::TFileLibStatus GetDirInfo(NSFileLib::IDirSpec* folder, NSFileLib::SDirInfo* info) override;
    NSFileLib::IDirSpec* CreateDirectory(NSFileLib::IDirSpec* parent, const u16* name, u32* status) override;
    NSFileLib::TFileLibStatus DeleteDirectory(NSFileLib::IDirSpec* folder) override;
    NSFileLib::TFileLibStatus DoesChildFileExist(NSFileLib::IDirSpec* folder, const u16* name, u32* result) override;
    NSFileLib::TFileLibStatus DoesChildDirectoryExist(NSFileLib::IDirSpec* folder, const u16* name,
                                                      u32* result) override;
    NSFileLib::IFileSpec* GetChildFile(NSFileLib::IDirSpec* folder, const u16* name, u32* status) override;
    NSFileLib::IDirSpec* GetChildDirectory(NSFileLib::IDirSpec* folder, const u16* name, u32* status) override;
    NSFileLib::IDirSpec* GetParentDirectory(NSFileLib::IDirSpec* folder, u32* status) override;
    NSFileLib::IDirScanner* CreateDirScanner(NSFileLib::IDirSpec* folder, u32* status) override;
    NSFileLib::TFileLibStatus ReplaceFile(NSFileLib::IFileSpec* first, NSFileLib::IFileSpec* second) override;
    NSFileLib::TFileLibStatus DeleteFile(NSFileLib::IFileSpec* file) override;
    NSFileLib::TFileLibStatus GetFileInfo(NSFileLib::IFileSpec* file, NSFileLib::SFileInfo* info) override;
    NSFileLib::TFileLibStatus SetFileInfo(NSFileLib::IFileSpec* file, const NSFileLib::SFileInfo* info) override;
    NSFileLib::IDirSpec* GetFileParentDirectory(NSFileLib::IFileSpec* file, u32* status) override;
    NSFileLib::TFileLibStatus ResolvePossibleAlias(NSFileLib::IFileSpec* file, NSFileLib::IVolumeSpec** volume,
                                                   NSFileLib::IDirSpec** folder,
                                                   NSFileLib::IFileSpec** target) override;
    NSFileLib::IDirSpec* GetTempDirectory(u32* status) override;
    NSFileLib::IDirSpec* GetDesktopDirectory(u32* status) override;
    NSFileLib::IDirSpec* GetDocumentsDirectory(u32* status) override;
    NSFileLib::IDirSpec* GetUserProfileDirectory(u32* status) override;
    NSFileLib::IDirSpec* GetUserAppDataDirectory(const u16* company, const u16* product, u32* status) override;
    NSFileLib::IDirSpec* GetCommonAppDataDirectory(const u16* company, const u16* product, u32* status) override;
    NSFileLib::IDirSpec* GetApplicationDirectory(u16* fileName, u32* status) override;
    NSFileLib::TFileLibStatus ReservedStatus(void* unused) override;
    void* ReservedPointer(void* unused) override;
    NSFileLib::IFileLibWinExtensions* GetWinExtensions() override { return this; }
    NSFileLib::IVolumeSpec* GetVolumeOfRootDirectory(NSFileLib::IDirSpec* root, u32* status) override;
    NSFileLib::IOpenReadWriteFile* CreateTemporaryFile(NSFileLib::IDirSpec* folder, u32 creator, u32 fileType,
                                                       const u16* extension, NSFileLib::IFileSpec** file,
                                                       u32* status) override;
    NSFileLib::IDirSpec* CreateTemporaryDirectory(NSFileLib::IDirSpec* parent, u32* status) override;

    // IFileLibWinExtensions
    NSFileLib::IVolumeSpec* CreateVolumeSpec(const u16* path, u32* status) override;
    void GetVolumePath(NSFileLib::IVolumeSpec* volume, u16* path) override;
    NSFileLib::IDirSpec* CreateDirSpec(const u16* path, u32* status) override;
    void GetDirPath(NSFileLib::IDirSpec* folder, u16* path) override;
    NSFileLib::IFileSpec* CreateFileSpec(const u16* path, u32* status) override;
    NSFileLib::IFileSpec* CreateFileSpecInLongFolder(const u16* path, u32* status) override;
    NSFileLib::IFileSpec* CreateFileSpecOfLongPath(const u16* path, u32* status) override;
    void GetFilePath(NSFileLib::IFileSpec* file, u16* path) override;
    NSFileLib::IFileSpec* CreateAlias(NSFileLib::IFileSpec* source, NSFileLib::IDirSpec* folder, const u16* name,
                                      u32* status) override;

private:
    // A file specification of the path made by one of the implementation's file path makers.
    NSFileLib::IFileSpec* MakeFileSpec(const u16* path, u32* status, TUTF16String (*makePath)(const TUTF16String&));
    NSFileLib::TFileLibStatus GetURL(const TUTF16String& path, char* url);
    NSFileLib::TFileLibStatus DoesChildExist(NSFileLib::IDirSpec* folder, const u16* name, u32* result,
                                             bool (CFileLibImpl::*test)(const TUTF16String&, const TUTF16String&)
                                                 const);
    NSFileLib::IDirSpec* GetAppDataDirectory(const u16* company, const u16* product, bool common, u32* status);

    CFileLibImpl fImpl;
};
} // namespace NSFileLibInternals
