#include "media/codec/AudioFileInfo.h"

#include "base/Quorral.h"
#include "media/codec/OpenedAudioSource.h"
#include "media/soundfont/SampleFormat.h"

#include <algorithm>

using NSFerrant::TSampleInfo;

namespace
{
u32 BitsPerSample(u32 sampleFormat, EAudioFileKind kind)
{
    switch (sampleFormat)
    {
    case 8:
    case 16:
    case 20:
    case 22:
    case 24:
        return sampleFormat;
    case NSAudioCodec::kSampleFormatLittleEndian16:
        if (kind == EAudioFileKind::kAIFF)
            return 16;
        break;
    }
    // 32-bit samples too: the codec stores at most 24 bits and would drop their low bits.
    NSQuorral::Throw<NSQuorral::XUnsupportedFormat>();
}

u32 LoopMode(u32 loopKind)
{
    switch (loopKind)
    {
    case NSAudioCodec::kLoopKindOther:
        return NSFerrant::kSampleLoopNotStored;
    case NSAudioCodec::kLoopKindSustain:
        return NSFerrant::kSampleLoopStored;
    default:
        return NSFerrant::kSampleLoopNone;
    }
}
} // namespace

void ConvertFormatInfo(const NSAudioCodec::TFormatInfo& format, EAudioFileKind kind, TSampleInfo& info)
{
    info.fFormat.fChannelCount = format.fChannelCount;
    info.fLoop.fPitchValid = format.fHasPitch != 0 ? 1 : 0;
    info.fLoop.fSecondFlag = info.fLoop.fPitchValid;
    info.fLoop.fRootKey = u8(format.fRootKey);
    info.fLoop.fFineTune = i8(u8(format.fFineTune));
    info.fLoop.fLowKey = u8(format.fLowKey);
    info.fLoop.fHighKey = u8(format.fHighKey);

    info.fLoop.fLoopMode = LoopMode(format.fLoopKind);
    info.fLoop.fLoopVariant = format.fLoopVariant == NSAudioCodec::kLoopVariantForwardBackward ? 1 : 0;
    info.fFormat.fBitsPerSample = BitsPerSample(format.fSampleFormat, kind);
    info.fFormat.fFrameCount = format.fFrameCount;
    info.fFormat.fSampleRate = format.fSampleRate;

    // Clamped in 64 bits: frame counts beyond 2^31 are not negative here.
    const i64 frames = format.fFrameCount;
    const i64 start = std::clamp<i64>(format.fLoopStart, 0, frames);
    const i64 end = std::clamp<i64>(format.fLoopEnd, 0, frames);
    if (start >= end)
    {
        info.fLoop.fLoopMode = NSFerrant::kSampleLoopNone;
        info.fLoop.fLoopStart = 0;
        info.fLoop.fLoopEnd = 0;
    }
    else
    {
        info.fLoop.fLoopStart = u32(start);
        info.fLoop.fLoopEnd = u32(end);
    }
}

namespace NSCorlissUtils
{
void ReadAIFFInfo(NSFerrant::CMedia& source, TSampleInfo& info)
{
    const COpenedAudioSource<TCorlissLibrary> opened(source);
    ConvertFormatInfo(opened.GetFormat(), EAudioFileKind::kAIFF, info);
}
} // namespace NSCorlissUtils

namespace NSUndineUtils
{
void ReadWAVEInfo(NSFerrant::CMedia& source, TSampleInfo& info)
{
    const COpenedAudioSource<TUndineLibrary> opened(source);
    ConvertFormatInfo(opened.GetFormat(), EAudioFileKind::kWAVE, info);
}
} // namespace NSUndineUtils
