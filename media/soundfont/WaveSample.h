#pragma once
// A whole 16-bit sample in memory: it owns its frames and forwards every accessor operation to an
// inner CNative16BitAccessor over them.
#include "media/soundfont/AudioAccessor.h"
#include "media/soundfont/SampleFormat.h"

#include <memory>

namespace NSFerrant
{
class COwnedMemoryMedia;

class CWaveSample : public CABCAudioAccessor
{
public:
    // Starts empty, with room for the whole sample; writing frames grows it. The frames are
    // 16-bit whatever the format's bits say. One or two channels, and channels × frames below
    // 2^31, else XFormatViolation.
    explicit CWaveSample(const TSampleFormat& format);
    ~CWaveSample() override;

    u32 GetSampleRate() const { return fSampleRate; }
    u32 GetBitsPerSample() const { return fBitsPerSample; }

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
    u32 fSampleRate;
    u32 fBitsPerSample;
    // Declared before the accessor over it, so the accessor goes first.
    std::unique_ptr<COwnedMemoryMedia> fFrames;
    std::unique_ptr<CNative16BitAccessor> fAccessor;
};
} // namespace NSFerrant
