#pragma once
// A container medium over an already open media, so that a container held in any media (a file
// opened elsewhere, a package entry) can be read, and one built in an open file of its maker's
// (a temporary file) written. It never owns the media.
#include "media/bigfile/BigFileMedium.h"

namespace NSFerrant
{
class CMedia;
}

namespace NSBigFilePackage
{
class CBigFileMediaWrapper : public IMedia
{
public:
    enum EAccess
    {
        kReadOnly,
        kReadWrite,
    };

    // The media must outlive the wrapper.
    explicit CBigFileMediaWrapper(NSFerrant::CMedia& media, EAccess access = kReadOnly)
        : fMedia(media), fAccess(access)
    {
    }

    bool Exists() override { return true; }
    void Create() override {}
    bool IsEmpty() override;
    // The media is open for as long as it exists.
    void Open() override {}
    void Close() override {}
    bool IsReadOnly() override { return fAccess == kReadOnly; }
    u64 GetSize() override;
    void Read(u64 offset, i64 size, u8* destination) override;
    // A read-only medium refuses to change: XIllegalCallSequence.
    void Write(u64 offset, i64 size, const u8* source) override;
    // A media cannot be cut: XIllegalCallSequence.
    void SetSize(u64 size) override;
    void Flush() override {}
    void Delete() override {}

private:
    NSFerrant::CMedia& fMedia;
    EAccess fAccess;
};
} // namespace NSBigFilePackage
