#pragma once
// Test signals for the KORB coder and decoder: deterministic PCM of every shape that stresses the
// model (silence, full-scale extremes, noise, tones), one plane per channel.
#include "base/Types.h"
#include "base/Media.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/OutputBitStream.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

namespace NSTestSupport
{
enum class EKORBSignal
{
    kSilence,
    kAntiPhaseSquare, // full-scale square, second channel the first's opposite
    kFullScaleNoise,
    kTones,
    kImpulses,
};

struct TKORBSignal
{
    u32 fBits; // 16 or 24
    u32 fChannels;
    std::vector<i32> fFirst;
    std::vector<i32> fSecond; // empty for mono
};

inline TKORBSignal MakeKORBSignal(EKORBSignal shape, u32 bits, u32 channels, u32 frames, u32 seed = 1)
{
    const i32 high = (1 << (bits - 1)) - 1;
    const i32 low = -(1 << (bits - 1));
    std::mt19937 random(seed);
    std::uniform_int_distribution<i32> anyValue(low, high);
    std::uniform_int_distribution<i32> noise(-40, 40);
    TKORBSignal signal{bits, channels, std::vector<i32>(frames), {}};
    if (channels == 2)
        signal.fSecond.resize(frames);
    for (u32 i = 0; i < frames; ++i)
    {
        i32 first = 0;
        i32 second = 0;
        switch (shape)
        {
        case EKORBSignal::kSilence:
            break;
        case EKORBSignal::kAntiPhaseSquare:
            first = (i / 3) % 2 ? high : low;
            second = first == high ? low : high;
            break;
        case EKORBSignal::kFullScaleNoise:
            first = anyValue(random);
            second = anyValue(random);
            break;
        case EKORBSignal::kTones:
        {
            const double t = i / 44100.0;
            const double tone =
                0.6 * std::sin(2 * 3.14159265 * 440 * t) + 0.3 * std::sin(2 * 3.14159265 * 3001 * t);
            first = i32(tone * high) + noise(random);
            second = i32(0.8 * tone * high) + noise(random);
            break;
        }
        case EKORBSignal::kImpulses:
            first = i % 97 == 0 ? high : (i % 89 == 0 ? low : 0);
            second = i % 61 == 0 ? low : 0;
            break;
        }
        signal.fFirst[i] = std::clamp(first, low, high);
        if (channels == 2)
            signal.fSecond[i] = std::clamp(second, low, high);
    }
    return signal;
}

// The code words of a signal as the real coder writes them (flushed twice, as a stream ends),
// coded in runs whose lengths come from nextRun (called with the frames left).
inline std::vector<u8> EncodeKORBSignal(const TKORBSignal& signal, const std::function<u32(u32)>& nextRun)
{
    NSFerrant::COwnedMemoryMedia media(0);
    {
        COutputBitStream bits(media);
        TKORBEncoder encoder(bits, u8(signal.fChannels));
        const u32 frames = u32(signal.fFirst.size());
        std::vector<i16> first16(signal.fFirst.begin(), signal.fFirst.end());
        std::vector<i16> second16(signal.fSecond.begin(), signal.fSecond.end());
        for (u32 done = 0; done < frames;)
        {
            const u32 n = std::clamp(nextRun(frames - done), 1u, frames - done);
            const bool stereo = signal.fChannels == 2;
            if (signal.fBits == 16)
                EncodeKORBBlock16(encoder, n,
                                  {first16.data() + done, stereo ? second16.data() + done : nullptr});
            else
                EncodeKORBBlock24(
                    encoder, n,
                    {signal.fFirst.data() + done, stereo ? signal.fSecond.data() + done : nullptr});
            done += n;
        }
        bits.Flush();
    }
    return media.GetBytes();
}

inline std::vector<u8> EncodeKORBSignal(const TKORBSignal& signal)
{
    return EncodeKORBSignal(signal, [](u32 left) { return left; });
}
} // namespace NSTestSupport
