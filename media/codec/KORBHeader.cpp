#include "media/codec/KORBHeader.h"

#include "base/Media.h"
#include "base/ByteOrder.h"
#include "base/Quorral.h"
#include "base/VersionNumbers.h"

namespace
{
const NSFerrant::TVersion kVersion1 = {1, 0, 0};
const NSFerrant::TVersion kVersion2 = {2, 0, 0};

// The fields after the version: 21 bytes, and 12 more in version 2.
constexpr i64 kFieldsSize = 21;
constexpr i64 kVersion2FieldsSize = 12;
} // namespace

void WriteKORBHeader(const TKORBHeader& header, NSFerrant::CMedia& destination)
{
    u8 fields[kFieldsSize + kVersion2FieldsSize];
    NSByteOrder::WriteBE32(fields, header.fFrameCount);
    fields[4] = header.fRootKey;
    fields[5] = header.fFineTune;
    fields[6] = u8(header.fLoopMode);
    fields[7] = header.fChannelCount;
    NSByteOrder::WriteBE32(fields + 8, header.fLoopStart);
    NSByteOrder::WriteBE32(fields + 12, header.fLoopEnd);
    NSByteOrder::WriteBE32(fields + 16, header.fSampleRate);
    fields[20] = header.fBitsPerSample;
    NSByteOrder::WriteBE32(fields + 21, header.fValueA);
    NSByteOrder::WriteBE32(fields + 25, header.fValueB);
    NSByteOrder::WriteBE32(fields + 29, header.fFlag ? 1 : 0);
    NSFerrant::WriteVersion(header.fIsVersion2 ? kVersion2 : kVersion1, destination);
    NSFerrant::WriteBytes(destination, header.fIsVersion2 ? kFieldsSize + kVersion2FieldsSize : kFieldsSize,
                          fields);
}

void ReadKORBHeader(TKORBHeader& out, NSFerrant::CMedia& source)
{
    TKORBHeader header;
    ReadKORBHeaderUnchecked(header, source);
    CheckKORBHeader(header, NSFerrant::GetBytesLeft(source));
    out = header;
}

void ReadKORBHeaderUnchecked(TKORBHeader& out, NSFerrant::CMedia& source)
{
    const NSFerrant::TVersion version = NSFerrant::ReadVersion(source);
    if (version.fMajor != 1 && version.fMajor != 2)
        ThrowVersionMismatch(kVersion1, kVersion2, version);
    // 2.0.0 and every later version carry the three version 2 fields.
    const bool isVersion2 = NSFerrant::CompareVersions(version, kVersion2) != NSFerrant::kVersionOlder;
    u8 fields[kFieldsSize + kVersion2FieldsSize];
    NSFerrant::ReadBytes(source, isVersion2 ? kFieldsSize + kVersion2FieldsSize : kFieldsSize, fields);

    TKORBHeader header;
    header.fFrameCount = NSByteOrder::ReadBE32(fields);
    header.fRootKey = fields[4];
    header.fFineTune = fields[5];
    header.fLoopMode = fields[6];
    header.fChannelCount = fields[7];
    header.fLoopStart = NSByteOrder::ReadBE32(fields + 8);
    header.fLoopEnd = NSByteOrder::ReadBE32(fields + 12);
    header.fSampleRate = NSByteOrder::ReadBE32(fields + 16);
    header.fBitsPerSample = fields[20];
    if (isVersion2)
    {
        header.fIsVersion2 = true;
        header.fValueA = NSByteOrder::ReadBE32(fields + 21);
        header.fValueB = NSByteOrder::ReadBE32(fields + 25);
        header.fFlag = NSByteOrder::ReadBE32(fields + 29) != 0;
    }
    out = header;
}

void CheckKORBHeader(const TKORBHeader& header, i64 codeBytes)
{
    const u64 samples = u64(header.fFrameCount) * header.fChannelCount;
    if ((header.fChannelCount != 1 && header.fChannelCount != 2) ||
        (header.fBitsPerSample != 16 && header.fBitsPerSample != 24) || codeBytes < 0 ||
        samples > u64(codeBytes) * 8)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}
