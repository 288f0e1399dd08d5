#pragma once
// The backend's open files. Reads and writes are positional: every call names its byte
// position, whatever the last call left. A transfer of any size is split into
// platform calls of at most kMaxTransferPerCall bytes.
//
// The safe write lets a caller write a whole new version of a file without ever leaving a
// half-written file, or no file, under the target's name: over an existing target the data
// goes to a temporary file beside it, which WinPutFileInPlace puts in place of the target on
// Commit. A write that is never committed leaves the target as it was.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "filelib/PositionTrackingFile.h"

#include <memory>

namespace NSFileLibInternals
{
using NSTextPackage::TUTF16String;

enum EOpenMode : u32
{
    kOpenModeCreateAlways = 101, // creates the file or empties an existing one
    kOpenModeCreateNew = 102,    // creates a new file; fails when one exists
    kOpenModeTemporary = 103,    // as kOpenModeCreateAlways, for a file deleted when it is closed
};

// Well below 4 GiB, since one platform call moves a 32-bit count.
constexpr u64 kMaxTransferPerCall = u64(1) << 30;

// Shared with readers and writers of other processes.
class COpenReadFileImpl
{
public:
    explicit COpenReadFileImpl(const TUTF16String& path);
    COpenReadFileImpl(const COpenReadFileImpl&) = delete;
    COpenReadFileImpl& operator=(const COpenReadFileImpl&) = delete;

    // Exactly count bytes at position; a read past the end fails with XRead.
    void Read(i64 position, i64 count, u8* buffer) const;
    u64 GetSize() const;
    void Close();

private:
    CPositionTrackingFile fFile;
};

// Shared with nobody, but a temporary file (kOpenModeTemporary), which others may read.
class COpenReadWriteFileImpl
{
public:
    COpenReadWriteFileImpl(const TUTF16String& path, u32 mode);
    COpenReadWriteFileImpl(const COpenReadWriteFileImpl&) = delete;
    COpenReadWriteFileImpl& operator=(const COpenReadWriteFileImpl&) = delete;

    // Within the file only: a read that would end past the end fails with std::range_error
    // before the platform is asked.
    void Read(i64 position, i64 count, u8* buffer) const;
    // A position past the end grows the file.
    void Write(i64 position, i64 count, const u8* buffer) const;
    u64 GetSize() const;
    void Close();

private:
    CPositionTrackingFile fFile;
};

class CSafeOpenReadWriteFileImpl
{
public:
    // Fails before anything is made for an invalid path or a read-only target.
    explicit CSafeOpenReadWriteFileImpl(const TUTF16String& targetPath);
    // Discards an uncommitted write: deletes the temporary file, or the target it created.
    ~CSafeOpenReadWriteFileImpl();
    CSafeOpenReadWriteFileImpl(const CSafeOpenReadWriteFileImpl&) = delete;
    CSafeOpenReadWriteFileImpl& operator=(const CSafeOpenReadWriteFileImpl&) = delete;

    // Null once committed.
    COpenReadWriteFileImpl* GetOpenFile() const { return fOpenFile.get(); }
    // Puts the written data in place of the target. On failure the target keeps its old data
    // and no temporary file is left. A second Commit fails with XIllegalCallSequence.
    void Commit();

private:
    std::unique_ptr<COpenReadWriteFileImpl> fOpenFile;
    TUTF16String fTargetPath;
    TUTF16String fTempPath; // empty when the data goes to a newly created target
    bool fUsesTemp = false;
};

} // namespace NSFileLibInternals
