#pragma once
// Where a compressed entry unpacks: in memory when its stored unpacked size is at most
// kLargestUnpackedEntryInMemory, in a temporary file beyond. The stored size bounds what the entry
// may yield, so no entry of a foreign package, whatever its size field claims, makes the program
// hold more than that much memory.
#include "base/Types.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
}

constexpr u32 kLargestUnpackedEntryInMemory = 8 << 20;

// A new, empty media for an entry that unpacks to at most unpackedSize bytes.
std::shared_ptr<NSFerrant::CMedia> MakeUnpackedEntryMedia(u32 unpackedSize);
