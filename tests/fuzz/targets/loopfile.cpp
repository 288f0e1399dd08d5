// The KIV loop library through its exports, over a whole loop file in memory. What opens must
// agree with what the information call answers, stay within the file's own claims (slices one
// after the other, their frames filling the file exactly), render each slice's stored samples
// into buffers of exactly its length, and be written back byte for byte by the loop writer.
#include "base/ByteOrder.h"
#include "base/LibraryStatusTables.h"
#include "dlls/kiv/KIV.h"
#include "dlls/kiv/LoopFileFormat.h"
#include "dlls/kiv/LoopFileWriter.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <cstring>
#include <memory>
#include <vector>

using namespace NSKIV;

namespace
{
// A refusal of a file's bytes is a damaged file, a later version or a loop without bars or
// beats; running out of memory or a failure of another kind means a size was trusted.
bool IsFileRefusal(i32 status)
{
    return status == kKIVDamagedFile || status == kKIVVersionTooNew || status == kKIVZeroLoop;
}

bool SameInfo(const TKIVInfo& a, const TKIVInfo& b)
{
    return std::memcmp(&a, &b, sizeof(TKIVInfo)) == 0;
}

void CheckOpenedLoop(TKIVHandle loop, const TKIVInfo& info, const u8* bytes, size_t size)
{
    NSFuzz::Require((info.fChannelCount == 1 || info.fChannelCount == 2) && info.fSampleRate != 0 &&
                        info.fSliceCount >= 0 && info.fBarCount != 0 && info.fBeatsPerBar != 0 &&
                        info.fFormatVersion == kLoopFileVersion && info.fBitsPerSample == kBitsPerSample,
                    "information outside the format");
    const u32 channels = info.fChannelCount;
    const size_t framesOffset = kHeaderSize + size_t(info.fSliceCount) * kSliceEntrySize;
    NSFuzz::Require(framesOffset + u64(info.fFrameCount) * channels * kBytesPerSample == size,
                    "frames do not fill the file");

    TLoopFileContent content;
    content.fFormatVersion = info.fFormatVersion;
    content.fChannelCount = channels;
    content.fSampleRate = info.fSampleRate;
    content.fBarCount = info.fBarCount;
    content.fBeatsPerBar = info.fBeatsPerBar;
    content.fTempo = info.fTempo;
    u32 nextFrame = 0;
    for (i32 index = 0; index < info.fSliceCount; ++index)
    {
        TKIVSliceInfo slice{};
        NSFuzz::Require(KIVGetSliceInfo(loop, index, sizeof(slice), &slice) == i32(kKIVOK), "slice refused");
        NSFuzz::Require(slice.fFirstFrame == nextFrame && slice.fFrameCount <= info.fFrameCount - nextFrame,
                        "slices not one after the other");
        NSFuzz::Require(NSByteOrder::ReadBE32(bytes + kHeaderSize + size_t(index) * kSliceEntrySize) ==
                            slice.fFrameCount,
                        "slice length differs from its table entry");
        nextFrame += slice.fFrameCount;

        // Buffers of exactly the slice's length: a write past them is the sanitizer's finding.
        const size_t frames = slice.fFrameCount;
        std::unique_ptr<float[]> first(new float[frames]);
        std::unique_ptr<float[]> second(new float[frames]);
        float* buffers[2] = {first.get(), channels == 2 ? second.get() : nullptr};
        if (frames > 0)
            NSFuzz::Require(KIVRenderSlice(loop, index, i32(frames - 1), buffers) != i32(kKIVOK),
                            "slice rendered into a short buffer");
        NSFuzz::Require(KIVRenderSlice(loop, index, i32(frames), buffers) == i32(kKIVOK),
                        "slice not rendered");
        std::vector<i16>& samples = content.fSlices.emplace_back();
        const u8* stored = bytes + framesOffset + size_t(slice.fFirstFrame) * channels * kBytesPerSample;
        for (size_t frame = 0; frame < frames; ++frame)
        {
            for (u32 channel = 0; channel < channels; ++channel, stored += kBytesPerSample)
            {
                const i16 sample = i16(NSByteOrder::ReadBE16(stored));
                NSFuzz::Require(buffers[channel][frame] == float(sample * 256), "rendered sample differs");
                samples.push_back(sample);
            }
        }
    }
    NSFuzz::Require(nextFrame == info.fFrameCount, "slices do not add up to the frame count");
    TKIVSliceInfo outside{};
    NSFuzz::Require(KIVGetSliceInfo(loop, -1, sizeof(outside), &outside) != i32(kKIVOK) &&
                        KIVGetSliceInfo(loop, info.fSliceCount, sizeof(outside), &outside) != i32(kKIVOK),
                    "slice outside the loop answered");

    const std::vector<u8> written = WriteLoopFile(content);
    NSFuzz::Require(written.size() == size && std::memcmp(written.data(), bytes, size) == 0,
                    "written loop differs from the file read");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    // The exports take a buffer, never a null one; an empty file is a damaged one.
    static const u8 kEmpty[1] = {};
    const u8* bytes = size > 0 ? data : kEmpty;
    KIVInitializeDLL();

    TKIVInfo fromBuffer{};
    const i32 infoStatus = KIVGetInfoFromBuffer(i32(size), bytes, sizeof(fromBuffer), &fromBuffer);
    TKIVHandle loop = nullptr;
    const i32 openStatus = KIVCreate(&loop, bytes, i32(size), nullptr, nullptr);
    NSFuzz::Require(infoStatus == openStatus, "information and opening disagree");
    NSFuzz::Require((openStatus == i32(kKIVOK)) == (loop != nullptr), "handle does not follow the status");
    if (openStatus != i32(kKIVOK))
    {
        NSFuzz::Require(IsFileRefusal(openStatus), "refused with a status other than the file's");
        return 0;
    }
    TKIVInfo info{};
    NSFuzz::Require(KIVGetInfo(loop, sizeof(info), &info) == i32(kKIVOK) && SameInfo(info, fromBuffer),
                    "opened loop's information differs");
    CheckOpenedLoop(loop, info, bytes, size);
    KIVDelete(&loop);
    return 0;
}
