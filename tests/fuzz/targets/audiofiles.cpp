// The AIFF (AIFF-C) and WAVE readers of our codec libraries: the first byte chooses the reader;
// a file that reads opens a sample reader and reads its first and last frames.
#include "dlls/audiocodec/LibraryOperations.h"
#include "dlls/corliss/AIFFFile.h"
#include "dlls/undine/WAVEFile.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <cstring>
#include <vector>

using namespace NSAudioCodec;

namespace
{
class CMemoryByteReader final : public IByteReader
{
public:
    CMemoryByteReader(const u8* bytes, i64 size) : fBytes(bytes), fSize(size) {}
    u32 Read(i64 position, i64 count, void* destination) override
    {
        NSFuzz::Require(position >= 0 && count >= 0 && count <= fSize - position, "read outside the source");
        std::memcpy(destination, fBytes + position, size_t(count));
        return kAudioCodecOK;
    }

private:
    const u8* fBytes;
    i64 fSize;
};

template <class TFile> void ReadFrames(const CByteSource& source, const TFile& file)
{
    CPCMSampleReader reader(source, file.fLayout);
    const u32 frames = file.fFormat.fFrameCount;
    const u32 count = std::min<u32>(frames, 64);
    std::vector<float> buffer(size_t(count) * file.fFormat.fChannelCount);
    reader.ReadFrames(0, buffer.data(), count);
    reader.ReadFrames(frames - count, buffer.data(), count);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    CMemoryByteReader bytes(data + 1, i64(size - 1));
    const CByteSource source(bytes, i64(size - 1));
    NSFuzz::ReadsOrRefuses([&] {
        if (data[0] & 1)
            ReadFrames(source, NSUndineLibrary::ReadWAVEFile(source));
        else
            ReadFrames(source, NSCorlissLibrary::ReadAIFFFile(source));
    });
    return 0;
}
