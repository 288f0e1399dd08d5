// The block container opened and read over a memory medium: every stream of the directory is
// opened and read to its end in pieces.
#include "media/bigfile/BigFile.h"
#include "tests/fuzz/support/FuzzChecks.h"
#include "tests/media/bigfile/MemoryMedium.h"

#include <vector>

using namespace NSBigFilePackage;

namespace
{
constexpr u64 kMaxReadBytes = u64(1) << 22;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    CMemoryMedium medium(std::vector<u8>(data, data + size));
    NSFuzz::ReadsOrRefuses([&] {
        CBigFile container(medium);
        u64 budget = kMaxReadBytes;
        for (const u32 id : container.GetStreamIDs())
        {
            NSFuzz::ReadsOrRefuses([&] {
                std::unique_ptr<IStream> stream = container.OpenStreamForReading(id);
                std::vector<u8> piece(4096);
                while (stream->GetPosition() < stream->GetSize() && budget > 0)
                {
                    const u32 n = u32(std::min<u64>({piece.size(), stream->GetSize() - stream->GetPosition(), budget}));
                    container.ReadStreamAt(*stream, n, piece.data());
                    budget -= n;
                }
            });
        }
    });
    return 0;
}
