#include "packing/SamplePackAhead.h"

#include "base/Media.h"
#include "base/WorkAhead.h"
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
} // namespace

class CSamplePackAhead::CWindow : public CWorkAhead<TPacked>
{
public:
    using CWorkAhead<TPacked>::CWorkAhead;
};

CSamplePackAhead::CSamplePackAhead(std::vector<CItemPtr> files) : fFiles(std::move(files))
{
    const u32 threads = CWorkerThreads::GetProcessorThreadCount();
    // Items are not safe to share between threads: only the source's media reaches a worker.
    auto prepare = [this](std::size_t index) -> std::optional<CWindow::TPrepared> {
        const CItemPtr& file = fFiles[index];
        const auto* packer = dynamic_cast<const CSampleFileTypePacker*>(FindPacker(file));
        if (packer == nullptr)
            return std::nullopt;
        // The size of the open file, not the item's: asking the item looks the file up again.
        std::shared_ptr<NSFerrant::CMedia> source = OpenSourceMedia(file);
        const u64 size = u64(source->GetSize());
        if (size > kLargestSourceAhead)
            return std::nullopt;
        return CWindow::TPrepared{[packer, source, size] {
                                      auto packed = std::make_unique<NSFerrant::COwnedMemoryMedia>(i64(size));
                                      packer->PackOpened(*source, *packed);
                                      return packed;
                                  },
                                  size, size < kSmallestSampleForWorkers};
    };
    fWindow = std::make_unique<CWindow>(fFiles.size(), std::move(prepare),
                                        CWindow::TLimits{threads, threads * kElementsAheadPerThread, kMostBytesAhead});
}

CSamplePackAhead::~CSamplePackAhead() = default;

u64 CSamplePackAhead::Pack(std::size_t index, IReferenceRelocator& relocator, NSFerrant::CMedia& destination)
{
    std::future<TPacked> ahead = fWindow->Take(index);
    if (!ahead.valid())
        return PackFileToMedia(fFiles[index], relocator, destination);
    const TPacked packed = ahead.get();
    NSFerrant::WriteBytes(destination, packed->GetSize(), packed->GetBytes().data());
    return u64(packed->GetSize());
}
} // namespace NSVantlePacking
