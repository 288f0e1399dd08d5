// The fuzz build's stand-in for content/package/UnpackedEntryMedia.cpp: memory at every size, as
// the temporary files of the Windows file library stay out. Inputs are a few kilobytes, so what
// they unpack to stays far below the fuzz build's allocation limit.
#include "content/package/UnpackedEntryMedia.h"

#include "base/Media.h"

std::shared_ptr<NSFerrant::CMedia> MakeUnpackedEntryMedia(u32)
{
    return std::make_shared<NSFerrant::COwnedMemoryMedia>(0);
}
