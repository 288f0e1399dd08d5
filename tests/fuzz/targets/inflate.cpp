// Inflate of media ranges: damaged deflate data is refused; what inflates deflates and inflates
// back to the same bytes.
#include "base/Media.h"
#include "media/MediaCompression.h"
#include "tests/fuzz/support/FuzzChecks.h"

using NSFerrant::COwnedMemoryMedia;

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    COwnedMemoryMedia source(i64(size), data);
    COwnedMemoryMedia inflated(0);
    if (!NSFuzz::ReadsOrRefuses([&] { NSFerrant::DecompressMedia(source, inflated); }))
        return 0;
    inflated.fPosition = 0;
    COwnedMemoryMedia deflated(0);
    NSFerrant::CompressMedia(inflated, deflated, 9);
    deflated.fPosition = 0;
    COwnedMemoryMedia again(0);
    NSFerrant::DecompressMedia(deflated, again);
    NSFuzz::Require(again.GetBytes() == inflated.GetBytes(), "deflate and inflate round trip");
    return 0;
}
