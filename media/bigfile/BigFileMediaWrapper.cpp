#include "media/bigfile/BigFileMediaWrapper.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"
#include "base/Media.h"

namespace NSBigFilePackage
{
bool CBigFileMediaWrapper::IsEmpty()
{
    return fMedia.GetSize() == 0;
}

u64 CBigFileMediaWrapper::GetSize()
{
    return u64(fMedia.GetSize());
}

void CBigFileMediaWrapper::Read(u64 offset, i64 size, u8* destination)
{
    fMedia.Read(i64(offset), size, destination);
}

void CBigFileMediaWrapper::Write(u64 offset, i64 size, const u8* source)
{
    if (fAccess == kReadOnly)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    fMedia.Write(i64(offset), size, source);
}

void CBigFileMediaWrapper::SetSize(u64)
{
    NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
}
} // namespace NSBigFilePackage
