#pragma once
// Packed samples checked while the pack goes on: each is decoded from the package file as soon as
// its bytes are there, on worker threads, while the entries after it are packed; a large sample
// is decoded behind its writer while it is being coded. What a check decoded is kept as one sum
// per piece, so that the package's own check later only reads the entry back and compares: a
// read costs far less than a decode. A check that fails keeps nothing, and the entry is decoded
// again in its turn, where its failure belongs.
#include "base/Media.h"
#include "base/Types.h"

#include <deque>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class CWorkerThreads;
class CWriteProgress;

namespace NSVantlePacking
{
// Whether entries of the packed type are checked by decoding a packed sample.
bool IsCheckedByDecoding(u32 packedType);

// The bytes a check decoded: where in the data area, how many, and their sums per piece.
struct TCheckedEntry
{
    i64 fOffset = 0;
    i64 fSize = 0;
    std::vector<u32> fPieceSums;
};

// Whether the window onto an entry holds the bytes that its check decoded (read back in pieces).
bool HoldsTheCheckedBytes(NSFerrant::CMedia& entry, const TCheckedEntry& checked);

class CSampleChecksAhead
{
public:
    // The package file, written by one thread and read by the checks; its data area begins at
    // dataStart. It must outlive this object.
    CSampleChecksAhead(const NSFerrant::CMedia& package, i64 dataStart);
    // Drops the checks not yet begun and waits for those running; their results are dropped.
    ~CSampleChecksAhead();
    CSampleChecksAhead(const CSampleChecksAhead&) = delete;
    CSampleChecksAhead& operator=(const CSampleChecksAhead&) = delete;

    class CEntry;
    // The media that the entry of that index is written to, beginning at the data area's position
    // (it is written front to back); a packed sample is checked as its bytes arrive. The caller
    // calls Complete once the entry is written; an entry destroyed before that ends its check.
    std::unique_ptr<CEntry> Begin(u32 index, bool isPackedSample, NSFerrant::CMedia& data);
    // Waits for every check under way and keeps its result.
    void WaitForAll();
    // The result of the entry's check, when it was checked and passed; after WaitForAll.
    const TCheckedEntry* Find(u32 index) const;

private:
    struct TCheck
    {
        u32 fIndex;
        std::future<std::optional<TCheckedEntry>> fResult;
    };
    void Start(u32 index, i64 offset, const std::shared_ptr<CWriteProgress>& progress);
    void KeepOldest();

    const NSFerrant::CMedia& fPackage;
    i64 fDataStart;
    std::size_t fMostUnderWay;
    std::map<u32, TCheckedEntry> fPassed;
    std::deque<TCheck> fUnderWay;
    // Last member: destroyed first, so no check outlives what it reads.
    std::unique_ptr<CWorkerThreads> fWorkers;
};

// The data area from its position on, as a window over it.
class CSampleChecksAhead::CEntry : public NSFerrant::CPartialMedia
{
public:
    CEntry(CSampleChecksAhead& checks, u32 index, bool isPackedSample, NSFerrant::CMedia& data);
    ~CEntry() override;

    void Write(i64 offset, i64 size, const void* source) override;

    // The entry is written: the data area's position moves behind it, and its check, if it is
    // not yet under way, begins when the entry is large enough to pay for a worker.
    void Complete();

private:
    void StartCheck();

    CSampleChecksAhead& fChecks;
    u32 fIndex;
    i64 fOffset; // in the data area
    std::shared_ptr<CWriteProgress> fProgress; // null for an entry that is not checked ahead
    bool fCheckStarted = false;
    bool fComplete = false;
};
} // namespace NSVantlePacking
