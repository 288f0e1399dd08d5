#pragma once
// KIV loop files for the tests of the loop library and of the program's loop calls, made with
// the library's writer. Every sample is distinct and known, so a rendered slice shows which
// stored samples it came from.
#include "dlls/kiv/LoopFileWriter.h"

#include <vector>

namespace NSTestSupport
{
// The stored sample of a frame's channel in a slice: distinct for the first 256 frames of up to
// 64 slices, negative for odd channels so that the sign survives rendering.
inline i16 LoopSample(size_t slice, size_t frame, size_t channel)
{
    const int value = int(slice % 64) * 256 + int(frame % 256) * 2 + 1;
    return i16(channel % 2 == 0 ? value : -value);
}

// A loop of the given channels whose slices have the given frame counts.
inline NSKIV::TLoopFileContent MakeLoop(u32 channels, const std::vector<u32>& sliceFrames)
{
    NSKIV::TLoopFileContent loop;
    loop.fChannelCount = channels;
    loop.fSampleRate = 48000;
    loop.fBarCount = 2;
    loop.fBeatsPerBar = 3;
    loop.fTempo = 97500;
    for (size_t slice = 0; slice < sliceFrames.size(); ++slice)
    {
        std::vector<i16>& samples = loop.fSlices.emplace_back();
        for (size_t frame = 0; frame < sliceFrames[slice]; ++frame)
        {
            for (size_t channel = 0; channel < channels; ++channel)
                samples.push_back(LoopSample(slice, frame, channel));
        }
    }
    return loop;
}

inline std::vector<u8> MakeLoopFile(u32 channels, const std::vector<u32>& sliceFrames)
{
    return NSKIV::WriteLoopFile(MakeLoop(channels, sliceFrames));
}
} // namespace NSTestSupport
