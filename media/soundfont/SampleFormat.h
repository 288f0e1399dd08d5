#pragma once
// The plain records that describe a sample to the rest of the system: its format, its loop and
// pitch, and the two together as the codec libraries' adapters fill them.
#include "base/Types.h"

namespace NSFerrant
{
struct TSampleFormat
{
    u16 fChannelCount = 0;
    u32 fBitsPerSample = 0;
    u32 fSampleRate = 0; // Hz
    u32 fFrameCount = 0;
};

// Loop modes. Only kSampleLoopStored reaches a coded sample; kSampleLoopNotStored is a loop the
// source describes that the sample codec leaves out (a SoundFont sample's loop is one too).
constexpr u32 kSampleLoopNone = 13;
constexpr u32 kSampleLoopNotStored = 14;
constexpr u32 kSampleLoopStored = 15;

// The defaults are the values every producer starts from before filling the record.
struct TSampleLoop
{
    u32 fLoopMode = kSampleLoopNone;
    u32 fLoopVariant = 0; // 0, or 1 for the second variant (a forward and backward loop)
    u32 fLoopStart = 0;   // first frame of the loop
    u32 fLoopEnd = 0;     // the frame after the loop's last
    u8 fPitchValid = 0;   // 1 when root key and fine tune are given
    u8 fRootKey = 60;     // MIDI key of the sample's pitch
    i8 fFineTune = 0;     // cents
    u8 fSecondFlag = 0;   // set with fPitchValid by the codec adapters; nothing reads it
    u8 fLowKey = 0;
    u8 fHighKey = 127;
};

struct TSampleInfo
{
    TSampleFormat fFormat;
    TSampleLoop fLoop;
};
} // namespace NSFerrant
