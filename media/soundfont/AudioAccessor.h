#pragma once
// Audio accessors: read and write the frames of a sample that lie in a media, converting between
// the stored form and the form a caller works in (floats, 24-bit values in 32-bit integers,
// 16-bit integers or raw frames), one channel at a time or as interleaved stereo pairs.
//
// Every operation covers the frames start to start + count - 1: count values (per-channel
// operations), count pairs (stereo operations) or count whole frames (raw operations). Floats
// run from -1.0 to just below 1.0; values beyond that range are clamped when stored.
#include "base/Types.h"

namespace NSFerrant
{
class CMedia;

// The channel selector of the per-channel operations: this value chooses the first sample of a
// frame, any other the second. It counts only on a 2-channel accessor.
constexpr i32 kFirstChannel = 99;

class CABCAudioAccessor
{
public:
    // The media holds the frames and must outlive the accessor; it is null for an accessor that
    // forwards to another.
    CABCAudioAccessor(CMedia* media, u32 frameCount, u16 channelCount);
    virtual ~CABCAudioAccessor() = default;
    CABCAudioAccessor(const CABCAudioAccessor&) = delete;
    CABCAudioAccessor& operator=(const CABCAudioAccessor&) = delete;

    virtual void ReadFloatChannel(i32 start, i32 count, float* out, i32 channel) = 0;
    virtual void WriteFloatChannel(i32 start, i32 count, const float* in, i32 channel) = 0;
    virtual void ReadFloatStereo(i32 start, i32 count, float* out) = 0;
    virtual void WriteFloatStereo(i32 start, i32 count, const float* in) = 0;
    virtual void ReadInt24Channel(i32 start, i32 count, i32* out, i32 channel) = 0;
    virtual void WriteInt24Channel(i32 start, i32 count, const i32* in, i32 channel) = 0;
    virtual void ReadInt24Stereo(i32 start, i32 count, i32* out) = 0;
    virtual void WriteInt24Stereo(i32 start, i32 count, const i32* in) = 0;
    virtual void ReadInt16Channel(i32 start, i32 count, i16* out, i32 channel) = 0;
    virtual void WriteInt16Channel(i32 start, i32 count, const i16* in, i32 channel) = 0;
    virtual void ReadNativeFrames(i32 start, i32 count, void* out) = 0;
    virtual void WriteNativeFrames(i32 start, i32 count, const void* in) = 0;

    u32 GetFrameCount() const { return fFrameCount; }
    u16 GetChannelCount() const { return fChannelCount; }

protected:
    CMedia* fMedia;
    u32 fFrameCount;
    u16 fChannelCount;
};

// Frames of signed 16-bit little-endian samples, interleaved: frame f starts at byte
// f × bytes per frame. One or two channels; other counts are refused (std::invalid_argument),
// since the conversions run through fixed buffers of 2,048 bytes on the stack.
class CNative16BitAccessor : public CABCAudioAccessor
{
public:
    CNative16BitAccessor(CMedia& media, u32 frameCount, u16 channelCount);

    void ReadFloatChannel(i32 start, i32 count, float* out, i32 channel) override;
    void WriteFloatChannel(i32 start, i32 count, const float* in, i32 channel) override;
    void ReadFloatStereo(i32 start, i32 count, float* out) override;
    void WriteFloatStereo(i32 start, i32 count, const float* in) override;
    void ReadInt24Channel(i32 start, i32 count, i32* out, i32 channel) override;
    void WriteInt24Channel(i32 start, i32 count, const i32* in, i32 channel) override;
    void ReadInt24Stereo(i32 start, i32 count, i32* out) override;
    void WriteInt24Stereo(i32 start, i32 count, const i32* in) override;
    void ReadInt16Channel(i32 start, i32 count, i16* out, i32 channel) override;
    void WriteInt16Channel(i32 start, i32 count, const i16* in, i32 channel) override;
    void ReadNativeFrames(i32 start, i32 count, void* out) override;
    void WriteNativeFrames(i32 start, i32 count, const void* in) override;

private:
    template <class TConversion>
    void ReadChannel(i32 start, i32 count, typename TConversion::TValue* out, i32 channel);
    template <class TConversion>
    void WriteChannel(i32 start, i32 count, const typename TConversion::TValue* in, i32 channel);
    template <class TConversion>
    void ReadStereo(i32 start, i32 count, typename TConversion::TValue* out);
    template <class TConversion>
    void WriteStereo(i32 start, i32 count, const typename TConversion::TValue* in);

    // One media transfer of whole frames; the media's position ends behind it.
    void ReadFrames(i64 start, i64 count, void* out);
    void WriteFrames(i64 start, i64 count, const void* in);
    // As ReadFrames, with zeros for frames the media does not hold yet: a channel written before
    // the other leaves that other channel silent.
    void ReadFramesForUpdate(i64 start, i64 count, i16* out);

    u64 fBytesPerFrame;
};
} // namespace NSFerrant
