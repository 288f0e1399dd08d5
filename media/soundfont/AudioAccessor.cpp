#include "media/soundfont/AudioAccessor.h"

#include "base/Quorral.h"
#include "base/Media.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace NSFerrant
{
namespace
{
// 2,048 bytes: 1,024 mono or 512 stereo frames.
constexpr i32 kBufferSamples = 1024;
constexpr i32 kStereoFrames = kBufferSamples / 2;

i16 ClampToInt16(i64 value)
{
    return i16(std::clamp<i64>(value, -32768, 32767));
}

// Each conversion turns a stored 16-bit sample into the caller's value and back. Values beyond
// the 16-bit range are clamped rather than wrapped: 1.0 stores 32767, not -32768.
struct TFloatConversion
{
    using TValue = float;
    static float FromStored(i16 sample) { return float(sample) * (1.0f / 32768.0f); }
    static i16 ToStored(float value)
    {
        if (std::isnan(value))
            return 0;
        // Truncation toward zero, after clamping so the conversion stays defined.
        return ClampToInt16(i64(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
    }
};

struct TInt24Conversion
{
    using TValue = i32;
    static i32 FromStored(i16 sample) { return i32(sample) * 256; }
    static i16 ToStored(i32 value) { return ClampToInt16(value >> 8); }
};

struct TInt16Conversion
{
    using TValue = i16;
    static i16 FromStored(i16 sample) { return sample; }
    static i16 ToStored(i16 value) { return value; }
};
} // namespace

CABCAudioAccessor::CABCAudioAccessor(CMedia* media, u32 frameCount, u16 channelCount)
    : fMedia(media), fFrameCount(frameCount), fChannelCount(channelCount)
{
}

CNative16BitAccessor::CNative16BitAccessor(CMedia& media, u32 frameCount, u16 channelCount)
    : CABCAudioAccessor(&media, frameCount, channelCount), fBytesPerFrame(u64(channelCount) * 2)
{
    if (channelCount != 1 && channelCount != 2)
        NSQuorral::Throw(std::invalid_argument(""));
}

// Windows runs little-endian, so the stored samples are the i16 values as they lie in memory.
void CNative16BitAccessor::ReadFrames(i64 start, i64 count, void* out)
{
    ReadBytesAt(*fMedia, start * i64(fBytesPerFrame), count * i64(fBytesPerFrame), out);
}

void CNative16BitAccessor::WriteFrames(i64 start, i64 count, const void* in)
{
    fMedia->fPosition = start * i64(fBytesPerFrame);
    WriteBytes(*fMedia, count * i64(fBytesPerFrame), in);
}

void CNative16BitAccessor::ReadFramesForUpdate(i64 start, i64 count, i16* out)
{
    const i64 offset = start * i64(fBytesPerFrame);
    const i64 size = count * i64(fBytesPerFrame);
    const i64 held = std::clamp<i64>(fMedia->GetSize() - offset, 0, size);
    std::memset(reinterpret_cast<u8*>(out) + held, 0, size_t(size - held));
    ReadBytesAt(*fMedia, offset, held, out);
}

template <class TConversion>
void CNative16BitAccessor::ReadChannel(i32 start, i32 count, typename TConversion::TValue* out, i32 channel)
{
    i16 buffer[kBufferSamples];
    const bool stereo = fChannelCount == 2;
    const i32 blockFrames = stereo ? kStereoFrames : kBufferSamples;
    const i32 pick = channel == kFirstChannel ? 0 : 1;
    for (i32 done = 0; done < count;)
    {
        const i32 n = std::min(blockFrames, count - done);
        ReadFrames(i64(start) + done, n, buffer);
        for (i32 i = 0; i < n; ++i)
            out[done + i] = TConversion::FromStored(stereo ? buffer[2 * i + pick] : buffer[i]);
        done += n;
    }
}

template <class TConversion>
void CNative16BitAccessor::WriteChannel(i32 start, i32 count, const typename TConversion::TValue* in, i32 channel)
{
    i16 buffer[kBufferSamples];
    const bool stereo = fChannelCount == 2;
    const i32 blockFrames = stereo ? kStereoFrames : kBufferSamples;
    const i32 pick = channel == kFirstChannel ? 0 : 1;
    for (i32 done = 0; done < count;)
    {
        const i32 n = std::min(blockFrames, count - done);
        // The other channel's samples stay as they are.
        if (stereo)
            ReadFramesForUpdate(i64(start) + done, n, buffer);
        for (i32 i = 0; i < n; ++i)
            buffer[stereo ? 2 * i + pick : i] = TConversion::ToStored(in[done + i]);
        WriteFrames(i64(start) + done, n, buffer);
        done += n;
    }
}

template <class TConversion>
void CNative16BitAccessor::ReadStereo(i32 start, i32 count, typename TConversion::TValue* out)
{
    if (fChannelCount != 2)
        NSQuorral::Throw(std::invalid_argument(""));
    i16 buffer[kBufferSamples];
    for (i32 done = 0; done < count;)
    {
        const i32 n = std::min(kStereoFrames, count - done);
        ReadFrames(i64(start) + done, n, buffer);
        for (i32 i = 0; i < 2 * n; ++i)
            out[2 * done + i] = TConversion::FromStored(buffer[i]);
        done += n;
    }
}

template <class TConversion>
void CNative16BitAccessor::WriteStereo(i32 start, i32 count, const typename TConversion::TValue* in)
{
    if (fChannelCount != 2)
        NSQuorral::Throw(std::invalid_argument(""));
    i16 buffer[kBufferSamples];
    for (i32 done = 0; done < count;)
    {
        const i32 n = std::min(kStereoFrames, count - done);
        for (i32 i = 0; i < 2 * n; ++i)
            buffer[i] = TConversion::ToStored(in[2 * done + i]);
        WriteFrames(i64(start) + done, n, buffer);
        done += n;
    }
}

void CNative16BitAccessor::ReadFloatChannel(i32 start, i32 count, float* out, i32 channel)
{
    ReadChannel<TFloatConversion>(start, count, out, channel);
}

void CNative16BitAccessor::WriteFloatChannel(i32 start, i32 count, const float* in, i32 channel)
{
    WriteChannel<TFloatConversion>(start, count, in, channel);
}

void CNative16BitAccessor::ReadFloatStereo(i32 start, i32 count, float* out)
{
    ReadStereo<TFloatConversion>(start, count, out);
}

void CNative16BitAccessor::WriteFloatStereo(i32 start, i32 count, const float* in)
{
    WriteStereo<TFloatConversion>(start, count, in);
}

void CNative16BitAccessor::ReadInt24Channel(i32 start, i32 count, i32* out, i32 channel)
{
    ReadChannel<TInt24Conversion>(start, count, out, channel);
}

void CNative16BitAccessor::WriteInt24Channel(i32 start, i32 count, const i32* in, i32 channel)
{
    WriteChannel<TInt24Conversion>(start, count, in, channel);
}

void CNative16BitAccessor::ReadInt24Stereo(i32 start, i32 count, i32* out)
{
    ReadStereo<TInt24Conversion>(start, count, out);
}

void CNative16BitAccessor::WriteInt24Stereo(i32 start, i32 count, const i32* in)
{
    WriteStereo<TInt24Conversion>(start, count, in);
}

// Without a second channel to pick from, the caller's buffer is the frames themselves.
void CNative16BitAccessor::ReadInt16Channel(i32 start, i32 count, i16* out, i32 channel)
{
    if (fChannelCount == 2)
        ReadChannel<TInt16Conversion>(start, count, out, channel);
    else
        ReadFrames(start, count, out);
}

void CNative16BitAccessor::WriteInt16Channel(i32 start, i32 count, const i16* in, i32 channel)
{
    if (fChannelCount == 2)
        WriteChannel<TInt16Conversion>(start, count, in, channel);
    else
        WriteFrames(start, count, in);
}

void CNative16BitAccessor::ReadNativeFrames(i32 start, i32 count, void* out)
{
    ReadFrames(start, count, out);
}

void CNative16BitAccessor::WriteNativeFrames(i32 start, i32 count, const void* in)
{
    WriteFrames(start, count, in);
}
} // namespace NSFerrant
