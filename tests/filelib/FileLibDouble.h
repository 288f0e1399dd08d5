#pragma once
// A file-library double for the support layer's tests: every operation answers "unsupported"
// and no object until a test overrides it. CFileLibDoubleScope puts a double in place of the
// process's library for the time of a test and puts the library back afterwards.
#include "filelib/FileLib.h"
#include "filelib/FileLibAccess.h"

namespace NSFileLibTests
{
using namespace NSFileLib;

class CFileLibDouble : public IFileLib
{
public:
    u32 IsValid() override { return 1; }
    void SetDebugger(void*) override {}
    IDirSpec* InterpretURL(const char*, u16*, u32* status) override { return Fail(status); }
    TFileLibStatus GetFileURL(IFileSpec*, char*) override { return kFileLibUnsupported; }
    TFileLibStatus GetDirURL(IDirSpec*, char*) override { return kFileLibUnsupported; }
    TFileLibStatus DoesFileHaveExtension(const u16*, IFileSpec*, u32*) override
    {
        return kFileLibUnsupported;
    }
    TFileLibStatus DoesNameHaveExtension(const u16*, const void*, const u16*, u32*) override
    {
        return kFileLibUnsupported;
    }
    IOpenReadFile* OpenReadFile(IFileSpec*, u32* status) override { return Fail(status); }
    IOpenReadWriteFile* CreateFile(IDirSpec*, const u16*, u32, u32, u32* status) override
    {
        return Fail(status);
    }
    ISafeOpenReadWriteFile* SafeCreateFile(IDirSpec*, const u16*, u32, u32, u32* status) override
    {
        return Fail(status);
    }
    TFileLibStatus ValidateVolumePath(u16*) override { return kFileLibUnsupported; }
    TFileLibStatus MakeValidFileName(u16*) override { return kFileLibUnsupported; }
    TFileLibStatus MakeValidDirName(u16*) override { return kFileLibUnsupported; }
    TFileLibStatus SplitExtension(const u16*, u16*, u16*) override { return kFileLibUnsupported; }
    IVolumes* GetVolumes(u32* status) override { return Fail(status); }
    IVolumeSpec* GetSystemVolume(u32* status) override { return Fail(status); }
    TFileLibStatus GetVolumeInfo(IVolumeSpec*, SVolumeInfo*) override { return kFileLibUnsupported; }
    TFileLibStatus GetVolumeKind(IVolumeSpec*, u32*) override { return kFileLibUnsupported; }
    TFileLibStatus GetVolumeDetails(IVolumeSpec*, SVolumeDetails*) override { return kFileLibUnsupported; }
    IDirSpec* GetVolumeRootDirectory(IVolumeSpec*, u32* status) override { return Fail(status); }
    TFileLibStatus GetChildInfo(IDirSpec*, const u16*, SChildInfo*) override { return kFileLibUnsupported; }
    TFileLibStatus GetDirInfo(IDirSpec*, SDirInfo*) override { return kFileLibUnsupported; }
    IDirSpec* CreateDirectory(IDirSpec*, const u16*, u32* status) override { return Fail(status); }
    TFileLibStatus DeleteDirectory(IDirSpec*) override { return kFileLibUnsupported; }
    TFileLibStatus DoesChildFileExist(IDirSpec*, const u16*, u32*) override { return kFileLibUnsupported; }
    TFileLibStatus DoesChildDirectoryExist(IDirSpec*, const u16*, u32*) override
    {
        return kFileLibUnsupported;
    }
    IFileSpec* GetChildFile(IDirSpec*, const u16*, u32* status) override { return Fail(status); }
    IDirSpec* GetChildDirectory(IDirSpec*, const u16*, u32* status) override { return Fail(status); }
    IDirSpec* GetParentDirectory(IDirSpec*, u32* status) override { return Fail(status); }
    IDirScanner* CreateDirScanner(IDirSpec*, u32* status) override { return Fail(status); }
    TFileLibStatus ReplaceFile(IFileSpec*, IFileSpec*) override { return kFileLibUnsupported; }
    TFileLibStatus DeleteFile(IFileSpec*) override { return kFileLibUnsupported; }
    TFileLibStatus GetFileInfo(IFileSpec*, SFileInfo*) override { return kFileLibUnsupported; }
    TFileLibStatus SetFileInfo(IFileSpec*, const SFileInfo*) override { return kFileLibUnsupported; }
    IDirSpec* GetFileParentDirectory(IFileSpec*, u32* status) override { return Fail(status); }
    TFileLibStatus ResolvePossibleAlias(IFileSpec*, IVolumeSpec**, IDirSpec**, IFileSpec**) override
    {
        return kFileLibUnsupported;
    }
    IDirSpec* GetTempDirectory(u32* status) override { return Fail(status); }
    IDirSpec* GetDesktopDirectory(u32* status) override { return Fail(status); }
    IDirSpec* GetDocumentsDirectory(u32* status) override { return Fail(status); }
    IDirSpec* GetUserProfileDirectory(u32* status) override { return Fail(status); }
    IDirSpec* GetUserAppDataDirectory(const u16*, const u16*, u32* status) override { return Fail(status); }
    IDirSpec* GetCommonAppDataDirectory(const u16*, const u16*, u32* status) override { return Fail(status); }
    IDirSpec* GetApplicationDirectory(u16*, u32* status) override { return Fail(status); }
    TFileLibStatus ReservedStatus(void*) override { return kFileLibUnsupported; }
    void* ReservedPointer(void*) override { return nullptr; }
    IFileLibWinExtensions* GetWinExtensions() override { return nullptr; }
    IVolumeSpec* GetVolumeOfRootDirectory(IDirSpec*, u32* status) override { return Fail(status); }
    IOpenReadWriteFile* CreateTemporaryFile(IDirSpec*, u32, u32, const u16*, IFileSpec**,
                                            u32* status) override
    {
        return Fail(status);
    }
    IDirSpec* CreateTemporaryDirectory(IDirSpec*, u32* status) override { return Fail(status); }

protected:
    static std::nullptr_t Fail(u32* status)
    {
        *status = kFileLibUnsupported;
        return nullptr;
    }
};

// Specifications that count their own lifetimes; files and folders are all named "x".
template <class TSpec> class CSpecDouble : public TSpec
{
public:
    explicit CSpecDouble(int* alive = nullptr) : fAlive(alive)
    {
        if (fAlive)
            ++*fAlive;
    }
    ~CSpecDouble() override
    {
        if (fAlive)
            --*fAlive;
    }
    TSpec* Clone(u32* status) override
    {
        *status = kFileLibOK;
        return new CSpecDouble(fAlive);
    }
    TFileLibStatus IsEqual(TSpec* other, u32* result) override
    {
        *result = other == this;
        return kFileLibOK;
    }
    u32 IsValid() override { return 1; }
    // Overrides the slot of files and folders; volumes have none.
    TFileLibStatus GetName(u16* name)
    {
        name[0] = u'x';
        name[1] = 0;
        return kFileLibOK;
    }

private:
    int* fAlive;
};

using CVolumeSpecDouble = CSpecDouble<IVolumeSpec>;
using CDirSpecDouble = CSpecDouble<IDirSpec>;
using CFileSpecDouble = CSpecDouble<IFileSpec>;

class CFileLibDoubleScope
{
public:
    explicit CFileLibDoubleScope(IFileLib* library) : fSaved(NSFileLibSupport::gFileLib)
    {
        NSFileLibSupport::gFileLib = library;
    }
    ~CFileLibDoubleScope() { NSFileLibSupport::gFileLib = fSaved; }
    CFileLibDoubleScope(const CFileLibDoubleScope&) = delete;
    CFileLibDoubleScope& operator=(const CFileLibDoubleScope&) = delete;

private:
    IFileLib* fSaved;
};
} // namespace NSFileLibTests
