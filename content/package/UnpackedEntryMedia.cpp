#include "content/package/UnpackedEntryMedia.h"

#include "base/Media.h"
#include "content/folders/GeneratedItemFiles.h"
#include "filelib/FileMedia.h"

#include <algorithm>

namespace
{
// The first reserve of memory: a small entry that claims a large size grows only as its stream
// yields.
constexpr i64 kLargestFirstReserve = 1 << 20;
} // namespace

std::shared_ptr<NSFerrant::CMedia> MakeUnpackedEntryMedia(u32 unpackedSize)
{
    if (unpackedSize > kLargestUnpackedEntryInMemory)
        return std::make_shared<NSFileLibSupport::COpenTemporaryFile>(NSVirtualFS::GetTemporaryFileType());
    return std::make_shared<NSFerrant::COwnedMemoryMedia>(std::min<i64>(unpackedSize, kLargestFirstReserve));
}
