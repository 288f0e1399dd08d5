#include "media/bigfile/BigFileStreamMedia.h"

#include <algorithm>

namespace NSBigFileUtils
{
namespace
{
// The container moves at most a 32-bit count at a time; larger sizes go in pieces.
constexpr i64 kLargestPiece = 0x80000000;
} // namespace

CBigFileStreamMedia::CBigFileStreamMedia(NSBigFilePackage::CBigFile& container, NSBigFilePackage::IStream& stream)
    : fContainer(container), fStream(stream)
{
}

void CBigFileStreamMedia::Read(i64 offset, i64 size, void* destination) const
{
    fStream.SetPosition(u64(offset));
    u8* bytes = static_cast<u8*>(destination);
    for (i64 done = 0; done < size;)
    {
        const i64 piece = std::min(size - done, kLargestPiece);
        fContainer.ReadStreamAt(fStream, u32(piece), bytes + done);
        done += piece;
    }
}

void CBigFileStreamMedia::Write(i64 offset, i64 size, const void* source)
{
    const u8* bytes = static_cast<const u8*>(source);
    for (i64 done = 0; done < size;)
    {
        const i64 piece = std::min(size - done, kLargestPiece);
        fContainer.WriteStreamAt(fStream, u32(piece), bytes + done);
        done += piece;
    }
}

i64 CBigFileStreamMedia::GetSize() const
{
    return i64(fStream.GetSize());
}

void CBigFileStreamMedia::Close()
{
    fStream.Close();
}
} // namespace NSBigFileUtils
