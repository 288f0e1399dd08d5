#include "media/bigfile/Directory.h"

#include "base/ByteOrder.h"
#include "media/bigfile/BigFileFailures.h"

#include <algorithm>
#include <functional>

namespace NSBigFilePackage
{
namespace
{
constexpr u32 kEntryMarker = 0xC0CAC01A;
constexpr u32 kEndMarker = 0xB0BAFE77;
constexpr u8 kFill = 0xFE;
constexpr u64 kNextFieldSize = 8;
// u32 id, u64 length, u64 block count.
constexpr u64 kEntryHeadSize = 20;

[[noreturn]] void ThrowMalformed()
{
    ThrowForFile<NSQuorral::XFormatViolation>();
}

void AppendBE32(std::vector<u8>& data, u32 value)
{
    u8 bytes[4];
    NSByteOrder::WriteBE32(bytes, value);
    data.insert(data.end(), bytes, bytes + 4);
}

void AppendBE64(std::vector<u8>& data, u64 value)
{
    u8 bytes[8];
    NSByteOrder::WriteBE64(bytes, value);
    data.insert(data.end(), bytes, bytes + 8);
}

std::vector<u8> EncodeDirectoryData(const std::map<u32, TStreamEntry>& streams)
{
    std::vector<u8> data;
    AppendBE32(data, u32(streams.size()));
    for (const auto& [id, entry] : streams)
    {
        AppendBE32(data, id);
        AppendBE64(data, entry.fLength);
        AppendBE64(data, entry.fBlocks.size());
        for (u64 block : entry.fBlocks)
            AppendBE64(data, block);
        AppendBE32(data, kEntryMarker);
    }
    AppendBE32(data, kEndMarker);
    return data;
}

// The blocks a chain needs for data: the last block always keeps room to spare, so data of an
// exact multiple of the block's capacity takes one block more, holding only fill.
u64 ChainLength(const CBlockFile& blockFile, const std::vector<u8>& data)
{
    return data.size() / (blockFile.GetBlockSize() - kNextFieldSize) + 1;
}

// Writes the index-th piece of the directory data into block, followed by the next field.
void WriteChainBlock(CBlockFile& blockFile, u64 block, u64 next, const std::vector<u8>& data, u64 index)
{
    const u64 capacity = blockFile.GetBlockSize() - kNextFieldSize;
    std::vector<u8> bytes(blockFile.GetBlockSize(), kFill);
    NSByteOrder::WriteBE64(bytes.data(), next);
    const u64 from = std::min<u64>(index * capacity, data.size());
    const u64 to = std::min<u64>(from + capacity, data.size());
    std::copy(data.begin() + from, data.begin() + to, bytes.begin() + kNextFieldSize);
    blockFile.WriteBlock(block, bytes.data(), true);
}

// True when a stream of length bytes needs more than count blocks of blockSize bytes.
bool LongerThanBlocks(u64 length, u64 count, u32 blockSize)
{
    const u64 needed = length / blockSize + (length % blockSize != 0 ? 1 : 0);
    return needed > count;
}
} // namespace

CDirectory::CDirectory(CBlockFile& blockFile) : fBlockFile(&blockFile)
{
}

void CDirectory::Read(u64 firstBlock)
{
    const u64 blockCount = fBlockFile->GetBlockCount();
    // The block size is the file's own claim: only a chain that starts inside the file, which
    // then holds at least one block, may size the block buffer.
    if (firstBlock >= blockCount)
        ThrowMalformed();
    std::vector<bool> visited(blockCount);
    std::vector<u8> block(fBlockFile->GetBlockSize());
    std::vector<u8> data;
    for (u64 current = firstBlock; current != kEndOfChain;)
    {
        if (current >= blockCount || visited[current])
            ThrowMalformed();
        visited[current] = true;
        fBlockFile->ReadBlock(current, block.data());
        fDirectoryBlocks.push_back(current);
        data.insert(data.end(), block.begin() + kNextFieldSize, block.end());
        current = NSByteOrder::ReadBE64(block.data());
    }
    ParseData(data);

    std::vector<bool> used(visited);
    for (const auto& [id, entry] : fStreams)
        for (u64 block : entry.fBlocks)
            used[block] = true;
    for (u64 block = blockCount; block-- > 0;)
        if (!used[block])
            fFreeBlocks.push_back(block);
    if (!IsConsistent())
        ThrowMalformed();
}

void CDirectory::ParseData(const std::vector<u8>& data)
{
    const u64 size = data.size();
    const u32 blockSize = fBlockFile->GetBlockSize();
    // Every count is checked against the bytes that remain before it is trusted.
    auto need = [&](u64 position, u64 count) {
        if (position > size || count > size - position)
            ThrowMalformed();
    };
    need(0, 4);
    u32 count = NSByteOrder::ReadBE32(data.data());
    u64 position = 4;
    while (count != 0 && position < size)
    {
        need(position, kEntryHeadSize);
        const u8* head = data.data() + position;
        const u32 id = NSByteOrder::ReadBE32(head);
        TStreamEntry entry;
        entry.fLength = NSByteOrder::ReadBE64(head + 4);
        const u64 blocks = NSByteOrder::ReadBE64(head + 12);
        position += kEntryHeadSize;
        if (blocks > (size - position) / 8)
            ThrowMalformed();
        need(position, blocks * 8 + 4);
        entry.fBlocks.reserve(blocks);
        for (u64 i = 0; i < blocks; ++i, position += 8)
        {
            const u64 block = NSByteOrder::ReadBE64(data.data() + position);
            // A block past the end holds no data, and the next new block would take its number.
            if (block >= fBlockFile->GetBlockCount())
                ThrowMalformed();
            entry.fBlocks.push_back(block);
        }
        if (NSByteOrder::ReadBE32(data.data() + position) != kEntryMarker)
            ThrowMalformed();
        position += 4;
        // A reader may only ever read inside the stream's own blocks.
        if (LongerThanBlocks(entry.fLength, blocks, blockSize))
            ThrowMalformed();
        fStreams[id] = std::move(entry);
        --count;
    }
    need(position, 4);
    if (NSByteOrder::ReadBE32(data.data() + position) != kEndMarker)
        ThrowMalformed();
}

u64 CDirectory::WriteDirectory()
{
    const std::vector<u8> data = EncodeDirectoryData(fStreams);
    const u64 chainLength = ChainLength(*fBlockFile, data);
    const std::vector<u64> blocks = AllocateBlocks(chainLength);
    try
    {
        for (u64 i = 0; i < chainLength; ++i)
            WriteChainBlock(*fBlockFile, blocks[i], i + 1 < chainLength ? blocks[i + 1] : kEndOfChain, data, i);
    }
    catch (...)
    {
        ReturnBlocks(blocks);
        throw;
    }
    fFreeBlocks.insert(fFreeBlocks.end(), fDirectoryBlocks.begin(), fDirectoryBlocks.end());
    fDirectoryBlocks = blocks;
    return blocks.front();
}

std::vector<u64> CDirectory::AllocateBlocks(u64 count)
{
    std::vector<u64> blocks;
    u64 nextNew = fBlockFile->GetBlockCount();
    while (blocks.size() < count)
    {
        if (fFreeBlocks.empty())
        {
            blocks.push_back(nextNew++);
            continue;
        }
        const u64 block = fFreeBlocks.back();
        fFreeBlocks.pop_back();
        // A block of a failed write that never reached the file: it is new again, and the
        // numbers past the end are handed out below.
        if (block < fBlockFile->GetBlockCount())
            blocks.push_back(block);
    }
    return blocks;
}

u64 CDirectory::AllocateStreamBlock(u32 id)
{
    const u64 block = AllocateBlocks(1).front();
    fPendingBlocks[id].push_back(block);
    return block;
}

void CDirectory::ReleaseStreamBlocks(u32 id, const std::vector<u64>& blocks)
{
    std::vector<u64>& pending = fPendingBlocks[id];
    for (u64 block : blocks)
    {
        pending.erase(std::remove(pending.begin(), pending.end(), block), pending.end());
        // A new block whose write failed never joined the file: its number comes back as the
        // next new block, and listing it as free too would hand it out twice once a failed
        // commit frees the blocks it added to the file.
        if (block < fBlockFile->GetBlockCount())
            fFreeBlocks.push_back(block);
    }
}

void CDirectory::DropPendingBlocks(u32 id)
{
    const auto pending = fPendingBlocks.find(id);
    if (pending == fPendingBlocks.end())
        return;
    fFreeBlocks.insert(fFreeBlocks.end(), pending->second.begin(), pending->second.end());
    fPendingBlocks.erase(pending);
}

std::vector<u64> CDirectory::UpdateStreamEntry(u32 id, u64 length)
{
    std::vector<u64> pending;
    if (const auto found = fPendingBlocks.find(id); found != fPendingBlocks.end())
        pending = found->second;
    if (LongerThanBlocks(length, pending.size(), fBlockFile->GetBlockSize()))
        NSQuorral::Throw<std::invalid_argument>();
    std::vector<u64> old;
    if (const auto entry = fStreams.find(id); entry != fStreams.end())
        old = entry->second.fBlocks;
    if (length == 0)
    {
        old.insert(old.end(), pending.begin(), pending.end());
        fStreams.erase(id);
    }
    else
    {
        fStreams[id] = TStreamEntry{length, pending};
    }
    fPendingBlocks.erase(id);
    return old;
}

void CDirectory::ReturnBlocks(const std::vector<u64>& blocks)
{
    fFreeBlocks.insert(fFreeBlocks.end(), blocks.begin(), blocks.end());
    std::sort(fFreeBlocks.begin(), fFreeBlocks.end(), std::greater<u64>());
}

const TStreamEntry& CDirectory::GetEntry(u32 id) const
{
    const auto entry = fStreams.find(id);
    if (entry == fStreams.end())
        NSQuorral::Throw<std::invalid_argument>();
    return entry->second;
}

const std::vector<u64>& CDirectory::GetStreamBlocks(u32 id) const
{
    return GetEntry(id).fBlocks;
}

u64 CDirectory::GetStreamLength(u32 id) const
{
    return GetEntry(id).fLength;
}

std::vector<u32> CDirectory::GetStreamIDs() const
{
    std::vector<u32> ids;
    for (const auto& [id, entry] : fStreams)
        ids.push_back(id);
    return ids;
}

bool CDirectory::IsConsistent() const
{
    std::vector<u64> all(fDirectoryBlocks);
    for (const auto& [id, entry] : fStreams)
        all.insert(all.end(), entry.fBlocks.begin(), entry.fBlocks.end());
    for (const auto& [id, blocks] : fPendingBlocks)
        all.insert(all.end(), blocks.begin(), blocks.end());
    all.insert(all.end(), fFreeBlocks.begin(), fFreeBlocks.end());
    std::sort(all.begin(), all.end());
    // Each number below the block count exactly once; a second use of the last block would
    // follow it, so the element after them must lie past the end.
    const u64 blockCount = fBlockFile->GetBlockCount();
    if (all.size() < blockCount)
        return false;
    for (u64 i = 0; i < blockCount; ++i)
        if (all[i] != i)
            return false;
    return all.size() == blockCount || all[blockCount] >= blockCount;
}

void WriteEmptyDirectory(CBlockFile& blockFile)
{
    WriteChainBlock(blockFile, 0, kEndOfChain, EncodeDirectoryData({}), 0);
}
} // namespace NSBigFilePackage
