#include "filelib/StoredDirSpec.h"

#include "base/ByteOrder.h"
#include "base/FileLibStatus.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "filelib/FileLibAccess.h"

#include <string>

using namespace NSFileLib;
using namespace NSQuorral;

namespace NSFileLibSupport
{
namespace
{
// A UTF-16 unit of a path takes at most 3 bytes in UTF-8.
constexpr u32 kMaxStoredPathBytes = kFileLibMaxPathUnits * 3;
} // namespace

void WriteDirSpec(IDirSpec* folder, NSFerrant::CMedia& media)
{
    const std::string path = NSTextPackage::UTF16ToUTF8(GetDirWinPath(folder));
    u8 header[8];
    NSByteOrder::WriteBE32(header, kStoredDirSpecMagic);
    NSByteOrder::WriteBE32(header + 4, u32(path.size()));
    NSFerrant::WriteBytes(media, sizeof header, header);
    NSFerrant::WriteBytes(media, i64(path.size()), path.data());
}

TDirSpecPtr ReadDirSpec(NSFerrant::CMedia& media)
{
    if (NSFerrant::ReadU32BE(media) != kStoredDirSpecMagic)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    const u32 length = NSFerrant::ReadU32BE(media);
    // The length comes from the stream: bound it before it sizes the buffer.
    if (length > kMaxStoredPathBytes || i64(length) > NSFerrant::GetBytesLeft(media))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    std::string bytes(length, '\0');
    NSFerrant::ReadBytes(media, length, bytes.data());
    const NSTextPackage::TUTF16String path = NSTextPackage::FromUTF8(bytes);

    u32 status = kFileLibNotSet;
    TDirSpecPtr folder(GetFileLib()->GetWinExtensions()->CreateDirSpec(path.c_str(), &status));
    // The path maker refuses what can be no folder's path (relative, a bare drive, a device name,
    // wildcards, too long) as a bad argument; coming from stored bytes, it is a bad reference.
    if (status == kFileLibBadArgument)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    if (status != kFileLibNotFound)
        ThrowIfFileLibError(status);
    return folder;
}
} // namespace NSFileLibSupport
