#include "media/soundfont/SoundFontSamples.h"

#include "base/ByteOrder.h"
#include "base/Media.h"
#include "media/soundfont/SoundFontChunks.h"
#include "media/soundfont/WaveSample.h"

namespace NSFerrant
{
namespace
{
// An in-memory sample addresses its 16-bit values with 32-bit counts.
constexpr u64 kSampleValueLimit = u64(1) << 31;

// The header's frame count; a header whose end lies below its start, or whose channels would
// hold 2^31 values or more, is a format error.
u32 GetFrameCount(const TSoundFontSampleHeader& header, u16 channelCount)
{
    if (header.fEnd < header.fStart)
        ThrowSoundFontFormatError();
    const u32 frames = header.fEnd - header.fStart;
    if (u64(frames) * channelCount >= kSampleValueLimit)
        ThrowSoundFontFormatError();
    return frames;
}

// The header's words, which must fill the frames.
std::vector<i16> ReadFrameWords(CMedia& window, const TSoundFontSampleHeader& header, u32 frames)
{
    std::vector<i16> words = ReadSoundFontSampleWords(window, header);
    if (words.size() != frames)
        ThrowSoundFontFormatError();
    return words;
}

std::unique_ptr<CWaveSample> MakeSample(u16 channelCount, u32 sampleRate, u32 frames)
{
    TSampleFormat format;
    format.fChannelCount = channelCount;
    format.fBitsPerSample = 16;
    format.fSampleRate = sampleRate;
    format.fFrameCount = frames;
    return std::make_unique<CWaveSample>(format);
}

bool HaveSameLoop(const TSampleLoop& a, const TSampleLoop& b)
{
    return a.fLoopMode == b.fLoopMode && a.fLoopVariant == b.fLoopVariant && a.fLoopStart == b.fLoopStart &&
           a.fLoopEnd == b.fLoopEnd;
}
} // namespace

std::unique_ptr<CMedia> OpenSoundFontSampleData(CMedia& bankMedia)
{
    if (bankMedia.GetSize() < 8)
        ThrowSoundFontFormatError();
    CRIFFReader2 root(bankMedia);
    const TIFFChunk form = WalkToSoundFontGroup(root, kChunkKindFORM, kFourCC_sfbk);
    CRIFFReader2 formReader(root, form);
    const TIFFChunk sdta = WalkToSoundFontGroup(formReader, kChunkKindLIST, kFourCC_sdta);
    CRIFFReader2 sdtaReader(formReader, sdta);
    TIFFChunk smpl;
    if (!sdtaReader.FindChunk(kFourCC_smpl, smpl))
        return std::make_unique<COwnedMemoryMedia>(0);
    const i64 size = GetChunkDataSize(smpl);
    if (size % 2 != 0)
        ThrowSoundFontFormatError();

    // Each descriptor's offset is relative to the data of the group that holds it.
    const i64 offset = GetChunkDataOffset(form) + GetChunkDataOffset(sdta) + GetChunkDataOffset(smpl);
    const CMedia& bank = bankMedia;
    auto window = std::make_unique<CPartialMedia>(bank, offset, size);
    window->fPosition = 0;
    return window;
}

std::vector<i16> ReadSoundFontSampleWords(CMedia& window, const TSoundFontSampleHeader& header)
{
    const u64 wordCount = u64(window.GetSize()) / 2;
    if (header.fStart > wordCount || header.fEnd > wordCount || header.fEnd < header.fStart)
        ThrowSoundFontFormatError();
    std::vector<i16> words(header.fEnd - header.fStart);
    if (words.empty())
        return words;

    ReadBytesAt(window, i64(header.fStart) * 2, i64(words.size()) * 2, words.data());
    for (i16& word : words)
        word = i16(NSByteOrder::ReadLE16(reinterpret_cast<const u8*>(&word)));
    return words;
}

std::unique_ptr<CWaveSample> CreateMonoWaveSample(CMedia& bankMedia, const TSoundFontSampleHeader& header)
{
    const u32 frames = GetFrameCount(header, 1);
    // The words are read before the sample is made, so a header beyond the data never sizes an
    // allocation.
    const std::unique_ptr<CMedia> window = OpenSoundFontSampleData(bankMedia);
    const std::vector<i16> words = ReadFrameWords(*window, header, frames);
    std::unique_ptr<CWaveSample> sample = MakeSample(1, header.fSampleRate, frames);
    sample->WriteInt16Channel(0, i32(frames), words.data(), kFirstChannel);
    return sample;
}

std::unique_ptr<CWaveSample> CreateStereoWaveSample(CMedia& bankMedia, const TSoundFontSampleHeader& first,
                                                    const TSoundFontSampleHeader& second)
{
    if (first.fSampleRate != second.fSampleRate ||
        !HaveSameLoop(GetSampleLoop(first), GetSampleLoop(second)) || first.fRootKey != second.fRootKey ||
        first.fPitchCorrection != second.fPitchCorrection ||
        u32(first.fEnd - first.fStart) != u32(second.fEnd - second.fStart))
        ThrowSoundFontFormatError();
    if (second.fEnd < second.fStart) // its length may agree only by wrapping around
        ThrowSoundFontFormatError();
    const u32 frames = GetFrameCount(first, 2);

    const std::unique_ptr<CMedia> window = OpenSoundFontSampleData(bankMedia);
    std::vector<i16> words = ReadFrameWords(*window, first, frames);
    std::unique_ptr<CWaveSample> sample = MakeSample(2, first.fSampleRate, frames);
    // The first channel is written over the whole length first: the accessor then reads back
    // only frames its media already holds when it fills in the second.
    sample->WriteInt16Channel(0, i32(frames), words.data(), kFirstChannel);
    words = ReadFrameWords(*window, second, frames);
    sample->WriteInt16Channel(0, i32(frames), words.data(), kFirstChannel + 1);
    return sample;
}

TSampleLoop GetSampleLoop(const TSoundFontSampleHeader& header)
{
    const u32 start = header.fStart;
    const u32 end = header.fEnd;
    const u32 loopStart = header.fLoopStart;
    const u32 loopEnd = header.fLoopEnd;

    TSampleLoop loop;
    if (start <= loopStart && loopStart <= end && start <= loopEnd && loopEnd <= end && loopStart != loopEnd)
    {
        loop.fLoopMode = kSampleLoopNotStored;
        loop.fLoopStart = loopStart - start;
        loop.fLoopEnd = loopEnd - start;
    }
    loop.fPitchValid = 1;
    loop.fRootKey = header.fRootKey;
    loop.fFineTune = header.fPitchCorrection;
    return loop;
}
} // namespace NSFerrant
