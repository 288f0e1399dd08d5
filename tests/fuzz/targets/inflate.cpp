// Inflate of media ranges with its output limit: damaged deflate data is refused, and so is data
// that would inflate past the limit; what inflates stays within the limit and deflates and
// inflates back to the same bytes. The first two bytes choose the limit.
#include "base/Media.h"
#include "media/MediaCompression.h"
#include "tests/fuzz/support/FuzzChecks.h"

using NSFerrant::COwnedMemoryMedia;

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 2)
        return 0;
    const u64 limit = u64(data[0]) << 8 | data[1];
    COwnedMemoryMedia source(i64(size - 2), data + 2);
    COwnedMemoryMedia inflated(0);
    if (!NSFuzz::ReadsOrRefuses([&] { NSFerrant::DecompressMedia(source, inflated, limit); }))
        return 0;
    NSFuzz::Require(u64(inflated.GetSize()) <= limit, "inflated past the limit");
    inflated.fPosition = 0;
    COwnedMemoryMedia deflated(0);
    NSFerrant::CompressMedia(inflated, deflated, 9);
    deflated.fPosition = 0;
    COwnedMemoryMedia again(0);
    NSFerrant::DecompressMedia(deflated, again, limit);
    NSFuzz::Require(again.GetBytes() == inflated.GetBytes(), "deflate and inflate round trip");
    return 0;
}
