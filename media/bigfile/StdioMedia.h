#pragma once
// A container's medium over a Windows file named by a path. While open, the file is shared for
// reading only and its first byte is locked, so no other process writes it or opens it as a
// container. Writes go through to the disk, so the container's flushed writes land in order.
#include "base/UTF16String.h"
#include "base/WinHandles.h"
#include "media/bigfile/BigFileMedium.h"

#include <optional>

namespace NSBigFilePackage
{
class CStdioMedia : public IMedia
{
public:
    // Closed and unlocked until Create or Open.
    explicit CStdioMedia(const NSTextPackage::TUTF16String& path);
    ~CStdioMedia() override;
    CStdioMedia(const CStdioMedia&) = delete;
    CStdioMedia& operator=(const CStdioMedia&) = delete;

    // Something of that name exists, whoever holds it open.
    bool Exists() override;
    // A new file; an existing one is refused with XCreate and left untouched.
    void Create() override;
    bool IsEmpty() override;
    void Open() override;
    void Close() override;
    bool IsReadOnly() override;
    u64 GetSize() override;
    void Read(u64 offset, i64 size, u8* destination) override;
    void Write(u64 offset, i64 size, const u8* source) override;
    // Works on a closed medium: opens, cuts or extends the file, closes.
    void SetSize(u64 size) override;
    void Flush() override;
    // Nothing to do for a missing file; a file that stays (another process holds it open) fails.
    void Delete() override;

private:
    // Opens with the container's access, share mode and hints, then locks the first byte;
    // false when either call fails, leaving the medium closed.
    bool OpenLocked(DWORD disposition);
    void MoveFilePointer(u64 offset);
    // Checks the size and moves the file pointer to the offset; answers the handle.
    HANDLE PrepareTransfer(u64 offset, i64 size);

    NSTextPackage::TUTF16String fPath;
    std::optional<CWinFileHandle> fFile;
    bool fFirstByteLocked = false;
};
} // namespace NSBigFilePackage
