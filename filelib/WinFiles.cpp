#include "filelib/WinFiles.h"

#include "base/Win32Calls.h"
#include "filelib/WinErrorMode.h"
#include "filelib/WinErrors.h"
#include "base/WinHandles.h"
#include "filelib/WinPaths.h"
#include "filelib/WinTemporaryItems.h"

using NSTextPackage::AsWide;
using NSTextPackage::TUTF16String;

namespace
{
// The attributes of whatever exists at the path, asked without a system dialog for an empty
// drive; INVALID_FILE_ATTRIBUTES when nothing does.
DWORD ProbeAttributes(const TUTF16String& path)
{
    CFailCriticalErrorsScope errorMode;
    return Win32Calls().GetFileAttributesW(AsWide(path));
}

bool IsExistingDirectory(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

u64 FileTimeValue(const FILETIME& time)
{
    return (u64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FileTimeFromValue(u64 value)
{
    return FILETIME{DWORD(value), DWORD(value >> 32)};
}

// The fields that file and folder records share, read from a search entry; the others are 0.
template <class TInfo> TInfo FlagsAndTimes(const WIN32_FIND_DATAW& entry)
{
    TInfo info = {};
    info.isHidden = (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) ? 1 : 0;
    info.isLocked = (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
    info.creationTime = FileTimeValue(entry.ftCreationTime);
    info.modificationTime = FileTimeValue(entry.ftLastWriteTime);
    return info;
}

// The one entry FindFirstFileW gives for the path; the search is closed before it returns.
WIN32_FIND_DATAW FindEntry(const TUTF16String& path)
{
    WIN32_FIND_DATAW entry;
    CWinFindHandle search(Win32Calls().FindFirstFileW(AsWide(path), &entry));
    if (!search.IsOpen())
        WinThrow<NSQuorral::XNotFound>("WinGetFileInfo FindFirstFile failed");
    return entry;
}

HANDLE OpenExisting(const TUTF16String& path, DWORD access, DWORD sharing, DWORD flags)
{
    const HANDLE handle =
        Win32Calls().CreateFileW(AsWide(path), access, sharing, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        WinThrowForLastError<NSQuorral::XNotFound>("CreateFile failed with unrecognized error type");
    return handle;
}

// The second file takes the first file's creation time, so that after the exchange the first
// path keeps its creation time.
void GiveCreationTime(const TUTF16String& fromPath, const TUTF16String& toPath)
{
    FILETIME creationTime;
    {
        CWinFileHandle from(OpenExisting(fromPath, GENERIC_READ, FILE_SHARE_READ, FILE_FLAG_RANDOM_ACCESS));
        if (!Win32Calls().GetFileTime(from.Get(), &creationTime, nullptr, nullptr))
            WinThrowForLastError<NSQuorral::XNotFound>("GetFileTime failed with unrecognized error type");
    }
    CWinFileHandle to(
        OpenExisting(toPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, FILE_FLAG_RANDOM_ACCESS));
    if (!Win32Calls().SetFileTime(to.Get(), &creationTime, nullptr, nullptr))
        WinThrowForLastError<NSQuorral::XNotFound>("SetFileTime failed with unrecognized error type");
}

void Move(const TUTF16String& from, const TUTF16String& to, DWORD flags)
{
    if (!Win32Calls().MoveFileExW(AsWide(from), AsWide(to), flags))
        WinThrowForLastError<NSQuorral::XNotFound>("MoveFileEx() failed with unrecognized error type");
}

// The file's data as the system still holds it in its cache is written to the disk.
void FlushToDisk(const TUTF16String& path)
{
    CWinFileHandle file(OpenExisting(path, GENERIC_WRITE, FILE_SHARE_READ, 0));
    if (!Win32Calls().FlushFileBuffers(file.Get()))
        WinThrowForLastError<NSQuorral::XWrite>("FlushFileBuffers failed with unrecognized error type");
}

// Gives the file at to the attributes and creation time of the file at from, as far as the
// platform lets it; read-only is not carried over, so that the file at to stays deletable.
void CarryOverIdentity(const TUTF16String& from, const TUTF16String& to)
{
    const DWORD attributes = Win32Calls().GetFileAttributesW(AsWide(from));
    if (attributes != INVALID_FILE_ATTRIBUTES)
        Win32Calls().SetFileAttributesW(AsWide(to), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
    FILETIME created = {};
    {
        const CWinFileHandle source(Win32Calls().CreateFileW(AsWide(from), GENERIC_READ,
                                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                             nullptr, OPEN_EXISTING, 0, nullptr));
        if (!source.IsOpen() || !Win32Calls().GetFileTime(source.Get(), &created, nullptr, nullptr))
            return;
    }
    const CWinFileHandle target(
        Win32Calls().CreateFileW(AsWide(to), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (target.IsOpen())
        Win32Calls().SetFileTime(target.Get(), &created, nullptr, nullptr);
}

// How far an exchange has come; each state names what an undo has to put back.
enum class EExchangeState
{
    kNothingMoved,  // the temporary file is still the empty one we made
    kFirstAtTemp,   // the first file sits at the temporary path
    kSecondAtFirst, // and the second file at the first path
};

// Puts both files back where they were and removes the temporary file. A move that fails here
// raises its own exception and stops the undoing: the data then stays where it is, never lost.
void UndoExchange(EExchangeState state, const TUTF16String& firstPath, const TUTF16String& secondPath,
                  const TUTF16String& tempPath)
{
    switch (state)
    {
    case EExchangeState::kNothingMoved:
        Win32Calls().DeleteFileW(AsWide(tempPath));
        return;
    case EExchangeState::kSecondAtFirst:
        Move(firstPath, secondPath, MOVEFILE_WRITE_THROUGH);
        [[fallthrough]];
    case EExchangeState::kFirstAtTemp:
        Move(tempPath, firstPath, MOVEFILE_WRITE_THROUGH);
        return;
    }
}
} // namespace

bool WinDoesFileExist(const TUTF16String& path)
{
    const DWORD attributes = ProbeAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool WinDoesDirectoryExist(const TUTF16String& path)
{
    TUTF16String asked = path;
    if (!asked.empty() && asked.back() == u'\\')
        asked.pop_back();
    return IsExistingDirectory(ProbeAttributes(asked));
}

bool WinIsPlainFile(const TUTF16String& path)
{
    const DWORD attributes = ProbeAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    return !WinIsValidVolumePath(path);
}

bool WinIsDirectory(const TUTF16String& path)
{
    return IsExistingDirectory(ProbeAttributes(path));
}

NSFileLib::SFileInfo WinGetFileInfo(const TUTF16String& filePath)
{
    const WIN32_FIND_DATAW entry = FindEntry(filePath);
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        WinThrow<NSQuorral::XRead>("");
    NSFileLib::SFileInfo info = WinFileInfoFromFindData(entry);
    info.isAlias = WinIsAliasFile(filePath) ? 1 : 0;
    return info;
}

NSFileLib::SDirInfo WinGetDirInfo(const TUTF16String& folderPath)
{
    TUTF16String asked = folderPath;
    if (!asked.empty() && asked.back() == u'\\')
        asked.pop_back();
    const WIN32_FIND_DATAW entry = FindEntry(asked);
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        WinThrow<NSQuorral::XRead>("");
    return WinDirInfoFromFindData(entry);
}

NSFileLib::SFileInfo WinFileInfoFromFindData(const WIN32_FIND_DATAW& entry)
{
    NSFileLib::SFileInfo info = FlagsAndTimes<NSFileLib::SFileInfo>(entry);
    info.size = (u64(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    return info;
}

NSFileLib::SDirInfo WinDirInfoFromFindData(const WIN32_FIND_DATAW& entry)
{
    return FlagsAndTimes<NSFileLib::SDirInfo>(entry);
}

void WinSetFileInfo(const TUTF16String& filePath, const NSFileLib::SFileInfo& info)
{
    const DWORD attributes = Win32Calls().GetFileAttributesW(AsWide(filePath));
    if (attributes == INVALID_FILE_ATTRIBUTES)
        WinThrowForLastError<NSQuorral::XNotFound>("GetFileAttributes failed with unrecognized error type");
    const DWORD changed =
        info.isHidden ? (attributes | FILE_ATTRIBUTE_HIDDEN) : (attributes & ~DWORD(FILE_ATTRIBUTE_HIDDEN));
    if (!Win32Calls().SetFileAttributesW(AsWide(filePath), changed))
        WinThrowForLastError<NSQuorral::XWrite>("SetFileAttributes failed with unrecognized error type");
    // Setting times needs only the right to write attributes, which a read-only file grants.
    CWinFileHandle file(OpenExisting(filePath, FILE_WRITE_ATTRIBUTES, 0, 0));
    const FILETIME creationTime = FileTimeFromValue(info.creationTime);
    const FILETIME modificationTime = FileTimeFromValue(info.modificationTime);
    if (!Win32Calls().SetFileTime(file.Get(), &creationTime, nullptr, &modificationTime))
        WinThrowForLastError<NSQuorral::XNotFound>("SetFileTime failed with unrecognized error type");
}

void WinPutFileInPlace(const TUTF16String& newPath, const TUTF16String& targetPath)
{
    try
    {
        FlushToDisk(newPath);
        CarryOverIdentity(targetPath, newPath);
        if (!Win32Calls().MoveFileExW(AsWide(newPath), AsWide(targetPath),
                                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            WinThrowForLastError<NSQuorral::XWrite>("MoveFileEx() failed with unrecognized error type");
    }
    catch (...)
    {
        Win32Calls().DeleteFileW(AsWide(newPath));
        throw;
    }
}

void WinDeleteFile(const TUTF16String& filePath)
{
    if (!Win32Calls().DeleteFileW(AsWide(filePath)))
        WinThrowForLastError<NSQuorral::XNotFound>("DeleteFile failed with unrecognized error type");
}

void WinReplaceFile(const TUTF16String& firstPath, const TUTF16String& secondPath)
{
    TUTF16String folder;
    TUTF16String name;
    TUTF16String base;
    TUTF16String extension;
    WinSplitPath(firstPath, folder, name);
    WinSplitExtension(name, base, extension);
    const TUTF16String tempPath = folder + WinCreateUniqueFile(folder, extension);

    EExchangeState state = EExchangeState::kNothingMoved;
    try
    {
        GiveCreationTime(firstPath, secondPath);
        // The temporary file exists (empty), so the first move replaces it.
        Move(firstPath, tempPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        state = EExchangeState::kFirstAtTemp;
        Move(secondPath, firstPath, MOVEFILE_WRITE_THROUGH);
        state = EExchangeState::kSecondAtFirst;
        Move(tempPath, secondPath, MOVEFILE_WRITE_THROUGH);
    }
    catch (...)
    {
        UndoExchange(state, firstPath, secondPath, tempPath);
        throw;
    }
}

u64 WinGetFileSize(HANDLE file)
{
    // A low half of 0xFFFFFFFF is a real size unless the call sets an error, so clear it first.
    ::SetLastError(NO_ERROR);
    DWORD high = 0;
    const DWORD low = Win32Calls().GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE)
    {
        const DWORD error = ::GetLastError();
        if (error != NO_ERROR)
            WinThrowForError<NSQuorral::XRead>(error, "GetFileSize failed with unrecognized error type");
    }
    return (u64(high) << 32) | low;
}
