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

template <class TLibrary>
void EncodeFrames(COpenedAudioSource<TLibrary>& opened, TKORBEncoder& encoder, const TKORBHeader& header)
{
    const u32 channels = header.fChannelCount;
    std::vector<float> buffer(size_t(kFramesPerRun) * channels);
    std::vector<i32> planes24[2];
    std::vector<i16> planes16[2];
    for (u32 c = 0; c < channels; ++c)
    {
        planes24[c].resize(kFramesPerRun);
        planes16[c].resize(kFramesPerRun);
    }
    for (u32 done = 0; done < header.fFrameCount;)
    {
        const u32 n = std::min(kFramesPerRun, header.fFrameCount - done);
        opened.ReadFrames(done, buffer.data(), n);
        for (u32 i = 0; i < n; ++i)
            for (u32 c = 0; c < channels; ++c)
            {
                const i32 value = ToInt24(buffer[size_t(i) * channels + c]);
                planes24[c][i] = value;
                planes16[c][i] = i16(value >> 8);
            }
        const bool stereo = channels == 2;
        if (header.fBitsPerSample == 16)
            EncodeKORBBlock16(encoder, n, TKORBPlanes16{planes16[0].data(), stereo ? planes16[1].data() : nullptr});
        else
            EncodeKORBBlock24(encoder, n, TKORBPlanes24{planes24[0].data(), stereo ? planes24[1].data() : nullptr});
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
        EncodeFrames(opened, encoder, header);
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
