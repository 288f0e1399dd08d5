#include "content/package/VantleHeader.h"

#include "content/package/PackageFailures.h"
#include "content/package/VantleInfo.h"
#include "base/Media.h"

namespace
{
// Reads a fixed field of the header; a header cut short before it is not a package.
u32 ReadHeaderU32(NSFerrant::CMedia& media)
{
    if (NSFerrant::GetBytesLeft(media) < 4)
        ThrowPackageFormatViolation();
    return NSFerrant::ReadU32BE(media);
}
} // namespace

void ReadVantleHeader(CVantleInfo& info, NSFerrant::CMedia& media)
{
    if (ReadHeaderU32(media) != kVantleMagic)
        ThrowPackageFormatViolation();
    const i64 mediaSize = media.GetSize();
    if (i64(ReadHeaderU32(media)) != mediaSize)
        ThrowPackageFormatViolation();

    if (NSFerrant::GetBytesLeft(media) < i64(NSFerrant::kCreatorBlockSize))
        ThrowPackageFormatViolation();
    u8 stored[NSFerrant::kCreatorBlockSize];
    NSFerrant::ReadBytes(media, NSFerrant::kCreatorBlockSize, stored);
    NSFerrant::TCreatorBlock creator; // tag 0, version 0.0.0 unless the block has them
    NSFerrant::ParseCreatorBlock(creator, stored);
    if (creator.fTag != NSFerrant::kProgramCreatorTag)
        ThrowPackageFormatViolation();
    if (creator.fVersion.fMajor != NSFerrant::kProgramCreatorVersion.fMajor)
        ThrowPackageFailure<NSQuorral::XUnsupportedFormat>();
    if (creator.fText != NSFerrant::kProgramCreatorText)
        ThrowPackageFormatViolation();

    info = CVantleInfo();
    info.fCreatorVersion = creator.fVersion;
    info.Read(creator.fVersion, media);
    if (info.fName.empty())
        ThrowPackageFormatViolation();
    if (info.fDataStart > mediaSize)
        ThrowPackageFormatViolation();
    if (info.fIndexStart > mediaSize)
        ThrowPackageFormatViolation();
    if (info.fIndexStart > info.fDataStart)
        ThrowPackageFormatViolation();
}
