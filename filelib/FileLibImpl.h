#pragma once
// The Windows backend behind every operation of IFileLib and IFileLibWinExtensions. It works on
// Windows paths only (the glue takes them out of the specification objects and wraps the paths
// it gets back) and reports every failure by throwing an exception of the error framework.
//
// Every path handed out comes from one of the three path makers, so each specification object
// holds a path that passed the syntax check and is at most 260 units long. Members keep nothing
// between calls: every call asks the file system afresh.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/FileLib.h"

#include <memory>
#include <string>
#include <vector>

namespace NSFileLibInternals
{
using NSTextPackage::TUTF16String;

class COpenReadFileImpl;
class COpenReadWriteFileImpl;
class CSafeOpenReadWriteFileImpl;

// Which output of ResolvePossibleAlias the shortcut's target went to.
enum class EAliasTarget
{
    kVolume,
    kDirectory,
    kFile,
};

class CFileLibImpl
{
public:
    // Initialises COM for the calling thread; the destructor uninitialises it.
    CFileLibImpl();
    ~CFileLibImpl();
    CFileLibImpl(const CFileLibImpl&) = delete;
    CFileLibImpl& operator=(const CFileLibImpl&) = delete;

    // The path with "\\" appended unless it is empty or ends in one.
    static TUTF16String WithFinalBackslash(TUTF16String path);
    // The path makers: a completed, syntax-checked path in long form, or a throw.
    static TUTF16String MakeVolumePath(TUTF16String path);
    static TUTF16String MakeDirPath(TUTF16String path);
    static TUTF16String MakeFilePath(const TUTF16String& path);
    // MakeFilePath for a path whose folder part is already in long form.
    static TUTF16String MakeFilePathInLongFolder(const TUTF16String& path);
    // MakeFilePath for a file known to exist under a path already in long form throughout.
    static TUTF16String MakeFilePathOfLongPath(const TUTF16String& path);

    // Names.
    static TUTF16String GetDirName(const TUTF16String& folder);
    static TUTF16String GetFileName(const TUTF16String& file);
    bool DoesFileHaveExtension(const TUTF16String& extensionList, const TUTF16String& file) const;
    bool DoesNameHaveExtension(const TUTF16String& extensionList, const TUTF16String& name) const;
    TUTF16String MakeValidFileName(const TUTF16String& name) const;
    void SplitExtension(const TUTF16String& name, TUTF16String& base, TUTF16String& extension) const;

    // Children of a folder. The bool members answer whether the child was found.
    bool GetChildInfo(const TUTF16String& folder, const TUTF16String& name, NSFileLib::SChildInfo& info) const;
    bool DoesChildFileExist(const TUTF16String& folder, const TUTF16String& name) const;
    bool DoesChildDirectoryExist(const TUTF16String& folder, const TUTF16String& name) const;
    bool GetChildFile(const TUTF16String& folder, const TUTF16String& name, TUTF16String& file) const;
    bool GetChildDirectory(const TUTF16String& folder, const TUTF16String& name, TUTF16String& child) const;

    // Folders.
    NSFileLib::SDirInfo GetDirInfo(const TUTF16String& folder) const;
    TUTF16String CreateDirectory(const TUTF16String& parent, const TUTF16String& name) const;
    void DeleteDirectory(const TUTF16String& folder) const;
    bool GetParentDirectory(const TUTF16String& folder, TUTF16String& parent) const;

    // Files.
    void ReplaceFile(const TUTF16String& first, const TUTF16String& second) const;
    void DeleteFile(const TUTF16String& file) const;
    NSFileLib::SFileInfo GetFileInfo(const TUTF16String& file) const;
    void SetFileInfo(const TUTF16String& file, const NSFileLib::SFileInfo& info) const;
    TUTF16String GetFileParentDirectory(const TUTF16String& file) const;
    TUTF16String WinExtensions_CreateDirSpec(const TUTF16String& path) const;

    // Open files.
    std::unique_ptr<COpenReadFileImpl> OpenReadFile(const TUTF16String& file) const;
    std::unique_ptr<COpenReadWriteFileImpl> CreateFile(const TUTF16String& folder, const TUTF16String& name) const;
    std::unique_ptr<CSafeOpenReadWriteFileImpl> SafeCreateFile(const TUTF16String& folder,
                                                               const TUTF16String& name) const;

    // Volumes.
    std::vector<TUTF16String> GetVolumes() const;
    TUTF16String GetSystemVolume() const;
    NSFileLib::SVolumeInfo GetVolumeInfo(const TUTF16String& volume) const;
    u32 GetVolumeKind(const TUTF16String& volume) const;
    NSFileLib::SVolumeDetails GetVolumeDetails(const TUTF16String& volume) const;
    TUTF16String GetVolumeRootDirectory(const TUTF16String& volume) const;
    TUTF16String ValidateVolumePath(TUTF16String path) const;
    bool GetVolumeOfRootDirectory(const TUTF16String& folder, TUTF16String& volume) const;

    // Shortcuts and URLs.
    TUTF16String CreateAlias(const TUTF16String& source, const TUTF16String& folder, const TUTF16String& name) const;
    EAliasTarget ResolvePossibleAlias(const TUTF16String& file, TUTF16String& target) const;
    // The folder of a "file://" URL; the URL's last component is written to fileName (1024 units)
    // before the folder is checked.
    TUTF16String InterpretURL(const char* url, u16* fileName) const;
    std::string GetURL(const TUTF16String& path) const;

    // Standard folders and temporary items.
    TUTF16String GetTempDirectory() const;
    TUTF16String GetDesktopDirectory() const;
    TUTF16String GetDocumentsDirectory() const;
    TUTF16String GetUserProfileDirectory() const;
    TUTF16String GetUserAppDataDirectory(const TUTF16String& company, const TUTF16String& product) const;
    TUTF16String GetCommonAppDataDirectory(const TUTF16String& company, const TUTF16String& product) const;
    // The program's folder; its file name is written to fileName (1024 units).
    TUTF16String GetApplicationDirectory(u16* fileName) const;
    std::unique_ptr<COpenReadWriteFileImpl> CreateTemporaryFile(const TUTF16String& folder,
                                                                const TUTF16String& extension,
                                                                TUTF16String& file) const;
    TUTF16String CreateTemporaryDirectory(const TUTF16String& parent) const;
};

} // namespace NSFileLibInternals
