#pragma once
// The directory of a container: every committed stream with its length and blocks, the blocks
// of the directory's own chain, the free blocks and the blocks handed to streams being written.
//
// Stored as a chain of blocks, each a u64 next block (kEndOfChain in the last) and B - 8 bytes
// of directory data:
//
//   u32 entry count, then per entry in ascending id order
//       u32 id, u64 length, u64 block count n, n x u64 block, u32 0xC0CAC01A
//   u32 0xB0BAFE77, then 0xFE up to the end of the last block
#include "base/Types.h"
#include "media/bigfile/BlockFile.h"

#include <map>
#include <vector>

namespace NSBigFilePackage
{
constexpr u64 kEndOfChain = 0xFFFFFFFFFFFFFFFF;

struct TStreamEntry
{
    u64 fLength = 0;
    std::vector<u64> fBlocks;
};

class CDirectory
{
public:
    // An empty directory with no blocks at all, to be read or written.
    explicit CDirectory(CBlockFile& blockFile);

    // Reads the chain that starts at firstBlock. A chain that leaves the file or comes back on
    // itself, an entry past the data or longer than its blocks, a block outside the file or
    // serving twice: XFormatViolation for a file.
    void Read(u64 firstBlock);

    // Writes every entry into newly allocated blocks, flushing each, and answers the first.
    // The blocks of the previous chain become free.
    u64 WriteDirectory();

    // Takes the lowest free blocks first (the free list is kept in descending order), then
    // new blocks past the end of the file.
    std::vector<u64> AllocateBlocks(u64 count);
    u64 AllocateStreamBlock(u32 id);
    // Blocks of a failed write go back to the free list, unless they were new to the file.
    void ReleaseStreamBlocks(u32 id, const std::vector<u64>& blocks);
    // A stream abandoned before its commit: its blocks become free.
    void DropPendingBlocks(u32 id);
    // The id's entry becomes its pending blocks with this length (none for length 0); answers
    // the blocks the entry used before, which stay untouched until the commit is complete.
    std::vector<u64> UpdateStreamEntry(u32 id, u64 length);
    // Frees blocks and sorts the free list again.
    void ReturnBlocks(const std::vector<u64>& blocks);

    bool HasStream(u32 id) const { return fStreams.count(id) != 0; }
    const std::vector<u64>& GetStreamBlocks(u32 id) const;
    u64 GetStreamLength(u32 id) const;
    std::vector<u32> GetStreamIDs() const;
    const std::vector<u64>& GetFreeBlocks() const { return fFreeBlocks; }
    const std::vector<u64>& GetDirectoryBlocks() const { return fDirectoryBlocks; }

    // Every block below the block count serves exactly once: in the chain, in an entry, pending
    // for a stream or free.
    bool IsConsistent() const;

private:
    const TStreamEntry& GetEntry(u32 id) const;
    void ParseData(const std::vector<u8>& data);

    CBlockFile* fBlockFile;
    std::vector<u64> fFreeBlocks;
    std::vector<u64> fDirectoryBlocks;
    std::map<u32, std::vector<u64>> fPendingBlocks;
    std::map<u32, TStreamEntry> fStreams;
};

// Block 0 becomes a directory without entries, flushed.
void WriteEmptyDirectory(CBlockFile& blockFile);
} // namespace NSBigFilePackage
