#include "dlls/kiv/LoopFile.h"

#include "base/ByteOrder.h"
#include "dlls/kiv/KIVFailures.h"
#include "dlls/kiv/LoopFileFormat.h"

namespace NSKIV
{
namespace
{
u32 HeaderField(const u8* bytes, size_t offset)
{
    return NSByteOrder::ReadBE32(bytes + offset);
}

// The version decides how the rest is read, so it is judged before anything after it: a file
// of a later version is reported as such even when its header has grown.
void CheckMagicAndVersion(const u8* bytes, size_t size)
{
    if (size < kVersionOffset + 4 || HeaderField(bytes, kMagicOffset) != kLoopFileMagic)
        ThrowDamagedFile();
    const u32 version = HeaderField(bytes, kVersionOffset);
    if (version == 0)
        ThrowDamagedFile();
    if (version > kLoopFileVersion)
        ThrowLaterVersion();
}

TKIVInfo ReadHeader(const u8* bytes, size_t size)
{
    if (size < kHeaderSize)
        ThrowDamagedFile();
    TKIVInfo info{};
    info.fChannelCount = HeaderField(bytes, kChannelCountOffset);
    info.fSampleRate = HeaderField(bytes, kSampleRateOffset);
    info.fSliceCount = i32(HeaderField(bytes, kSliceCountOffset));
    info.fBarCount = HeaderField(bytes, kBarCountOffset);
    info.fBeatsPerBar = HeaderField(bytes, kBeatsPerBarOffset);
    info.fFormatVersion = HeaderField(bytes, kVersionOffset);
    info.fBitsPerSample = kBitsPerSample;
    info.fTempo = HeaderField(bytes, kTempoOffset);
    if ((info.fChannelCount != 1 && info.fChannelCount != 2) || info.fSampleRate == 0 || info.fSliceCount < 0)
        ThrowDamagedFile();
    return info;
}
} // namespace

TLoopLayout ReadLoopLayout(const u8* bytes, size_t size)
{
    CheckMagicAndVersion(bytes, size);
    TLoopLayout layout{ReadHeader(bytes, size), {}, 0};
    TKIVInfo& info = layout.fInfo;

    const size_t sliceCount = size_t(info.fSliceCount);
    if (sliceCount > (size - kHeaderSize) / kSliceEntrySize)
        ThrowDamagedFile();
    layout.fFramesOffset = kHeaderSize + sliceCount * kSliceEntrySize;

    // Each slice's frames must lie in the bytes left; the running total never passes them, so
    // it stays far inside 32 bits (a file is at most 2^31 - 1 bytes).
    const u64 bytesPerFrame = u64(info.fChannelCount) * kBytesPerSample;
    const u64 framesLeft = (size - layout.fFramesOffset) / bytesPerFrame;
    u64 frames = 0;
    layout.fSlices.reserve(sliceCount);
    for (size_t i = 0; i < sliceCount; ++i)
    {
        const u32 sliceFrames = HeaderField(bytes, kHeaderSize + i * kSliceEntrySize);
        if (sliceFrames > framesLeft - frames)
            ThrowDamagedFile();
        layout.fSlices.push_back(TKIVSliceInfo{u32(frames), sliceFrames});
        frames += sliceFrames;
    }
    if (layout.fFramesOffset + frames * bytesPerFrame != size)
        ThrowDamagedFile();
    info.fFrameCount = u32(frames);

    if (info.fBarCount == 0 || info.fBeatsPerBar == 0)
        ThrowZeroLoop();
    return layout;
}

CLoopFile::CLoopFile(const u8* bytes, size_t size)
    : fLayout(ReadLoopLayout(bytes, size)), fFrames(bytes + fLayout.fFramesOffset, bytes + size)
{
}

const TKIVSliceInfo& CLoopFile::GetSliceInfo(i32 index) const
{
    if (index < 0 || size_t(index) >= fLayout.fSlices.size())
        ThrowInvalidArgument();
    return fLayout.fSlices[size_t(index)];
}

void CLoopFile::RenderSlice(i32 index, i32 frameCount, float* const buffers[2]) const
{
    const TKIVSliceInfo& slice = GetSliceInfo(index);
    const u32 channels = fLayout.fInfo.fChannelCount;
    if (!buffers || !buffers[0] || (channels == 2 && !buffers[1]) || frameCount < 0 ||
        u32(frameCount) < slice.fFrameCount)
        ThrowInvalidArgument();
    const u8* sample = fFrames.data() + size_t(slice.fFirstFrame) * channels * kBytesPerSample;
    for (u32 frame = 0; frame < slice.fFrameCount; ++frame)
    {
        for (u32 channel = 0; channel < channels; ++channel, sample += kBytesPerSample)
            buffers[channel][frame] = float(i16(NSByteOrder::ReadBE16(sample)) * 256);
    }
}
} // namespace NSKIV
