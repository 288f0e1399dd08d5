#include "content/package/VantleIndexRow.h"

#include "base/ByteOrder.h"
#include "content/package/PackageFailures.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

namespace
{
// Packed type, offset, size and hidden byte, read and written in one piece.
constexpr std::size_t kRowTailSize = 10;
} // namespace

void CVantleIndexRow::Write(NSFerrant::CMedia& media) const
{
    NSFerrant::WriteNameString(media, fName);
    u8 tail[kRowTailSize];
    tail[0] = u8(fPackedType);
    NSByteOrder::WriteBE32(tail + 1, fOffset);
    NSByteOrder::WriteBE32(tail + 5, fSize);
    tail[9] = fHidden ? 1 : 0;
    NSFerrant::WriteBytes(media, kRowTailSize, tail);
}

i64 CVantleIndexRow::GetStoredSize(const NSTextPackage::TUTF16String& name)
{
    return NSFerrant::GetNameStringSize(name) + i64(kRowTailSize);
}

void CVantleIndexRow::Read(NSFerrant::CMedia& media)
{
    fName = NSFerrant::ReadNameString(media);
    if (NSFerrant::GetBytesLeft(media) < i64(kRowTailSize))
        ThrowPackageFormatViolation();
    u8 tail[kRowTailSize];
    NSFerrant::ReadBytes(media, kRowTailSize, tail);
    fPackedType = tail[0];
    fOffset = NSByteOrder::ReadBE32(tail + 1);
    fSize = NSByteOrder::ReadBE32(tail + 5);
    fHidden = tail[9] == 1;
}
