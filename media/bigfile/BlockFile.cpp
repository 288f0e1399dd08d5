#include "media/bigfile/BlockFile.h"

#include "base/ByteOrder.h"
#include "media/bigfile/BigFileFailures.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace NSBigFilePackage
{
namespace
{
constexpr u8 kMagic[8] = {'K', '4', '2', '_', 'F', 'I', 'L', 'E'};
constexpr u64 kHeaderSize = 16;
constexpr u8 kUnwrittenRootArea = 0xBA;
// A directory block holds its next field and at least one byte of directory data.
constexpr u32 kSmallestBlockSize = 9;
} // namespace

TRootSlot DecodeRootSlot(const u8* bytes)
{
    TRootSlot slot;
    slot.fSequence = NSByteOrder::ReadBE64(bytes);
    slot.fDirectoryBlock = NSByteOrder::ReadBE64(bytes + 8);
    slot.fValid = NSByteOrder::ReadBE16(bytes + 16) == ComputeCRC16(std::vector<u8>(bytes, bytes + 16));
    return slot;
}

u16 ComputeCRC16(const std::vector<u8>& bytes)
{
    u16 crc = 0;
    for (u8 byte : bytes)
    {
        crc ^= u16(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? u16((crc << 1) ^ 0x1021) : u16(crc << 1);
    }
    return crc;
}

CBlockFile::CBlockFile(IMedia& medium) : fMedium(medium)
{
    fMedium.Open();
    try
    {
        ReadHeader();
    }
    catch (const NSQuorral::XRead&)
    {
        CloseQuietly(fMedium);
        ThrowForFile<NSQuorral::XOpen>();
    }
    catch (...)
    {
        CloseQuietly(fMedium);
        throw;
    }
}

CBlockFile::~CBlockFile()
{
    CloseQuietly(fMedium);
}

void CBlockFile::ReadHeader()
{
    u8 header[kHeaderSize];
    fMedium.Read(0, kHeaderSize, header);
    if (!std::equal(header, header + 8, kMagic))
        ThrowForFile<NSQuorral::XOpen>();
    fBlockSize = NSByteOrder::ReadBE32(header + 8);
    fRootAreaLength = NSByteOrder::ReadBE32(header + 12);
    // The block count divides by the block size, and both root slots must fit the root area.
    if (fBlockSize < kSmallestBlockSize || fRootAreaLength < 2 * kRootSlotSize)
        ThrowForFile<NSQuorral::XFormatViolation>();
    fDataStart = kHeaderSize + fRootAreaLength;
    const u64 size = fMedium.GetSize();
    fBlockCount = size > fDataStart ? (size - fDataStart) / fBlockSize : 0;
}

void CBlockFile::FormatMedium(IMedia& medium)
{
    if (medium.Exists())
    {
        if (!medium.IsEmpty())
            ThrowForFile<NSQuorral::XAlreadyExists>();
        medium.Open();
    }
    else
    {
        medium.Create();
    }
    try
    {
        u8 number[4];
        medium.Write(0, sizeof kMagic, kMagic);
        NSByteOrder::WriteBE32(number, kCreatedBlockSize);
        medium.Write(8, 4, number);
        NSByteOrder::WriteBE32(number, kCreatedRootAreaLength);
        medium.Write(12, 4, number);
        const std::vector<u8> rootArea(kCreatedRootAreaLength, kUnwrittenRootArea);
        medium.Write(kHeaderSize, i64(rootArea.size()), rootArea.data());
        medium.Close();
    }
    catch (...)
    {
        CloseQuietly(medium);
        DeleteQuietly(medium);
        throw;
    }
}

void CBlockFile::ReadBlock(u64 block, u8* destination)
{
    if (block >= fBlockCount)
        NSQuorral::Throw<std::invalid_argument>();
    fMedium.Read(fDataStart + block * fBlockSize, fBlockSize, destination);
}

void CBlockFile::ReadBlockPart(u64 block, u32 offset, u32 count, u8* destination)
{
    if (block >= fBlockCount || offset >= fBlockSize || count > fBlockSize - offset)
        NSQuorral::Throw<std::invalid_argument>();
    fMedium.Read(fDataStart + block * fBlockSize + offset, count, destination);
}

void CBlockFile::WriteBlock(u64 block, const u8* source, bool flush)
{
    if (block > fBlockCount)
        NSQuorral::Throw<std::invalid_argument>();
    fMedium.Write(fDataStart + block * fBlockSize, fBlockSize, source);
    if (flush)
        fMedium.Flush();
    if (block == fBlockCount)
        ++fBlockCount;
}

void CBlockFile::ReadBlocks(const std::vector<u64>& blocks, u8* destination)
{
    if (blocks.size() == 1)
    {
        ReadBlock(blocks.front(), destination);
        return;
    }
    std::vector<std::pair<u64, u8*>> targets;
    targets.reserve(blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i)
    {
        if (blocks[i] >= fBlockCount)
            NSQuorral::Throw<std::invalid_argument>();
        targets.emplace_back(blocks[i], destination + i * fBlockSize);
    }
    std::sort(targets.begin(), targets.end());
    // A run continues while both the block numbers and the destinations are adjacent.
    size_t runStart = 0;
    for (size_t i = 1; i <= targets.size(); ++i)
    {
        const bool continuesRun = i < targets.size() && targets[i].first == targets[i - 1].first + 1 &&
                                  targets[i].second == targets[i - 1].second + fBlockSize;
        if (continuesRun)
            continue;
        const u64 runLength = i - runStart;
        fMedium.Read(fDataStart + targets[runStart].first * fBlockSize, i64(runLength * fBlockSize),
                     targets[runStart].second);
        runStart = i;
    }
}

std::vector<u8> CBlockFile::ReadRootArea()
{
    // The length is the file's own claim: check it against the file before it sizes a buffer.
    if (fMedium.GetSize() < fDataStart)
        ThrowForFile<NSQuorral::XRead>();
    std::vector<u8> rootArea(fRootAreaLength);
    fMedium.Read(kHeaderSize, fRootAreaLength, rootArea.data());
    return rootArea;
}

void WriteRootSlot(CBlockFile& blockFile, u64 directoryBlock, u32 slot, u64 sequence)
{
    std::vector<u8> bytes(kRootSlotSize);
    NSByteOrder::WriteBE64(bytes.data(), sequence);
    NSByteOrder::WriteBE64(bytes.data() + 8, directoryBlock);
    NSByteOrder::WriteBE16(bytes.data() + 16, ComputeCRC16(std::vector<u8>(bytes.begin(), bytes.begin() + 16)));
    const u64 offset = u64(kRootSlotSize) * slot;
    if (offset >= blockFile.GetRootAreaLength() || offset + kRootSlotSize > blockFile.GetRootAreaLength())
        NSQuorral::Throw<std::invalid_argument>();
    blockFile.GetMedium().Write(blockFile.GetDataStart() - blockFile.GetRootAreaLength() + offset, kRootSlotSize,
                                bytes.data());
    blockFile.GetMedium().Flush();
}
} // namespace NSBigFilePackage
