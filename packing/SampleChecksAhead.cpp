#include "packing/SampleChecksAhead.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"
#include "base/WorkerThreads.h"
#include "base/WriteProgress.h"
#include "content/package/PackedFileTypes.h"
#include "packing/PackedSampleDecoding.h"
#include "packing/ProcessorRegistry.h"
#include "packing/SamplePackAhead.h"
#include "packing/SampleProcessors.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace NSVantlePacking
{
namespace
{
// The bytes of one sum; also how far a check stays behind its writer.
constexpr i64 kPieceBytes = 1024 * 1024;
// Each check holds one piece and a decoder's buffers.
constexpr u32 kChecksPerThread = 2;

u32 SumOf(const u8* bytes, i64 size)
{
    return u32(crc32(crc32(0, nullptr, 0), bytes, uInt(size)));
}

// A packed sample as its check reads it from the package file, behind the thread that writes it:
// a read waits until the writer has written past it. The entry is read a piece at a time, and
// each piece is summed as it is first read; a piece read again must hold the same bytes.
class CEntryBehindWriter : public NSFerrant::CMedia
{
public:
    CEntryBehindWriter(const NSFerrant::CMedia& package, i64 start, const CWriteProgress& progress)
        : fPackage(package), fStart(start), fProgress(progress)
    {
    }

    void Read(i64 offset, i64 size, void* destination) const override
    {
        if (offset < 0 || size < 0)
            NSQuorral::Throw<NSQuorral::XRead>();
        auto* out = static_cast<u8*>(destination);
        while (size > 0)
        {
            const i64 index = offset / kPieceBytes;
            LoadPiece(index);
            const i64 within = offset - index * kPieceBytes;
            if (within >= fPieceLength)
                NSQuorral::Throw<NSQuorral::XRead>(); // beyond the entry's end
            const i64 piece = std::min(size, fPieceLength - within);
            std::memcpy(out, fPiece.data() + within, size_t(piece));
            out += piece;
            offset += piece;
            size -= piece;
        }
    }

    void Write(i64, i64, const void*) override { NSQuorral::Throw<NSQuorral::XIllegalCallSequence>(); }

    // Until the entry is complete, what is written, once the writer is a piece ahead of the
    // position: a reader that reads up to the size it is told never waits in vain.
    i64 GetSize() const override { return fProgress.WaitFor(fPosition + kPieceBytes).fBytes; }

    i64 WaitForEnd() const { return fProgress.WaitFor(kMaxEnd).fBytes; }

    // The sums of every piece of the complete entry.
    std::vector<u32> SumAll() const
    {
        const i64 size = WaitForEnd();
        for (i64 index = i64(fSums.size()); index * kPieceBytes < size; ++index)
            LoadPiece(index);
        return fSums;
    }

private:
    static constexpr i64 kMaxEnd = i64(1) << 62;

    void LoadPiece(i64 index) const
    {
        if (index == fPieceIndex)
            return;
        // Pieces are summed in order, so the ones skipped are read first.
        for (i64 skipped = i64(fSums.size()); skipped < index; ++skipped)
            LoadPiece(skipped);
        const i64 begin = index * kPieceBytes;
        const CWriteProgress::TWritten written = fProgress.WaitFor(begin + kPieceBytes);
        fPieceIndex = -1;
        fPieceLength = std::clamp<i64>(written.fBytes - begin, 0, kPieceBytes);
        // Most samples are far shorter than a piece: the buffer grows to what is read.
        if (i64(fPiece.size()) < fPieceLength)
            fPiece.resize(size_t(fPieceLength));
        if (fPieceLength > 0)
            fPackage.Read(fStart + begin, fPieceLength, fPiece.data());
        fPieceIndex = index;
        const u32 sum = SumOf(fPiece.data(), fPieceLength);
        if (index == i64(fSums.size()))
            fSums.push_back(sum);
        else if (fSums[size_t(index)] != sum)
            NSQuorral::Throw<NSQuorral::XRead>(); // changed under the check: it proves nothing
    }

    const NSFerrant::CMedia& fPackage;
    i64 fStart;
    const CWriteProgress& fProgress;
    mutable std::vector<u8> fPiece;
    mutable i64 fPieceIndex = -1;
    mutable i64 fPieceLength = 0;
    mutable std::vector<u32> fSums;
};

std::optional<TCheckedEntry> CheckBehindWriter(const NSFerrant::CMedia& package, i64 dataStart, i64 offset,
                                               const CWriteProgress& progress)
{
    try
    {
        CEntryBehindWriter entry(package, dataStart + offset, progress);
        DecodeKORBSampleBehindWriter(entry, [&] { return entry.WaitForEnd(); });
        std::vector<u32> sums = entry.SumAll();
        return TCheckedEntry{offset, entry.WaitForEnd(), std::move(sums)};
    }
    catch (...)
    {
        // The entry is decoded again in its turn, which meets the failure where it belongs.
        return std::nullopt;
    }
}
} // namespace

bool IsCheckedByDecoding(u32 packedType)
{
    return !IsCompressedEntryType(packedType) &&
           dynamic_cast<const CKORBPackedFileVerifier*>(FindPackedDataVerifier(packedType)) != nullptr;
}

bool HoldsTheCheckedBytes(NSFerrant::CMedia& entry, const TCheckedEntry& checked)
{
    const i64 size = entry.GetSize();
    if (size != checked.fSize || (size + kPieceBytes - 1) / kPieceBytes != i64(checked.fPieceSums.size()))
        return false;
    const std::unique_ptr<u8[]> piece(new u8[size_t(std::min(size, kPieceBytes))]);
    for (i64 index = 0; index * kPieceBytes < size; ++index)
    {
        const i64 length = std::min(kPieceBytes, size - index * kPieceBytes);
        entry.Read(index * kPieceBytes, length, piece.get());
        if (SumOf(piece.get(), length) != checked.fPieceSums[size_t(index)])
            return false;
    }
    return true;
}

// The checks run beside the workers that code the samples ahead, which keep the processors busy
// in a folder of many samples: half as many threads keep up there without taking the processors
// from the coding, and a single large sample needs one.
CSampleChecksAhead::CSampleChecksAhead(const NSFerrant::CMedia& package, i64 dataStart)
    : fPackage(package), fDataStart(dataStart),
      fMostUnderWay(CWorkerThreads::GetProcessorThreadCount() * kChecksPerThread),
      fWorkers(std::make_unique<CWorkerThreads>(std::max(1u, CWorkerThreads::GetProcessorThreadCount() / 2)))
{
}

CSampleChecksAhead::~CSampleChecksAhead() = default;

std::unique_ptr<CSampleChecksAhead::CEntry> CSampleChecksAhead::Begin(u32 index, bool isPackedSample,
                                                                      NSFerrant::CMedia& data)
{
    return std::make_unique<CEntry>(*this, index, isPackedSample, data);
}

void CSampleChecksAhead::Start(u32 index, i64 offset, const std::shared_ptr<CWriteProgress>& progress)
{
    // The oldest check reads an entry that is complete, so waiting for it always ends.
    while (fUnderWay.size() >= fMostUnderWay)
        KeepOldest();
    const NSFerrant::CMedia& package = fPackage;
    const i64 dataStart = fDataStart;
    fUnderWay.push_back(
        {index, fWorkers->Queue([&package, dataStart, offset, progress] {
             return CheckBehindWriter(package, dataStart, offset, *progress);
         })});
}

void CSampleChecksAhead::KeepOldest()
{
    TCheck oldest = std::move(fUnderWay.front());
    fUnderWay.pop_front();
    if (std::optional<TCheckedEntry> passed = oldest.fResult.get())
        fPassed[oldest.fIndex] = std::move(*passed);
}

void CSampleChecksAhead::WaitForAll()
{
    while (!fUnderWay.empty())
        KeepOldest();
}

const TCheckedEntry* CSampleChecksAhead::Find(u32 index) const
{
    const auto passed = fPassed.find(index);
    return passed != fPassed.end() ? &passed->second : nullptr;
}

CSampleChecksAhead::CEntry::CEntry(CSampleChecksAhead& checks, u32 index, bool isPackedSample,
                                   NSFerrant::CMedia& data)
    : CPartialMedia(&data, data.fPosition, kOpenEnded), fChecks(checks), fIndex(index), fOffset(data.fPosition),
      fProgress(isPackedSample ? std::make_shared<CWriteProgress>() : nullptr)
{
}

CSampleChecksAhead::CEntry::~CEntry()
{
    if (fProgress && !fComplete)
        fProgress->Fail();
}

void CSampleChecksAhead::CEntry::Write(i64 offset, i64 size, const void* source)
{
    CPartialMedia::Write(offset, size, source);
    if (!fProgress)
        return;
    fProgress->Advance(offset + size);
    // A large entry is checked while it is written.
    if (!fCheckStarted && offset + size >= kPieceBytes)
        StartCheck();
}

void CSampleChecksAhead::CEntry::Complete()
{
    PropagatePosition(false);
    if (!fProgress)
        return;
    fProgress->Finish(fPosition);
    fComplete = true;
    if (!fCheckStarted && u64(fPosition) >= kSmallestSampleForWorkers)
        StartCheck();
}

void CSampleChecksAhead::CEntry::StartCheck()
{
    fCheckStarted = true;
    fChecks.Start(fIndex, fOffset, fProgress);
}
} // namespace NSVantlePacking
