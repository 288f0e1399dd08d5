#pragma once
// The file library's interfaces: files, folders and volumes named by small specification
// objects, open files with positional readers and writers, folder scanners and volume lists.
//
// The interfaces are a status-code boundary: every operation answers a TFileLibStatus, either
// as its result or, when it returns an object, through a status out-parameter; apart from
// SetDebugger no exception leaves an operation. Objects an operation returns are new and belong
// to the caller, who destroys them through their virtual destructor; the byte reader and writer
// of an open file, the volumes of an IVolumes list and IFileLibWinExtensions are parts of their
// owners and are never destroyed by the caller.
//
// Texts are zero-terminated UTF-16; a name or path buffer that an operation fills holds 1024
// units unless a comment says otherwise (at most 1023 units and the zero are written). URLs are
// zero-terminated UTF-8 in buffers of kFileLibURLBufferBytes. Times are Windows file times.
//
// <windows.h> defines CreateFile, CreateDirectory, DeleteFile and ReplaceFile as macros for
// their W forms, which would rename the slots below in some translation units and not in
// others. This header removes those macros; code that includes it calls the W forms by name.
#include "base/FileLibStatus.h"
#include "base/Types.h"
#include "filelib/FileLibRecords.h"

#include <windows.h>
#undef CreateFile
#undef CreateDirectory
#undef DeleteFile
#undef ReplaceFile
#undef GetUserProfileDirectory

namespace NSFileLib
{
// Written into a result out-parameter before the work starts, so that a caller who reads it
// after a failure sees that nothing was answered.
constexpr u32 kFileLibResultNotSet = 666;

constexpr u32 kFileLibNameBufferUnits = 1024;
// Windows paths are at most 260 units; a path buffer holds them and the terminating zero.
constexpr u32 kFileLibMaxPathUnits = 260;
constexpr u32 kFileLibPathBufferUnits = kFileLibMaxPathUnits + 1;
// "file://" and the UTF-8 form of a 260-unit path (at most 3 bytes per unit) and a zero fit.
constexpr u32 kFileLibURLBufferBytes = 1024;

class IVolumeSpec
{
public:
    virtual ~IVolumeSpec() = default;
    virtual IVolumeSpec* Clone(u32* status) = 0;
    virtual TFileLibStatus IsEqual(IVolumeSpec* other, u32* result) = 0;
    virtual u32 IsValid() = 0;
};

class IDirSpec
{
public:
    virtual ~IDirSpec() = default;
    // The folder's name without "\"; empty for a volume root.
    virtual TFileLibStatus GetName(u16* name) = 0;
    virtual IDirSpec* Clone(u32* status) = 0;
    virtual TFileLibStatus IsEqual(IDirSpec* other, u32* result) = 0;
    virtual u32 IsValid() = 0;
};

class IFileSpec
{
public:
    virtual ~IFileSpec() = default;
    // The file name with its extension.
    virtual TFileLibStatus GetName(u16* name) = 0;
    virtual IFileSpec* Clone(u32* status) = 0;
    virtual TFileLibStatus IsEqual(IFileSpec* other, u32* result) = 0;
    virtual u32 IsValid() = 0;
};

// Part of its open file; never destroyed by the caller.
class IByteReader
{
public:
    // Reads exactly count bytes starting at position; a read that cannot deliver them all fails.
    virtual TFileLibStatus Read(i64 position, i64 count, u8* buffer) = 0;

protected:
    ~IByteReader() = default;
};

// Part of its open file; never destroyed by the caller.
class IByteWriter
{
public:
    // Writes count bytes at position, growing the file when needed.
    virtual TFileLibStatus Write(i64 position, i64 count, const u8* buffer) = 0;
    virtual TFileLibStatus GetSize(u64* size) = 0;

protected:
    ~IByteWriter() = default;
};

class IOpenReadFile
{
public:
    virtual ~IOpenReadFile() = default; // closes the file
    virtual IByteReader* GetByteReader() = 0;
    virtual TFileLibStatus GetSize(u64* size) = 0;
    virtual u32 IsValid() = 0;
};

class IOpenReadWriteFile
{
public:
    virtual ~IOpenReadWriteFile() = default; // closes the file
    virtual IByteReader* GetByteReader() = 0;
    virtual IByteWriter* GetByteWriter() = 0;
    virtual u32 IsValid() = 0;
};

// A write that replaces its target only on Commit. Destroying it without Commit discards what
// was written and leaves the target as it was. After Commit only the destructor may be called.
class ISafeOpenReadWriteFile
{
public:
    virtual ~ISafeOpenReadWriteFile() = default;
    virtual IByteReader* GetByteReader() = 0;
    virtual IByteWriter* GetByteWriter() = 0;
    virtual TFileLibStatus Commit() = 0;
    virtual u32 IsValid() = 0;
};

// Positioned on the first entry of its folder; "." and ".." never appear. A folder that cannot
// be listed gives a scanner that is done from the start; one whose listing breaks off with an
// error answers that error's status from Next (or from CreateDirScanner) and is done.
class IDirScanner
{
public:
    virtual ~IDirScanner() = default;
    virtual bool IsDone() = 0;
    // kFileLibIllegalCallSequence once done. isAlias of a file entry is always 0 here.
    virtual TFileLibStatus GetCurrent(u16* name, SChildInfo* info) = 0;
    virtual TFileLibStatus Next() = 0;
    virtual u32 IsValid() = 0;
};

class IVolumes
{
public:
    virtual ~IVolumes() = default; // destroys the list and its volumes
    virtual u32 GetCount() = 0;
    // Owned by the list; index must be below GetCount and is not tested.
    virtual IVolumeSpec* GetVolume(u32 index) = 0;
    virtual u32 IsValid() = 0;
};

// Conversions between specifications and Windows paths, and shortcuts. Part of the library.
class IFileLibWinExtensions
{
public:
    virtual IVolumeSpec* CreateVolumeSpec(const u16* path, u32* status) = 0;
    // The path getters write at most 260 units and a zero, check nothing and report nothing.
    virtual void GetVolumePath(IVolumeSpec* volume, u16* path) = 0;
    virtual IDirSpec* CreateDirSpec(const u16* path, u32* status) = 0;
    virtual void GetDirPath(IDirSpec* folder, u16* path) = 0;
    virtual IFileSpec* CreateFileSpec(const u16* path, u32* status) = 0;
    // CreateFileSpec for a path whose folder part is already in long form, as a folder listed in
    // long form names its children: only the file's own name is looked up for its long form.
    virtual IFileSpec* CreateFileSpecInLongFolder(const u16* path, u32* status) = 0;
    // CreateFileSpec for a file known to exist under a path already in long form throughout, as a
    // listing of a folder in long form names the files it found: the path is only checked, nothing
    // is looked up on disk.
    virtual IFileSpec* CreateFileSpecOfLongPath(const u16* path, u32* status) = 0;
    virtual void GetFilePath(IFileSpec* file, u16* path) = 0;
    // A new shortcut "<name>.lnk" to source in folder, described by name.
    virtual IFileSpec* CreateAlias(IFileSpec* source, IDirSpec* folder, const u16* name, u32* status) = 0;

protected:
    ~IFileLibWinExtensions() = default;
};

// The library. Operations that return an object write their status to the last argument; a
// failure always comes with a null result. The creator and fileType codes are accepted and
// ignored.
class IFileLib
{
public:
    virtual ~IFileLib() = default;
    virtual u32 IsValid() = 0;
    // Always throws std::logic_error.
    virtual void SetDebugger(void* debugger) = 0;
    // The folder that a "file://" URL names; its last component goes to fileName.
    virtual IDirSpec* InterpretURL(const char* url, u16* fileName, u32* status) = 0;
    virtual TFileLibStatus GetFileURL(IFileSpec* file, char* url) = 0;
    virtual TFileLibStatus GetDirURL(IDirSpec* folder, char* url) = 0;
    // extensionList holds ";"-separated extensions with their dots, such as ".lnk;.pif".
    virtual TFileLibStatus DoesFileHaveExtension(const u16* extensionList, IFileSpec* file, u32* result) = 0;
    virtual TFileLibStatus DoesNameHaveExtension(const u16* extensionList, const void* ignored, const u16* name,
                                                 u32* result) = 0;
    virtual IOpenReadFile* OpenReadFile(IFileSpec* file, u32* status) = 0;
    // Creates the file or empties an existing one.
    virtual IOpenReadWriteFile* CreateFile(IDirSpec* folder, const u16* name, u32 creator, u32 fileType,
                                           u32* status) = 0;
    virtual ISafeOpenReadWriteFile* SafeCreateFile(IDirSpec* folder, const u16* name, u32 creator, u32 fileType,
                                                   u32* status) = 0;
    // Completes a volume root with its final "\" in place.
    virtual TFileLibStatus ValidateVolumePath(u16* path) = 0;
    virtual TFileLibStatus MakeValidFileName(u16* name) = 0;
    virtual TFileLibStatus MakeValidDirName(u16* name) = 0;
    virtual TFileLibStatus SplitExtension(const u16* name, u16* base, u16* extension) = 0;
    virtual IVolumes* GetVolumes(u32* status) = 0;
    virtual IVolumeSpec* GetSystemVolume(u32* status) = 0;
    virtual TFileLibStatus GetVolumeInfo(IVolumeSpec* volume, SVolumeInfo* info) = 0;
    virtual TFileLibStatus GetVolumeKind(IVolumeSpec* volume, u32* kind) = 0;
    virtual TFileLibStatus GetVolumeDetails(IVolumeSpec* volume, SVolumeDetails* details) = 0;
    virtual IDirSpec* GetVolumeRootDirectory(IVolumeSpec* volume, u32* status) = 0;
    // kFileLibNotFound, info untouched, when the folder has no child of that name.
    virtual TFileLibStatus GetChildInfo(IDirSpec* folder, const u16* name, SChildInfo* info) = 0;
    virtual TFileLibStatus GetDirInfo(IDirSpec* folder, SDirInfo* info) = 0;
    virtual IDirSpec* CreateDirectory(IDirSpec* parent, const u16* name, u32* status) = 0;
    // Removes an empty folder only.
    virtual TFileLibStatus DeleteDirectory(IDirSpec* folder) = 0;
    virtual TFileLibStatus DoesChildFileExist(IDirSpec* folder, const u16* name, u32* result) = 0;
    virtual TFileLibStatus DoesChildDirectoryExist(IDirSpec* folder, const u16* name, u32* result) = 0;
    virtual IFileSpec* GetChildFile(IDirSpec* folder, const u16* name, u32* status) = 0;
    // "." is the folder itself and ".." its parent.
    virtual IDirSpec* GetChildDirectory(IDirSpec* folder, const u16* name, u32* status) = 0;
    // A volume root has no parent: null and kFileLibNotFound.
    virtual IDirSpec* GetParentDirectory(IDirSpec* folder, u32* status) = 0;
    virtual IDirScanner* CreateDirScanner(IDirSpec* folder, u32* status) = 0;
    // The two files change places; the first keeps its creation time.
    virtual TFileLibStatus ReplaceFile(IFileSpec* first, IFileSpec* second) = 0;
    virtual TFileLibStatus DeleteFile(IFileSpec* file) = 0;
    virtual TFileLibStatus GetFileInfo(IFileSpec* file, SFileInfo* info) = 0;
    // Applies isHidden and the two times only.
    virtual TFileLibStatus SetFileInfo(IFileSpec* file, const SFileInfo* info) = 0;
    virtual IDirSpec* GetFileParentDirectory(IFileSpec* file, u32* status) = 0;
    // For a shortcut exactly one output is set; a file that is no shortcut fails.
    virtual TFileLibStatus ResolvePossibleAlias(IFileSpec* file, IVolumeSpec** volume, IDirSpec** folder,
                                                IFileSpec** target) = 0;
    virtual IDirSpec* GetTempDirectory(u32* status) = 0;
    virtual IDirSpec* GetDesktopDirectory(u32* status) = 0;
    virtual IDirSpec* GetDocumentsDirectory(u32* status) = 0;
    virtual IDirSpec* GetUserProfileDirectory(u32* status) = 0;
    // The company\product folder under the per-user application data, made when missing.
    virtual IDirSpec* GetUserAppDataDirectory(const u16* company, const u16* product, u32* status) = 0;
    virtual IDirSpec* GetCommonAppDataDirectory(const u16* company, const u16* product, u32* status) = 0;
    // The running program's folder; its file name goes to fileName.
    virtual IDirSpec* GetApplicationDirectory(u16* fileName, u32* status) = 0;
    virtual TFileLibStatus ReservedStatus(void* unused) = 0;
    virtual void* ReservedPointer(void* unused) = 0;
    virtual IFileLibWinExtensions* GetWinExtensions() = 0;
    // Fails with kFileLibBadArgument for a folder that has a parent.
    virtual IVolumeSpec* GetVolumeOfRootDirectory(IDirSpec* root, u32* status) = 0;
    // A new uniquely named file in folder ending in extension, open for reading and writing;
    // file receives its specification. The system deletes the file when it is closed, also when
    // the program is killed. On failure both results are null.
    virtual IOpenReadWriteFile* CreateTemporaryFile(IDirSpec* folder, u32 creator, u32 fileType,
                                                    const u16* extension, IFileSpec** file, u32* status) = 0;
    virtual IDirSpec* CreateTemporaryDirectory(IDirSpec* parent, u32* status) = 0;
};

} // namespace NSFileLib

// The library's factory: the one IFileLib of the process, made for interfaceName "IFileLib".
NSFileLib::IFileLib* FileLib_Create(const char* interfaceName, u32* status);
