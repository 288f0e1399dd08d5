#include "packing/SamplePackAhead.h"

#include "base/Media.h"
#include "base/WorkAhead.h"
#include "content/vfs/ShellFile.h"
#include "filelib/FileMedia.h"
#include "packing/ProcessorRegistry.h"
#include "packing/ProcessorSupport.h"
#include "packing/SampleProcessors.h"
#include "packing/VerifyAndPackPhases.h"

namespace NSVantlePacking
{
namespace
{
using TPacked = std::unique_ptr<NSFerrant::COwnedMemoryMedia>;

// A packed sample is about as large as its source, so these bound the memory of the files
// waiting for their turn; a larger source is packed in its turn, straight into the data file.
constexpr u64 kLargestSourceAhead = 16 * 1024 * 1024;
constexpr u64 kMostBytesAhead = 64 * 1024 * 1024;
constexpr u32 kElementsAheadPerThread = 2;

TPacked PackOpened(const CSampleFileTypePacker& packer, NSFerrant::CMedia& source, u64 size)
{
    auto packed = std::make_unique<NSFerrant::COwnedMemoryMedia>(i64(size));
    packer.PackOpened(source, *packed);
    return packed;
}

// Opens the file on this thread, so that its system calls leave the planning thread. Nothing
// when the file has grown past what is coded ahead since its size was read: it is packed in its
// turn then.
TPacked PackFileOpenedHere(const CSampleFileTypePacker& packer, NSFileLib::IFileSpec& file)
{
    NSFileLibSupport::COpenFile source(&file);
    const u64 size = u64(source.GetSize());
    if (size > kLargestSourceAhead)
        return {};
    source.fPosition = 0;
    return PackOpened(packer, source, size);
}
} // namespace

class CSamplePackAhead::CWindow : public CWorkAhead<TPacked>
{
public:
    using CWorkAhead<TPacked>::CWorkAhead;
};

CSamplePackAhead::CSamplePackAhead(std::vector<CItemPtr> files,
                                   const TSourceFileSizes& knownSizes)
    : fFiles(std::move(files)), fKnownSizes(knownSizes)
{
    const u32 threads = CWorkerThreads::GetProcessorThreadCount();
    // Items are not safe to share between threads: only the source's media or its file's spec
    // reaches a worker.
    auto prepare = [this](std::size_t index) -> std::optional<CWindow::TPrepared> {
        const CItemPtr& file = fFiles[index];
        const auto* packer = dynamic_cast<const CSampleFileTypePacker*>(FindPacker(file));
        if (packer == nullptr)
            return std::nullopt;
        // A small sample is coded in its turn here: batching such samples to the workers was
        // measured slower, their system calls queue at the Wine server all the same.
        if (const std::optional<u64> known = KnownSizeOfFile(file); known && *known >= kSmallestSampleForWorkers)
        {
            if (*known > kLargestSourceAhead)
                return std::nullopt;
            return CWindow::TPrepared{[packer, spec = file->GetFileSpec()] { return PackFileOpenedHere(*packer, *spec); },
                                      *known};
        }
        // The size of the open file, not the item's: asking the item looks the file up again.
        std::shared_ptr<NSFerrant::CMedia> source = OpenSourceMedia(file);
        const u64 size = u64(source->GetSize());
        if (size > kLargestSourceAhead)
            return std::nullopt;
        return CWindow::TPrepared{[packer, source, size] { return PackOpened(*packer, *source, size); }, size,
                                  size < kSmallestSampleForWorkers};
    };
    fWindow = std::make_unique<CWindow>(fFiles.size(), std::move(prepare),
                                        CWindow::TLimits{threads, threads * kElementsAheadPerThread, kMostBytesAhead});
}

std::optional<u64> CSamplePackAhead::KnownSizeOfFile(const CItemPtr& file) const
{
    // Only a file of the disk opens as its spec does.
    if (dynamic_cast<NSVirtualFS::CShellFile*>(file.Get()) == nullptr || !file->IsRegularFile())
        return std::nullopt;
    const auto known = fKnownSizes.find(file.Get());
    if (known == fKnownSizes.end())
        return std::nullopt;
    return known->second;
}

CSamplePackAhead::~CSamplePackAhead() = default;

u64 CSamplePackAhead::Pack(std::size_t index, IReferenceRelocator& relocator, NSFerrant::CMedia& destination)
{
    std::future<TPacked> ahead = fWindow->Take(index);
    if (!ahead.valid())
        return PackFileToMedia(fFiles[index], relocator, destination);
    const TPacked packed = ahead.get();
    if (!packed)
        return PackFileToMedia(fFiles[index], relocator, destination);
    NSFerrant::WriteBytes(destination, packed->GetSize(), packed->GetBytes().data());
    return u64(packed->GetSize());
}
} // namespace NSVantlePacking
