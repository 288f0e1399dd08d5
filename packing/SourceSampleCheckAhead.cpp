#include "packing/SourceSampleCheckAhead.h"

#include "base/Media.h"
#include "base/WorkAhead.h"
#include "packing/ProcessorRegistry.h"
#include "packing/ProcessorSupport.h"
#include "packing/SampleProcessors.h"

#include <limits>

namespace NSVantlePacking
{
namespace
{
// A check reads a sample's header and holds nothing but the open file while it waits, so the
// files ahead are bounded by count alone. A batch of checks is one hand-off to a worker.
constexpr u32 kChecksPerBatch = 32;
constexpr u32 kBatchesAhead = 2;
// A check is mostly system calls, which the Wine server answers one at a time: what pays is
// the verifying thread opening the next files while one worker reads, checks and closes them;
// more workers only queue at the server and were measured slower.
constexpr u32 kCheckThreads = 1;
} // namespace

class CSourceSampleCheckAhead::CWindow : public CWorkAhead<void>
{
public:
    using CWorkAhead<void>::CWorkAhead;
};

CSourceSampleCheckAhead::CSourceSampleCheckAhead(std::vector<CItemPtr> files)
    : fFiles(std::move(files)), fSizes(fFiles.size())
{
    // Items are not safe to share between threads: only the source's media reaches a worker.
    auto prepare = [this](std::size_t index) -> std::optional<CWindow::TPrepared> {
        const CItemPtr& file = fFiles[index];
        const auto* verifier = dynamic_cast<const CSampleFileVerifier*>(FindVerifier(file));
        if (verifier == nullptr)
            return std::nullopt;
        return CWindow::TPrepared{[this, index, verifier, source = OpenSourceMedia(file)]() mutable {
                                      // Closed by the worker, whatever the check's outcome.
                                      const std::shared_ptr<NSFerrant::CMedia> media = std::move(source);
                                      fSizes[index].store(u64(media->GetSize()), std::memory_order_relaxed);
                                      verifier->VerifyOpened(*media);
                                  },
                                  0, false, true};
    };
    fWindow = std::make_unique<CWindow>(
        fFiles.size(), std::move(prepare),
        CWindow::TLimits{kCheckThreads, kBatchesAhead * kChecksPerBatch,
                         std::numeric_limits<u64>::max(), kChecksPerBatch});
}

CSourceSampleCheckAhead::~CSourceSampleCheckAhead() = default;

std::future<void> CSourceSampleCheckAhead::Take(std::size_t index)
{
    return fWindow->Take(index);
}

void CSourceSampleCheckAhead::CollectSizes(TSourceFileSizes& sizes) const
{
    for (std::size_t i = 0; i < fFiles.size(); ++i)
        if (const u64 size = fSizes[i].load(std::memory_order_relaxed); size != 0)
            sizes[fFiles[i].Get()] = size;
}
} // namespace NSVantlePacking
