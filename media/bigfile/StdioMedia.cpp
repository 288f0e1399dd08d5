#include "media/bigfile/StdioMedia.h"

#include "base/PieceWiseTransfer.h"
#include "base/Throw.h"
#include "media/bigfile/BigFileFailures.h"

namespace NSBigFilePackage
{
namespace
{
constexpr DWORD kContainerAccess = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD kContainerSharing = FILE_SHARE_READ;
constexpr DWORD kContainerFlags = FILE_FLAG_WRITE_THROUGH | FILE_FLAG_RANDOM_ACCESS;
// Pieces that fit the calls' 32-bit counts, moved from the file pointer on.
constexpr u64 kLargestPiece = 0x80000000;

[[noreturn]] void ThrowWriteFailure()
{
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_DISK_FULL || error == ERROR_DISK_FULL)
        NSQuorral::Throw<NSQuorral::XOutOfSpace>("", NSQuorral::GetDiskObjectType());
    ThrowForFile<NSQuorral::XWrite>();
}
} // namespace

CStdioMedia::CStdioMedia(const NSTextPackage::TUTF16String& path) : fPath(path)
{
}

CStdioMedia::~CStdioMedia()
{
    Close();
}

bool CStdioMedia::Exists()
{
    // The attributes answer even while another process holds the file open for writing, which
    // an open for reading would not.
    return Win32Calls().GetFileAttributesW(NSTextPackage::AsWide(fPath)) != INVALID_FILE_ATTRIBUTES;
}

bool CStdioMedia::OpenLocked(DWORD disposition)
{
    fFile.emplace(Win32Calls().CreateFileW(NSTextPackage::AsWide(fPath), kContainerAccess, kContainerSharing,
                                           nullptr, disposition, kContainerFlags, nullptr));
    if (!fFile->IsOpen())
    {
        fFile.reset();
        return false;
    }
    if (!Win32Calls().LockFile(fFile->Get(), 0, 0, 1, 0))
    {
        fFile.reset();
        return false;
    }
    fFirstByteLocked = true;
    return true;
}

void CStdioMedia::Create()
{
    if (Exists() || !OpenLocked(CREATE_NEW))
        ThrowForFile<NSQuorral::XCreate>();
}

bool CStdioMedia::IsEmpty()
{
    if (fFile)
        return GetSize() == 0;
    CWinFileHandle file(Win32Calls().CreateFileW(NSTextPackage::AsWide(fPath), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size;
    return file.IsOpen() && Win32Calls().GetFileSizeEx(file.Get(), &size) && size.QuadPart == 0;
}

void CStdioMedia::Open()
{
    if (fFile)
        ThrowForFile<NSQuorral::XOpen>();
    if (!OpenLocked(OPEN_EXISTING))
        ThrowForFile<NSQuorral::XOpen>();
}

void CStdioMedia::Close()
{
    if (!fFile)
        return;
    Win32Calls().FlushFileBuffers(fFile->Get());
    if (fFirstByteLocked)
    {
        Win32Calls().UnlockFile(fFile->Get(), 0, 0, 1, 0);
        fFirstByteLocked = false;
    }
    fFile.reset();
}

bool CStdioMedia::IsReadOnly()
{
    return false;
}

u64 CStdioMedia::GetSize()
{
    LARGE_INTEGER size;
    if (!fFile || !Win32Calls().GetFileSizeEx(fFile->Get(), &size))
        ThrowForFile<std::range_error>();
    return u64(size.QuadPart);
}

void CStdioMedia::MoveFilePointer(u64 offset)
{
    LARGE_INTEGER wanted;
    wanted.QuadPart = LONGLONG(offset);
    LARGE_INTEGER reached;
    if (!fFile || !Win32Calls().SetFilePointerEx(fFile->Get(), wanted, &reached, FILE_BEGIN) ||
        reached.QuadPart != wanted.QuadPart)
        ThrowForFile<std::range_error>();
}

void CStdioMedia::Read(u64 offset, i64 size, u8* destination)
{
    const HANDLE file = PrepareTransfer(offset, size);
    const ETransfer read = TransferInPieces(u64(size), kLargestPiece, [&](u64 done, DWORD piece, DWORD* moved) {
        return Win32Calls().ReadFile(file, destination + done, piece, moved, nullptr);
    });
    if (read != ETransfer::kDone)
        ThrowForFile<NSQuorral::XRead>();
}

void CStdioMedia::Write(u64 offset, i64 size, const u8* source)
{
    const HANDLE file = PrepareTransfer(offset, size);
    const ETransfer written = TransferInPieces(u64(size), kLargestPiece, [&](u64 done, DWORD piece, DWORD* moved) {
        return Win32Calls().WriteFile(file, source + done, piece, moved, nullptr);
    });
    if (written != ETransfer::kDone)
        ThrowWriteFailure();
}

HANDLE CStdioMedia::PrepareTransfer(u64 offset, i64 size)
{
    if (size < 0)
        NSQuorral::Throw<std::invalid_argument>();
    MoveFilePointer(offset);
    return fFile->Get();
}

void CStdioMedia::SetSize(u64 size)
{
    Open();
    try
    {
        MoveFilePointer(size);
        if (!Win32Calls().SetEndOfFile(fFile->Get()))
            ThrowForFile<NSQuorral::XWrite>();
    }
    catch (...)
    {
        Close();
        throw;
    }
    Close();
}

void CStdioMedia::Flush()
{
    if (!fFile || !Win32Calls().FlushFileBuffers(fFile->Get()))
        ThrowForFile<NSQuorral::XWrite>();
}

void CStdioMedia::Delete()
{
    if (!Exists())
        return;
    if (!Win32Calls().DeleteFileW(NSTextPackage::AsWide(fPath)) || Exists())
        ThrowForFile<NSQuorral::XWrite>();
}
} // namespace NSBigFilePackage
