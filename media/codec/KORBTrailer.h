#pragma once
// Trailer blocks of a KORB stream: extra data behind the code words, up to the end of the media.
// A block of L data bytes takes L + 24 bytes, all integers big-endian:
//   "KoMB", tag, L (u32), the data, tag, L, "KoME"
// Readers find blocks from the end backwards through their closing twelve bytes.
#include "base/Types.h"
#include "media/IFFChunk.h"

namespace NSFerrant
{
class CMedia;
}
namespace NSTempoMap
{
class CTempoMap;
}

// The tag of the block that holds a tempo map's TEMPOMAP data.
constexpr u32 kKORBTempoMapTag = NSFerrant::MakeFourCC("KoTM");

// Appends one block at the destination's position holding the data media's bytes from its
// position to its end. More than 0xFFFFFFFF bytes is XOutOfSpace "extra info to large".
void AppendKORBTrailerBlock(NSFerrant::CMedia& destination, u32 tag, NSFerrant::CMedia& data);

// Walks the blocks from the stream's end backwards, skipping blocks of other tags, and copies the
// data of the first block with the tag to out at its position. False when there is no such block
// or a block is malformed; the stream's position is unchanged either way.
bool FindKORBTempoMapBlock(NSFerrant::CMedia& stream, u32 tag, NSFerrant::CMedia& out);

// Saves the tempo map with its value and appends it as a "KoTM" block.
void BuildKORBTempoMapBlock(NSFerrant::CMedia& destination, const NSTempoMap::CTempoMap& map, int value);
