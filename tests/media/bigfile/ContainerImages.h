#pragma once
// Container files built byte by byte, for the tests that open what the system would not write:
// small blocks, chosen root slots, corrupt directories.
#include "base/ByteOrder.h"
#include "media/bigfile/BlockFile.h"
#include "tests/support/MediaBytes.h"

#include <initializer_list>
#include <vector>

namespace NSContainerImages
{
using NSTestSupport::TBytes;

inline TBytes BE32(u32 value)
{
    TBytes bytes(4);
    NSByteOrder::WriteBE32(bytes.data(), value);
    return bytes;
}

inline TBytes BE64(u64 value)
{
    TBytes bytes(8);
    NSByteOrder::WriteBE64(bytes.data(), value);
    return bytes;
}

inline TBytes Header(u32 blockSize, u32 rootAreaLength = 36)
{
    return NSTestSupport::Concat({NSTestSupport::Text("K42_FILE"), BE32(blockSize), BE32(rootAreaLength)});
}

// A root slot; a broken one carries a CRC that does not match.
inline TBytes Slot(u64 sequence, u64 directoryBlock, bool valid = true)
{
    TBytes slot = NSTestSupport::Concat({BE64(sequence), BE64(directoryBlock)});
    const u16 crc = NSBigFilePackage::ComputeCRC16(slot);
    slot.push_back(u8(crc >> 8));
    slot.push_back(u8(valid ? crc : crc ^ 1));
    return slot;
}

// One directory entry, its marker included.
inline TBytes Entry(u32 id, u64 length, std::initializer_list<u64> blocks, u32 marker = 0xC0CAC01A)
{
    TBytes entry = NSTestSupport::Concat({BE32(id), BE64(length), BE64(blocks.size())});
    for (u64 block : blocks)
        entry = NSTestSupport::Concat({entry, BE64(block)});
    return NSTestSupport::Concat({entry, BE32(marker)});
}

// Directory data: the count, the entries and the end marker.
inline TBytes DirectoryData(u32 count, std::initializer_list<TBytes> entries, u32 endMarker = 0xB0BAFE77)
{
    TBytes data = BE32(count);
    for (const TBytes& entry : entries)
        data = NSTestSupport::Concat({data, entry});
    return NSTestSupport::Concat({data, BE32(endMarker)});
}

// One block: the next field, then bytes, filled with 0xFE to the block size.
inline TBytes ChainBlock(u32 blockSize, u64 next, const TBytes& bytes)
{
    TBytes block = NSTestSupport::Concat({BE64(next), bytes});
    block.resize(blockSize, 0xFE);
    return block;
}

inline TBytes DataBlock(u32 blockSize, u8 fill)
{
    return TBytes(blockSize, fill);
}

// A whole file: header, the two slots, the blocks.
inline TBytes Image(u32 blockSize, const TBytes& slot0, const TBytes& slot1, std::initializer_list<TBytes> blocks)
{
    TBytes image = NSTestSupport::Concat({Header(blockSize), slot0, slot1});
    for (const TBytes& block : blocks)
        image = NSTestSupport::Concat({image, block});
    return image;
}
// A container as created, but with small blocks: the empty directory in block 0, slot 1 current.
inline TBytes EmptyContainer(u32 blockSize)
{
    return Image(blockSize, Slot(0, 0), Slot(1, 0), {ChainBlock(blockSize, 0xFFFFFFFFFFFFFFFF, DirectoryData(0, {}))});
}

// Bytes 0, 1, 2, ... from a start value, wrapping at 256.
inline TBytes Pattern(size_t count, u8 start)
{
    TBytes bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = u8(start + i);
    return bytes;
}
} // namespace NSContainerImages
