// The package readers that work over bytes: the header with its information block, the index
// rows between index start and data start, and compressed entries. The first byte chooses.
// Index rows that read are written and read back equal.
#include "base/Media.h"
#include "content/package/CompressedEntry.h"
#include "content/package/VantleHeader.h"
#include "content/package/VantleIndexRow.h"
#include "content/package/VantleInfo.h"
#include "tests/fuzz/support/FuzzChecks.h"

using NSFerrant::COwnedMemoryMedia;

namespace
{
void ReadPackage(COwnedMemoryMedia& media)
{
    CVantleInfo info;
    if (!NSFuzz::ReadsOrRefuses([&] { ReadVantleHeader(info, media); }))
        return;
    media.fPosition = info.fIndexStart;
    while (media.fPosition < info.fDataStart)
    {
        CVantleIndexRow row;
        if (!NSFuzz::ReadsOrRefuses([&] { row.Read(media); }))
            return;
        COwnedMemoryMedia written(0);
        row.Write(written);
        written.fPosition = 0;
        CVantleIndexRow again;
        again.Read(written);
        NSFuzz::Require(again == row, "index row round trip");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    COwnedMemoryMedia media(i64(size - 1), data + 1);
    if (data[0] & 1)
        NSFuzz::ReadsOrRefuses([&] { InflateCompressedEntry(media); });
    else
        ReadPackage(media);
    return 0;
}
