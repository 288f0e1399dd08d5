#pragma once
// Builds small AIFF, AIFF-C and WAVE files for the codec tests, with the chunks sox does not
// write: instrument loops and markers, sampler loops, tempo-map chunks, 20- and 22-bit samples,
// little-endian AIFF-C, and broken structures.
#include "base/Types.h"

#include <string>
#include <vector>

namespace NSTestSupport
{
struct TAIFFMarker
{
    u16 fId;
    u32 fPosition;
};

struct TAIFFLoop
{
    i16 fPlayMode = 0; // 0 none, 1 forward, 2 forward and backward
    u16 fBeginMarker = 0;
    u16 fEndMarker = 0;
};

struct TAIFFInstrument
{
    u8 fBaseNote = 60;
    i8 fDetune = 0;
    u8 fLowNote = 0;
    u8 fHighNote = 127;
    TAIFFLoop fSustain;
    TAIFFLoop fRelease;
};

struct TApplicationChunk
{
    std::string fSignature;
    std::vector<u8> fData;
};

struct TAIFFSpec
{
    u16 fChannels = 1;
    i16 fBits = 16;
    u32 fRate = 44100;
    std::string fCompression; // empty: a plain AIFF; else an AIFF-C of this type ("NONE", "sowt")
    // Interleaved samples as stored: the container's value, smaller depths left-justified.
    std::vector<i32> fSamples;
    bool fHasInstrument = false;
    TAIFFInstrument fInstrument;
    std::vector<TAIFFMarker> fMarkers;
    std::vector<TApplicationChunk> fApplications;
};

struct TWAVELoop
{
    u32 fType = 0; // 0 forward, 1 alternating, 2 backward
    u32 fStart = 0;
    u32 fEnd = 0; // the loop's last frame
};

struct TWAVESpec
{
    u16 fChannels = 1;
    u16 fContainerBits = 16;
    u16 fValidBits = 0;  // written with an extensible format header when not 0
    u16 fFormatTag = 1; // 1 PCM, 3 float; an extensible header always says PCM
    u32 fRate = 44100;
    std::vector<i32> fSamples; // as stored; 8-bit samples as signed values, stored offset by 128
    bool fHasSampler = false;
    u32 fUnityNote = 60;
    u32 fPitchFraction = 0;
    std::vector<TWAVELoop> fLoops;
    std::vector<u8> fTempoMap; // a "QMTp" chunk when not empty
};

std::vector<u8> BuildAIFF(const TAIFFSpec& spec);
std::vector<u8> BuildWAVE(const TWAVESpec& spec);

// TEMPOMAP data of the given value and points (position, tempo).
std::vector<u8> BuildTempoMapData(i32 value, const std::vector<std::pair<i32, i32>>& points);
} // namespace NSTestSupport
