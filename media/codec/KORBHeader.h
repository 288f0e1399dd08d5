#pragma once
// The header of a KORB stream. A stream is a version, this fixed header, the code words of the
// KORB coder and optional trailer blocks (KORBTrailer.h). All integers are big-endian.
//
//   version       5 bytes (BC 01 00 00 00 for 1.0.0; the long form is 24 bytes longer)
//   frame count   u32
//   root key      u8  (MIDI note number)
//   fine tune     u8
//   loop mode     u8  (0 no loop, 1 loop, 2 loop of the source's second loop variant)
//   channels      u8  (1 or 2)
//   loop start    u32 (frames)
//   loop end      u32 (frames; the frame count when there is no loop)
//   sample rate   u32 (Hz)
//   bits          u8  (16 or 24)
//   version 2 only: value A u32, value B u32, flag u32 (0 or 1)
//   code words    u32 each, first channel and stereo difference interleaved per frame; the
//                 encoder flushes twice, so one zero word follows the last code word
#include "base/Types.h"

namespace NSFerrant
{
class CMedia;
}

struct TKORBHeader
{
    u32 fFrameCount = 0;
    u8 fRootKey = 0;
    u8 fFineTune = 0;
    u32 fLoopMode = 0; // stored as one byte
    u8 fChannelCount = 0;
    u32 fLoopStart = 0;
    u32 fLoopEnd = 0;
    u32 fSampleRate = 0;
    u8 fBitsPerSample = 0;
    bool fIsVersion2 = false; // read from, or to be written as, a version 2 stream
    // Carried from a version 2 header; this system gives them no meaning and never sets them.
    u32 fValueA = 0;
    u32 fValueB = 0;
    bool fFlag = false;
};

// Writes the header (version 1.0.0, or 2.0.0 with fIsVersion2) at the destination's position.
void WriteKORBHeader(const TKORBHeader& header, NSFerrant::CMedia& destination);

// Reads a header of major version 1 or 2, in either byte form of the version (other majors are
// refused through ThrowVersionMismatch), and leaves the source's position at the first code word.
// The header is checked with CheckKORBHeader against the bytes that follow it, so that its counts
// can size a decoder's output.
void ReadKORBHeader(TKORBHeader& out, NSFerrant::CMedia& source);
// The same without the check against the bytes that follow, for a stream whose end is not known
// yet: the caller checks the header with CheckKORBHeader once it is.
void ReadKORBHeaderUnchecked(TKORBHeader& out, NSFerrant::CMedia& source);

// Throws XFormatViolation for a header a decoder cannot trust: a channel count other than 1 or 2,
// bits other than 16 or 24, or more samples than codeBytes can hold (every sample takes at least
// one code bit).
void CheckKORBHeader(const TKORBHeader& header, i64 codeBytes);
