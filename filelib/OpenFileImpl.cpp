#include "filelib/OpenFileImpl.h"

#include "base/Quorral.h"
#include "base/Win32Calls.h"
#include "filelib/FileLibRecords.h"
#include "filelib/WinErrors.h"
#include "filelib/WinFiles.h"
#include "filelib/WinPaths.h"
#include "filelib/WinTemporaryItems.h"

#include <stdexcept>

namespace NSFileLibInternals
{
namespace
{
HANDLE OpenHandle(const TUTF16String& path, DWORD access, DWORD sharing, DWORD disposition, DWORD flags = 0)
{
    return Win32Calls().CreateFileW(NSTextPackage::AsWide(path), access, sharing, nullptr, disposition,
                                    FILE_FLAG_RANDOM_ACCESS | flags, nullptr);
}

// A temporary file is deleted by the system when its last handle closes, however the program
// ends. Other opens of it must allow its deletion; they may read it while it exists.
HANDLE OpenReadWriteHandle(const TUTF16String& path, u32 mode)
{
    const DWORD access = GENERIC_READ | GENERIC_WRITE;
    switch (mode)
    {
    case kOpenModeCreateAlways:
        return OpenHandle(path, access, 0, CREATE_ALWAYS);
    case kOpenModeTemporary:
        return OpenHandle(path, access, FILE_SHARE_READ | FILE_SHARE_DELETE, CREATE_ALWAYS,
                          FILE_FLAG_DELETE_ON_CLOSE | FILE_ATTRIBUTE_TEMPORARY);
    default:
        return OpenHandle(path, access, 0, CREATE_NEW);
    }
}

void DeleteFileQuietly(const TUTF16String& path)
{
    try
    {
        WinDeleteFile(path);
    }
    catch (...)
    {
    }
}
} // namespace

COpenReadFileImpl::COpenReadFileImpl(const TUTF16String& path)
    : fFile(OpenHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING))
{
    if (!fFile.IsOpen())
        WinThrowForLastError<NSQuorral::XNotFound>("CreateFile failed with unrecognized error type");
}

void COpenReadFileImpl::Read(i64 position, i64 count, u8* buffer) const
{
    DWORD error = 0;
    const ETransfer result = fFile.Read(u64(position), u64(count), kMaxTransferPerCall, buffer, error);
    // A read past the end of the file lands here too; the platform's error is not examined.
    if (result != ETransfer::kDone)
        WinThrow<NSQuorral::XRead>("ReadFile failed");
}

u64 COpenReadFileImpl::GetSize() const
{
    return WinGetFileSize(fFile.Get());
}

void COpenReadFileImpl::Close()
{
    fFile.Close();
}

COpenReadWriteFileImpl::COpenReadWriteFileImpl(const TUTF16String& path, u32 mode)
    : fFile(OpenReadWriteHandle(path, mode))
{
    if (!fFile.IsOpen())
        WinThrowForLastError<NSQuorral::XCreate>("CreateFile failed with unrecognized error type");
}

void COpenReadWriteFileImpl::Read(i64 position, i64 count, u8* buffer) const
{
    // Position and count are not negative (the glue refused them), so neither the comparison
    // nor the subtraction can overflow.
    const u64 size = GetSize();
    if (u64(position) > size || u64(count) > size - u64(position))
    {
        NSQuorral::Throw(std::range_error("COpenReadWriteFileImpl::Read start pos beyond file end"),
                         NSQuorral::GetFileHandleObjectType());
    }
    DWORD error = 0;
    const ETransfer result = fFile.Read(u64(position), u64(count), kMaxTransferPerCall, buffer, error);
    if (result == ETransfer::kFailed)
        WinThrowForError<NSQuorral::XRead>(error, "ReadFile failed with unrecognized error type");
    if (result == ETransfer::kShort)
        WinThrow<NSQuorral::XRead>("ReadFile failed with unrecognized error type");
}

void COpenReadWriteFileImpl::Write(i64 position, i64 count, const u8* buffer) const
{
    DWORD error = 0;
    const ETransfer result = fFile.Write(u64(position), u64(count), kMaxTransferPerCall, buffer, error);
    if (result == ETransfer::kFailed)
        WinThrowForError<NSQuorral::XWrite>(error, "WriteFile failed with unrecognized error type");
    if (result == ETransfer::kShort)
        WinThrow<NSQuorral::XWrite>("WriteFile failed with unrecognized error type");
}

u64 COpenReadWriteFileImpl::GetSize() const
{
    return WinGetFileSize(fFile.Get());
}

void COpenReadWriteFileImpl::Close()
{
    fFile.Close();
}

CSafeOpenReadWriteFileImpl::CSafeOpenReadWriteFileImpl(const TUTF16String& targetPath) : fTargetPath(targetPath)
{
    if (!WinIsValidPath(fTargetPath))
        WinThrow<NSQuorral::XCreate>("WinIsValidPath failed");
    if (!WinDoesFileExist(fTargetPath))
    {
        fOpenFile = std::make_unique<COpenReadWriteFileImpl>(fTargetPath, kOpenModeCreateNew);
        return;
    }
    if (WinGetFileInfo(fTargetPath).isLocked != 0)
        WinThrow<NSQuorral::XLocked>("file is read only");

    TUTF16String folder, name, base, extension;
    WinSplitPath(fTargetPath, folder, name);
    WinSplitExtension(name, base, extension);
    fTempPath = folder + WinCreateUniqueFile(folder, extension);
    try
    {
        fOpenFile = std::make_unique<COpenReadWriteFileImpl>(fTempPath, kOpenModeCreateAlways);
    }
    catch (...)
    {
        DeleteFileQuietly(fTempPath);
        throw;
    }
    fUsesTemp = true;
}

CSafeOpenReadWriteFileImpl::~CSafeOpenReadWriteFileImpl()
{
    if (!fOpenFile)
        return;
    fOpenFile.reset();
    DeleteFileQuietly(fUsesTemp ? fTempPath : fTargetPath);
}

void CSafeOpenReadWriteFileImpl::Commit()
{
    if (!fOpenFile)
        WinThrow<NSQuorral::XIllegalCallSequence>("CSafeOpenReadWriteFileImpl::Commit after Commit");
    fOpenFile.reset();
    // ReplaceFileW would keep the old target's creation time and attributes too, but where it
    // fails halfway it leaves the target under another name or a backup file behind.
    if (fUsesTemp)
        WinPutFileInPlace(fTempPath, fTargetPath);
}

} // namespace NSFileLibInternals
