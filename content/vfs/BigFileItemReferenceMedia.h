#pragma once
// A block container's medium over an item of the tree: read-only, it reads the item's bytes
// (OpenMedia) while open and holds the item as long as it exists. The operations that would
// change the medium do nothing.
#include "content/vfs/VirtualFileItem.h"
#include "media/bigfile/BigFileMedium.h"

#include <memory>

namespace NSBigFileUtils
{
class CBigFileItemReferenceMedia final : public NSBigFilePackage::IMedia
{
public:
    explicit CBigFileItemReferenceMedia(const CItemPtr& item) : fItem(item) {}
    ~CBigFileItemReferenceMedia() override;

    bool Exists() override;
    void Create() override {}
    bool IsEmpty() override { return false; }
    // Opens the item's bytes anew, replacing those held.
    void Open() override;
    void Close() override { fMedia.reset(); }
    bool IsReadOnly() override { return true; }
    // The open bytes' size; closed, the item's.
    u64 GetSize() override;
    // Reading a closed medium is XRead.
    void Read(u64 offset, i64 size, u8* destination) override;
    void Write(u64, i64, const u8*) override {}
    void SetSize(u64) override {}
    void Flush() override {}
    void Delete() override {}

private:
    CItemPtr fItem;
    std::shared_ptr<NSFerrant::CMedia> fMedia;
};
} // namespace NSBigFileUtils
