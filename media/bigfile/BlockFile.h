#pragma once
// The block layer of a container file. Layout, all integers big-endian:
//
//   0        8 bytes  "K42_FILE"
//   8        u32      block size B
//   12       u32      root-area length R
//   16       R bytes  root area: slot 0 at 0, slot 1 at 18
//   16 + R   blocks   block k at 16 + R + k * B; a trailing partial block is no block
//
// A root slot is u64 sequence, u64 first directory block, u16 CRC-16/XMODEM of those 16 bytes.
// The slot with the valid CRC and the higher sequence names the current directory; a commit
// writes the other slot, so a torn slot write leaves the previous state in force.
#include "base/Types.h"
#include "media/bigfile/BigFileMedium.h"

#include <vector>

namespace NSBigFilePackage
{
constexpr u32 kCreatedBlockSize = 0x40000;
constexpr u32 kCreatedRootAreaLength = 36;
constexpr u32 kRootSlotSize = 18;

struct TRootSlot
{
    u64 fSequence = 0;
    u64 fDirectoryBlock = 0;
    bool fValid = false;
};

// Decodes the 18 bytes of a slot; a slot whose CRC does not match is not valid.
TRootSlot DecodeRootSlot(const u8* bytes);

// CRC-16/XMODEM: polynomial 0x1021, initial 0, most significant bit first, no final XOR.
u16 ComputeCRC16(const std::vector<u8>& bytes);

class CBlockFile
{
public:
    // Opens the medium and reads the header; the medium stays open until destruction.
    explicit CBlockFile(IMedia& medium);
    ~CBlockFile();
    CBlockFile(const CBlockFile&) = delete;
    CBlockFile& operator=(const CBlockFile&) = delete;

    // Writes the header of an empty container (root area of 0xBA) on a new or empty medium,
    // which ends closed; a medium that holds bytes is refused untouched.
    static void FormatMedium(IMedia& medium);

    void ReadBlock(u64 block, u8* destination);
    // count bytes at offset inside a block that is not the last partial one.
    void ReadBlockPart(u64 block, u32 offset, u32 count, u8* destination);
    // block may equal the block count, which appends a block.
    void WriteBlock(u64 block, const u8* source, bool flush);
    // The i-th block of the list to destination + i * B; runs of adjacent blocks in one read.
    void ReadBlocks(const std::vector<u64>& blocks, u8* destination);
    std::vector<u8> ReadRootArea();

    IMedia& GetMedium() const { return fMedium; }
    u32 GetBlockSize() const { return fBlockSize; }
    u64 GetBlockCount() const { return fBlockCount; }
    u32 GetRootAreaLength() const { return fRootAreaLength; }
    u64 GetDataStart() const { return fDataStart; }

private:
    void ReadHeader();

    IMedia& fMedium;
    u32 fBlockSize = 0;
    u64 fBlockCount = 0;
    u32 fRootAreaLength = 0;
    u64 fDataStart = 0;
};

// Writes one root slot and flushes the medium.
void WriteRootSlot(CBlockFile& blockFile, u64 directoryBlock, u32 slot, u64 sequence);
} // namespace NSBigFilePackage
