#pragma once
// The files of a packing run in order, with their samples coded ahead of their turn on worker
// threads, each into memory of its own. Coding samples is most of a pack's work and one sample
// does not depend on another; the data file is still written by one thread in order, so it is
// the same byte for byte as one written without help.
#include "content/vfs/VirtualFileItem.h"
#include "packing/FileTypeProcessors.h"
#include "packing/SourceFileSizes.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace NSFerrant
{
class CMedia;
}

namespace NSVantlePacking
{
// A sample of fewer bytes is coded or checked in its turn by the thread that needs it: handing
// it to a worker and waiting for the answer costs more than the work (thread hand-offs are
// system calls under Wine), which decides the time of a folder of thousands of short sounds.
constexpr u64 kSmallestSampleForWorkers = 32 * 1024;

class CSamplePackAhead
{
public:
    // knownSizes: the size of a sample file as it was last read, by item; a file found there is
    // opened by the worker that codes it instead of by the thread that plans the work.
    CSamplePackAhead(std::vector<CItemPtr> files, const TSourceFileSizes& knownSizes);
    ~CSamplePackAhead();
    CSamplePackAhead(const CSamplePackAhead&) = delete;
    CSamplePackAhead& operator=(const CSamplePackAhead&) = delete;

    // Does what PackFileToMedia does for the file at index, with the same result and failures:
    // copies the packed form a worker made, or packs the file here when it was not packed
    // ahead. Indices are taken in increasing order.
    u64 Pack(std::size_t index, IReferenceRelocator& relocator, NSFerrant::CMedia& destination);

private:
    class CWindow;
    std::optional<u64> KnownSizeOfFile(const CItemPtr& file) const;
    std::vector<CItemPtr> fFiles;
    const TSourceFileSizes& fKnownSizes;
    std::unique_ptr<CWindow> fWindow;
};
} // namespace NSVantlePacking
