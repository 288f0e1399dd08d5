#pragma once
// What our two audio codec libraries, Corliss (AIFF) and Undine (WAVE), share at their boundary:
// the format description they fill, the byte reader through which they read a source, and the
// sample reader through which they deliver frames. Every operation answers a u32 status, kAudioCodecOK
// for success (the statuses are in AudioCodecStatus.h); no exception leaves a library.
#include "base/Types.h"
#include "dlls/audiocodec/AudioCodecStatus.h"

namespace NSAudioCodec
{
// The most frames one ReadFrames call delivers.
constexpr u32 kMaxFramesPerRead = 4096;

// Sample formats: the bits per sample, except this code for 16-bit samples stored little-endian
// (an AIFF-C file of compression type "sowt").
constexpr u32 kSampleFormatLittleEndian16 = 44447780;

// Loop kinds. A sustain loop played forward, or forward and backward, is kLoopKindSustain; a loop
// of any other kind (an AIFF release loop, a WAVE loop played backward or in a way of its
// maker's own) is kLoopKindOther.
constexpr u32 kLoopKindNone = 42;
constexpr u32 kLoopKindOther = 43;
constexpr u32 kLoopKindSustain = 44;
constexpr u32 kLoopVariantForward = 99;
constexpr u32 kLoopVariantForwardBackward = 100;

// 52 bytes, little-endian as it lies in memory.
struct TFormatInfo
{
    u16 fChannelCount;
    u16 fUnused;
    u32 fSampleFormat;
    u32 fSampleRate; // Hz
    u32 fFrameCount;
    u32 fLoopKind;
    u32 fLoopVariant;
    i32 fLoopStart; // first frame of the loop
    i32 fLoopEnd;   // the frame after the loop's last: loop ends are exclusive
    u32 fHasPitch;  // non-zero when the root key and fine tune come from the file
    u32 fRootKey;   // MIDI key; 60 when the file gives none
    u32 fFineTune;  // cents, in the low byte as a signed value
    u32 fLowKey;
    u32 fHighKey;
};
static_assert(sizeof(TFormatInfo) == 52);

// Implemented by the caller: reads count bytes at position of the source into destination and
// answers kAudioCodecOK, or a status of the table. It must outlive every sample reader opened through it.
class IByteReader
{
public:
    virtual u32 Read(i64 position, i64 count, void* destination) = 0;

protected:
    // The library never destroys a caller's reader.
    virtual ~IByteReader() = default;
};

// Delivers the frames of an opened source.
class ISampleReader
{
public:
    // Destroys the reader.
    virtual u32 Release() = 0;
    // Fills buffer with frameCount frames (at most kMaxFramesPerRead) from firstFrame on:
    // 32-bit floats, channels interleaved, each the sample on the 24-bit integer scale (a
    // 16-bit sample s arrives as s × 256, an 8-bit one as s × 65536).
    virtual u32 ReadFrames(u32 firstFrame, float* buffer, u32 frameCount) = 0;

protected:
    ~ISampleReader() = default;
};
} // namespace NSAudioCodec
