#pragma once
// The sox-made fixtures of the audio codec tests (tests/support/make-audio-fixtures), which the
// build makes into the folder VANTLE_AUDIO_FIXTURE_DIR of the suites that use them.
#include "tests/support/FixtureFiles.h"

namespace NSTestSupport
{
// The whole fixture file (its name in the folder) as bytes; a missing one throws.
inline std::vector<u8> ReadAudioFixture(const std::string& name)
{
    return ReadFixtureFile(VANTLE_AUDIO_FIXTURE_DIR, name);
}

// The frames of a fixture as sox decodes them, on the 24-bit integer scale the codec libraries
// deliver (exact for samples of up to 24 bits).
inline std::vector<i32> ReadAudioFixtureFrames(const std::string& name)
{
    const std::vector<u8> bytes = ReadAudioFixture(name + ".s32");
    std::vector<i32> samples(bytes.size() / 4);
    for (size_t i = 0; i < samples.size(); ++i)
    {
        const u32 value = u32(bytes[4 * i]) | (u32(bytes[4 * i + 1]) << 8) | (u32(bytes[4 * i + 2]) << 16) |
                          (u32(bytes[4 * i + 3]) << 24);
        samples[i] = i32(value) >> 8;
    }
    return samples;
}
} // namespace NSTestSupport
