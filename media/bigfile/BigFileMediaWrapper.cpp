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

void CBigFileMediaWrapper::Write(u64, i64, const u8*)
{
    NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
}

void CBigFileMediaWrapper::SetSize(u64)
{
    NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
}
} // namespace NSBigFilePackage
