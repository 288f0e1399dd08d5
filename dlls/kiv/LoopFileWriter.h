#pragma once
// Writes KIV loop files for tests and fixtures. It writes the fields it is given as they are, a
// version, channel count, bars or beats the library refuses included, so that a test can make
// exactly the file it needs.
#include "dlls/kiv/LoopFileFormat.h"

#include <vector>

namespace NSKIV
{
struct TLoopFileContent
{
    u32 fFormatVersion = kLoopFileVersion;
    u32 fChannelCount = 1;
    u32 fSampleRate = 44100;
    u32 fBarCount = 1;
    u32 fBeatsPerBar = 4;
    u32 fTempo = 120000; // thousandths of a beat per minute
    // Each slice's samples, channels interleaved: a whole number of frames.
    std::vector<std::vector<i16>> fSlices;
};

// std::invalid_argument for a channel count of 0 or a slice that is not a whole number of frames.
std::vector<u8> WriteLoopFile(const TLoopFileContent& content);
} // namespace NSKIV
