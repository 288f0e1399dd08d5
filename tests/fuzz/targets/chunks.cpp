// The IFF and RIFF chunk walkers, the RIFF test and the MIDI header: every group is entered and
// every chunk's data read, to the bottom of the nesting.
#include "base/Media.h"
#include "media/IFFFileReader.h"
#include "media/IFFReader2.h"
#include "media/MIDIFileReader.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <vector>

using namespace NSFerrant;

namespace
{
// Deeper than any real file nests; the walkers themselves recurse no further than the caller.
constexpr int kMaxDepth = 16;

void Walk(CIFFReader2& reader, int depth)
{
    TIFFChunk chunk;
    for (bool more = reader.FirstChunk(chunk); more; more = reader.NextChunk(chunk, chunk))
    {
        if (chunk.fKind == kChunkKindPlain)
        {
            std::vector<u8> bytes(size_t(reader.OpenChunkData(chunk)->GetSize()));
            reader.ReadChunkData(chunk, bytes.data());
        }
        else if (depth < kMaxDepth)
        {
            if (dynamic_cast<CRIFFReader2*>(&reader))
            {
                CRIFFReader2 inner(reader, chunk);
                Walk(inner, depth + 1);
            }
            else
            {
                CIFFReader2 inner(reader, chunk);
                Walk(inner, depth + 1);
            }
        }
    }
}

void WalkNested(CMedia& media)
{
    CIFFFileReader file(media);
    if (!file.EnterFirstChunk())
        return;
    int steps = 0;
    do
    {
        if (file.GetCurrentChunk().fKind != kChunkKindPlain && file.GetDepth() < kMaxDepth && file.EnterFirstChunk())
            continue;
        while (!file.EnterNextChunk() && file.GetDepth() > 1)
            file.LeaveLevel();
    } while (file.GetDepth() > 0 && ++steps < 4096 && file.GetCurrentChunk().fKind != kChunkKindRoot);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    COwnedMemoryMedia media(i64(size), data);
    NSFuzz::ReadsOrRefuses([&] {
        CIFFReader2 reader(media);
        Walk(reader, 0);
    });
    media.fPosition = 0;
    NSFuzz::ReadsOrRefuses([&] {
        CRIFFReader2 reader(media);
        Walk(reader, 0);
    });
    media.fPosition = 0;
    NSFuzz::ReadsOrRefuses([&] { WalkNested(media); });
    media.fPosition = 0;
    const bool riff = IsRIFFMedia(media);
    NSFuzz::Require(media.fPosition == 0, "the RIFF test moved the position");
    if (riff)
        NSFuzz::ReadsOrRefuses([&] {
            CRIFFReader2 reader(media);
            Walk(reader, 0);
        });
    media.fPosition = 0;
    NSFuzz::ReadsOrRefuses([&] {
        TMIDIFileHeader header;
        CMIDIFileReader(media).ReadHeader(header);
    });
    return 0;
}
