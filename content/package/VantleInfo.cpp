#include "content/package/VantleInfo.h"

#include "base/ByteOrder.h"
#include "content/package/PackageFailures.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

using NSTextPackage::TUTF16String;

namespace
{
// File count, index start and data start, each a big-endian u32.
constexpr std::size_t kCountsSize = 12;
constexpr std::size_t kDateSize = 8;

// A block cut short is a bad package, as a name string or version cut short is, not a failed read.
void ReadFixedField(NSFerrant::CMedia& media, std::size_t size, u8* bytes)
{
    if (NSFerrant::GetBytesLeft(media) < i64(size))
        ThrowPackageFormatViolation();
    NSFerrant::ReadBytes(media, i64(size), bytes);
}
} // namespace

CVantleInfo::CVantleInfo(const TUTF16String& name, const TUTF16String& comments, const TUTF16String& url,
                         const TUTF16String& copyright, const NSFerrant::TVersion& packageVersion)
    : fCreatorVersion(kFirstCreatorVersionWithDate), fName(name), fComments(comments), fURL(url),
      fCopyright(copyright), fPackageVersion(packageVersion)
{
}

void CVantleInfo::Write(NSFerrant::CMedia& media) const
{
    NSFerrant::WriteNameString(media, fName);
    NSFerrant::WriteNameString(media, fComments);
    NSFerrant::WriteNameString(media, fURL);
    NSFerrant::WriteNameString(media, fCopyright);
    u8 counts[kCountsSize];
    NSByteOrder::WriteBE32(counts, fFileCount);
    NSByteOrder::WriteBE32(counts + 4, fIndexStart);
    NSByteOrder::WriteBE32(counts + 8, fDataStart);
    NSFerrant::WriteBytes(media, kCountsSize, counts);
    NSFerrant::WriteVersion(fPackageVersion, media);
    u8 date[kDateSize];
    NSByteOrder::WriteBE64(date, fDate); // the high word first
    NSFerrant::WriteBytes(media, kDateSize, date);
}

i64 CVantleInfo::GetStoredSize() const
{
    u8 version[NSFerrant::kLongVersionSize];
    return NSFerrant::GetNameStringSize(fName) + NSFerrant::GetNameStringSize(fComments) +
           NSFerrant::GetNameStringSize(fURL) + NSFerrant::GetNameStringSize(fCopyright) + i64(kCountsSize) +
           i64(NSFerrant::EncodeVersion(fPackageVersion, version)) + i64(kDateSize);
}

void CVantleInfo::Read(const NSFerrant::TVersion& creatorVersion, NSFerrant::CMedia& media)
{
    fName = NSFerrant::ReadNameString(media);
    fComments = NSFerrant::ReadNameString(media);
    fURL = NSFerrant::ReadNameString(media);
    fCopyright = NSFerrant::ReadNameString(media);
    u8 counts[kCountsSize];
    ReadFixedField(media, kCountsSize, counts);
    fFileCount = NSByteOrder::ReadBE32(counts);
    fIndexStart = NSByteOrder::ReadBE32(counts + 4);
    fDataStart = NSByteOrder::ReadBE32(counts + 8);
    if (NSFerrant::CompareVersions(creatorVersion, kFirstCreatorVersionWithDate) == NSFerrant::kVersionOlder)
        return;
    fPackageVersion = NSFerrant::ReadVersion(media);
    u8 date[kDateSize];
    ReadFixedField(media, kDateSize, date);
    fDate = NSByteOrder::ReadBE64(date);
}

u64 PackVantleDate(const std::tm& localTime)
{
    return (u64(u16(localTime.tm_year)) << 48) | (u64(u16(localTime.tm_mon)) << 32) |
           (u64(u8(localTime.tm_mday)) << 24) | (u64(u8(localTime.tm_hour)) << 16) |
           (u64(u8(localTime.tm_min)) << 8) | u64(u8(localTime.tm_sec));
}
