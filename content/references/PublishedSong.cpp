#include "content/references/PublishedSong.h"

#include "base/ByteOrder.h"
#include "content/references/HostDocumentChunks.h"
#include "base/Media.h"

bool IsPublishedSongMedia(NSFerrant::CMedia& media)
{
    constexpr i64 kGroupHeaderSize = 12;
    if (NSFerrant::GetBytesLeft(media) < kGroupHeaderSize)
        return false;
    u8 header[kGroupHeaderSize];
    media.Read(media.fPosition, kGroupHeaderSize, header);
    return NSByteOrder::ReadBE32(header) == NSFerrant::kFourCC_FORM &&
           NSByteOrder::ReadBE32(header + 8) == kFourCC_TNPS;
}
