#pragma once
// The sample reader of both codec libraries: integer PCM frames at one place of the source,
// delivered as floats on the 24-bit integer scale.
#include "dlls/audiocodec/AudioCodec.h"
#include "dlls/audiocodec/ByteSource.h"

#include <memory>

namespace NSAudioCodec
{
// The most channels a library opens; more is XUnsupportedFormat.
constexpr u16 kMaxChannels = 64;

struct TPCMLayout
{
    u16 fChannelCount = 0;
    u32 fBytesPerSample = 0; // the container, 1 to 4; smaller depths lie left-justified in it
    bool fLittleEndian = false;
    bool fUnsigned = false; // 8-bit WAVE samples are offset by 128
    i64 fDataPosition = 0;
    u32 fFrameCount = 0;
};

// Checks the layout against the source: channels 1 to kMaxChannels and containers of 1 to 4
// bytes (else XUnsupportedFormat), every frame inside the source (else XFormatViolation).
void CheckPCMLayout(const TPCMLayout& layout, const CByteSource& source);

class CPCMSampleReader final : public ISampleReader
{
public:
    // The layout must have passed CheckPCMLayout.
    CPCMSampleReader(const CByteSource& source, const TPCMLayout& layout);

    u32 Release() override;
    u32 ReadFrames(u32 firstFrame, float* buffer, u32 frameCount) override;

private:
    void DecodeFrames(u32 firstFrame, float* buffer, u32 frameCount);

    CByteSource fSource;
    TPCMLayout fLayout;
    u32 fBytesPerFrame;
    std::unique_ptr<u8[]> fBytes; // kMaxFramesPerRead frames, made on the first read
};

// Runs a library operation that opens a sample reader: the status is kAudioCodecOK with the reader, or the
// status of the failure with none.
template <class TOpen>
ISampleReader* AnswerSampleReader(u32* status, TOpen open);
} // namespace NSAudioCodec

#include "dlls/audiocodec/AudioCodecStatus.h"

template <class TOpen>
NSAudioCodec::ISampleReader* NSAudioCodec::AnswerSampleReader(u32* status, TOpen open)
{
    if (!status)
        return nullptr;
    return NSQuorral::FenceObject(kAudioCodecStatusMapping, status,
                                  [&]() -> std::unique_ptr<CPCMSampleReader> { return open(); })
        .release();
}
