#pragma once
// The KORB coder: turns 16- and 24-bit PCM into the adaptive codes of the model in KORBModel.h.
// Stereo is coded as the first channel and the difference second minus first, the two codes of a
// frame adjacent. The state runs on from a run's first sample to its last: splitting the frames
// into blocks in any way gives the same codes.
#include "base/Types.h"
#include "media/codec/KORBModel.h"

class COutputBitStream;

// One encoding run: fresh states at its start, never reset in between.
struct TKORBEncoder
{
    TKORBEncoder(COutputBitStream& stream, u8 channelCount) : fStream(&stream), fChannelCount(channelCount) {}

    COutputBitStream* fStream;     // borrowed
    u8 fChannelCount;              // 1 or 2
    TKORBChannelState fFirst;      // the first (or only) channel
    TKORBChannelState fDifference; // second channel minus first
};

// One plane per channel, not interleaved; fSecond is null for mono.
struct TKORBPlanes16
{
    const i16* fFirst;
    const i16* fSecond;
};
struct TKORBPlanes24
{
    const i32* fFirst; // 24-bit values in 32-bit integers
    const i32* fSecond;
};

// Writes value with the adaptive code of parameter m (m at least 1): unary groups of zero bits,
// a 1 bit, then a truncated binary remainder.
void WriteAdaptiveCode(TKORBEncoder& encoder, u32 m, u32 value);

// Codes one sample (a signed value in 32 bits) with the given channel state. A parameter of 0,
// which only 24-bit input of extreme content can reach, fails with XUnsupportedFormat.
void EncodeKORBSample(TKORBEncoder& encoder, TKORBChannelState& state, u32 sample);

void EncodeKORBBlock16(TKORBEncoder& encoder, u32 frameCount, const TKORBPlanes16& planes);
void EncodeKORBBlock24(TKORBEncoder& encoder, u32 frameCount, const TKORBPlanes24& planes);
