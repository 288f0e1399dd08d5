#include "media/codec/AudioEncoders.h"

#include "base/Quorral.h"
#include "media/IFFChunk.h"
#include "media/TempoMap.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/KORBTrailer.h"
#include "media/codec/OpenedAudioSource.h"
#include "media/codec/OutputBitStream.h"
#include "media/soundfont/SampleFormat.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

using NSFerrant::CMedia;
using NSFerrant::TSampleInfo;

namespace
{
constexpr u32 kFramesPerRun = NSAudioCodec::kMaxFramesPerRead;

// The application signature under which an AIFF file carries its tempo map.
constexpr u32 kAIFFTempoMapSignature = NSFerrant::MakeFourCC("QMTp");

struct TByteRange
{
    i64 fPosition;
    u32 fSize;
};

std::optional<TByteRange> TempoMapRange(const NSCorliss::TChunkLocation& location)
{
    if (location.fSize == 0 || location.fSignature != kAIFFTempoMapSignature)
        return std::nullopt;
    return TByteRange{location.fPosition, location.fSize};
}

std::optional<TByteRange> TempoMapRange(const NSUndine::TChunkLocation& location)
{
    if (location.fSize == 0)
        return std::nullopt;
    return TByteRange{location.fPosition, location.fSize};
}

// The source's tempo map, or null when its bytes cannot be read or do not load: a tempo map is
// extra data, and a sample is coded without a broken one.
std::shared_ptr<NSTempoMap::TLoadedTempoMap> LoadSourceTempoMap(CMedia& source, const TByteRange& range,
                                                                u32 sampleRate)
{
    try
    {
        if (range.fPosition < 0 || range.fPosition > source.GetSize() || range.fSize > source.GetSize() - range.fPosition)
            return nullptr;
        std::vector<u8> bytes(range.fSize);
        NSFerrant::ReadBytesAt(source, range.fPosition, range.fSize, bytes.data());
        return NSTempoMap::LoadTempoMap(bytes.data(), bytes.size(), sampleRate);
    }
    catch (...)
    {
        return nullptr;
    }
}

// A delivered float on the 24-bit scale as a 24-bit integer, truncated toward zero; values out of
// range are clamped, so the conversion is always defined.
i32 ToInt24(float value)
{
    if (std::isnan(value))
        return 0;
    return i32(std::clamp(value, -8388608.0f, 8388607.0f));
}

// The frames of a run split into one plane per channel, in the sample type the coder takes: the
// 24-bit values, or their top 16 bits.
template <typename TSample>
void SplitIntoPlanes(const float* frames, u32 frameCount, u32 channels, std::vector<TSample> (&planes)[2])
{
    constexpr u32 shift = sizeof(TSample) == 2 ? 8 : 0;
    for (u32 c = 0; c < channels; ++c)
    {
        TSample* plane = planes[c].data();
        for (u32 i = 0; i < frameCount; ++i)
            plane[i] = TSample(ToInt24(frames[size_t(i) * channels + c]) >> shift);
    }
}

template <typename TSample, class TLibrary, typename TPlanes>
void EncodeFrames(COpenedAudioSource<TLibrary>& opened, TKORBEncoder& encoder, const TKORBHeader& header,
                  void (*encodeBlock)(TKORBEncoder&, u32, const TPlanes&))
{
    const u32 channels = header.fChannelCount;
    std::vector<float> buffer(size_t(kFramesPerRun) * channels);
    std::vector<TSample> planes[2];
    for (u32 c = 0; c < channels; ++c)
        planes[c].resize(kFramesPerRun);
    for (u32 done = 0; done < header.fFrameCount;)
    {
        const u32 n = std::min(kFramesPerRun, header.fFrameCount - done);
        opened.ReadFrames(done, buffer.data(), n);
        SplitIntoPlanes(buffer.data(), n, channels, planes);
        encodeBlock(encoder, n, TPlanes{planes[0].data(), channels == 2 ? planes[1].data() : nullptr});
        done += n;
    }
}

template <class TLibrary>
void EncodeToKORB(CMedia& source, CMedia& destination, EAudioFileKind kind)
{
    COpenedAudioSource<TLibrary> opened(source);
    TSampleInfo info;
    ConvertFormatInfo(opened.GetFormat(), kind, info);
    const u32 bits = info.fFormat.fBitsPerSample;
    const TKORBHeader header = MakeKORBHeader(info, bits == 8 || bits == 16 ? 16 : 24);
    WriteKORBHeader(header, destination);
    {
        // Flushed here and once more when destroyed: one zero word ends the code words.
        COutputBitStream stream(destination);
        TKORBEncoder encoder(stream, header.fChannelCount);
        if (header.fBitsPerSample == 16)
            EncodeFrames<i16>(opened, encoder, header, EncodeKORBBlock16);
        else
            EncodeFrames<i32>(opened, encoder, header, EncodeKORBBlock24);
        stream.Flush();
    }
    if (const std::optional<TByteRange> range = TempoMapRange(opened.GetTempoMap()))
    {
        if (const auto tempoMap = LoadSourceTempoMap(source, *range, opened.GetFormat().fSampleRate))
            BuildKORBTempoMapBlock(destination, tempoMap->first, tempoMap->second);
    }
}
} // namespace

TKORBHeader MakeKORBHeader(const TSampleInfo& info, u8 bits)
{
    TKORBHeader header;
    header.fBitsPerSample = bits;
    header.fFrameCount = info.fFormat.fFrameCount;
    header.fSampleRate = info.fFormat.fSampleRate;
    header.fRootKey = info.fLoop.fPitchValid ? info.fLoop.fRootKey : 60;
    header.fFineTune = info.fLoop.fPitchValid ? u8(info.fLoop.fFineTune) : 0;
    if (info.fLoop.fLoopMode == NSFerrant::kSampleLoopStored)
    {
        header.fLoopMode = info.fLoop.fLoopVariant == 1 ? 2 : 1;
        header.fLoopStart = info.fLoop.fLoopStart;
        header.fLoopEnd = info.fLoop.fLoopEnd;
    }
    else
    {
        header.fLoopMode = 0;
        header.fLoopStart = 0;
        header.fLoopEnd = info.fFormat.fFrameCount;
    }
    if (info.fFormat.fChannelCount != 1 && info.fFormat.fChannelCount != 2)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    header.fChannelCount = u8(info.fFormat.fChannelCount);
    return header;
}

void EncodeAIFFToKORB(CMedia& source, CMedia& destination)
{
    EncodeToKORB<TCorlissLibrary>(source, destination, EAudioFileKind::kAIFF);
}

void EncodeWAVEToKORB(CMedia& source, CMedia& destination)
{
    EncodeToKORB<TUndineLibrary>(source, destination, EAudioFileKind::kWAVE);
}
