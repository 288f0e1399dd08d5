#include "media/soundfont/WaveSample.h"

#include "base/Quorral.h"
#include "base/Media.h"

namespace NSFerrant
{
namespace
{
// The frames are addressed with 32-bit counts and offsets.
constexpr u64 kSampleLimit = u64(1) << 31;

u64 CheckedSampleCount(const TSampleFormat& format)
{
    const u64 samples = u64(format.fChannelCount) * format.fFrameCount;
    if (samples >= kSampleLimit)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return samples;
}
} // namespace

CWaveSample::CWaveSample(const TSampleFormat& format)
    : CABCAudioAccessor(nullptr, format.fFrameCount, format.fChannelCount),
      fSampleRate(format.fSampleRate),
      fBitsPerSample(format.fBitsPerSample),
      fFrames(std::make_unique<COwnedMemoryMedia>(i64(CheckedSampleCount(format) * 2))),
      fAccessor(std::make_unique<CNative16BitAccessor>(*fFrames, format.fFrameCount, format.fChannelCount))
{
}

CWaveSample::~CWaveSample() = default;

void CWaveSample::ReadFloatChannel(i32 start, i32 count, float* out, i32 channel)
{
    fAccessor->ReadFloatChannel(start, count, out, channel);
}

void CWaveSample::WriteFloatChannel(i32 start, i32 count, const float* in, i32 channel)
{
    fAccessor->WriteFloatChannel(start, count, in, channel);
}

void CWaveSample::ReadFloatStereo(i32 start, i32 count, float* out)
{
    fAccessor->ReadFloatStereo(start, count, out);
}

void CWaveSample::WriteFloatStereo(i32 start, i32 count, const float* in)
{
    fAccessor->WriteFloatStereo(start, count, in);
}

void CWaveSample::ReadInt24Channel(i32 start, i32 count, i32* out, i32 channel)
{
    fAccessor->ReadInt24Channel(start, count, out, channel);
}

void CWaveSample::WriteInt24Channel(i32 start, i32 count, const i32* in, i32 channel)
{
    fAccessor->WriteInt24Channel(start, count, in, channel);
}

void CWaveSample::ReadInt24Stereo(i32 start, i32 count, i32* out)
{
    fAccessor->ReadInt24Stereo(start, count, out);
}

void CWaveSample::WriteInt24Stereo(i32 start, i32 count, const i32* in)
{
    fAccessor->WriteInt24Stereo(start, count, in);
}

void CWaveSample::ReadInt16Channel(i32 start, i32 count, i16* out, i32 channel)
{
    fAccessor->ReadInt16Channel(start, count, out, channel);
}

void CWaveSample::WriteInt16Channel(i32 start, i32 count, const i16* in, i32 channel)
{
    fAccessor->WriteInt16Channel(start, count, in, channel);
}

void CWaveSample::ReadNativeFrames(i32 start, i32 count, void* out)
{
    fAccessor->ReadNativeFrames(start, count, out);
}

void CWaveSample::WriteNativeFrames(i32 start, i32 count, const void* in)
{
    fAccessor->WriteNativeFrames(start, count, in);
}
} // namespace NSFerrant
