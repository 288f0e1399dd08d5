#include "content/vfs/BigFileItemReferenceMedia.h"

#include "base/ExceptionClasses.h"
#include "base/ThrowContext.h"
#include "base/Media.h"

namespace NSBigFileUtils
{
CBigFileItemReferenceMedia::~CBigFileItemReferenceMedia()
{
    // The bytes may belong to the item: they go first.
    fMedia.reset();
    fItem.Reset();
}

bool CBigFileItemReferenceMedia::Exists()
{
    return !fItem.IsEmpty() && fItem->IsAvailable();
}

void CBigFileItemReferenceMedia::Open()
{
    fMedia = fItem.IsEmpty() ? nullptr : fItem->OpenMedia();
}

u64 CBigFileItemReferenceMedia::GetSize()
{
    if (fMedia)
        return u64(fMedia->GetSize());
    return fItem.IsEmpty() ? 0 : fItem->GetSize();
}

void CBigFileItemReferenceMedia::Read(u64 offset, i64 size, u8* destination)
{
    if (!fMedia)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XRead(""));
    fMedia->Read(i64(offset), size, destination);
    fMedia->fPosition = i64(offset) + size;
}
} // namespace NSBigFileUtils
