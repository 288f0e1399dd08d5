#pragma once
// The files of the verifying phase in order, with their samples checked ahead of their turn on
// worker threads, a batch of files to a task. A sample's check reads only its own bytes; what the
// outcome does to the job (a failed file collected, the walk going on) still happens in the
// file's turn on the verifying thread, so the phase ends as one that checks each file in turn.
#include "content/vfs/VirtualFileItem.h"
#include "packing/SourceFileSizes.h"

#include <atomic>
#include <cstddef>
#include <future>
#include <memory>
#include <vector>

namespace NSVantlePacking
{
class CSourceSampleCheckAhead
{
public:
    explicit CSourceSampleCheckAhead(std::vector<CItemPtr> files);
    ~CSourceSampleCheckAhead();
    CSourceSampleCheckAhead(const CSourceSampleCheckAhead&) = delete;
    CSourceSampleCheckAhead& operator=(const CSourceSampleCheckAhead&) = delete;

    // The check of the file at index made ahead: get() ends as VerifySourceFile would for the
    // file, or an empty future (valid() is false) when the file is verified in its turn instead.
    // Indices are taken in increasing order.
    std::future<void> Take(std::size_t index);
    // The size each sample checked ahead had when its check read it; a file no check has read
    // yet is left out.
    void CollectSizes(TSourceFileSizes& sizes) const;

private:
    class CWindow;
    std::vector<CItemPtr> fFiles;
    // Written by the check of each file on its worker; 0 where no check has read the file.
    std::vector<std::atomic<u64>> fSizes;
    std::unique_ptr<CWindow> fWindow;
};
} // namespace NSVantlePacking
