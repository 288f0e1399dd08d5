// Both SoundFont readers and the samples cut out of a bank. A bank the strict reader builds is
// read by the lenient reader too, to the same lists but for the terminal entries, which the
// lenient reader leaves out on purpose; every sample the lenient reader lists is cut out or
// refused.
#include "base/Media.h"
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <algorithm>
#include <vector>

using namespace NSFerrant;

namespace
{
template <class TEntry> bool SameButTerminal(const std::vector<TEntry>& strict, const std::vector<TEntry>& lenient)
{
    return !strict.empty() && std::equal(strict.begin(), strict.end() - 1, lenient.begin(), lenient.end());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    COwnedMemoryMedia media(i64(size), data);
    TSoundFontData lenient;
    const bool lenientReads = NSFuzz::ReadsOrRefuses([&] { lenient = ReadSoundFont(media); });
    if (lenientReads)
        for (const TSoundFontSampleHeader& header : lenient.fSampleHeaders)
            NSFuzz::ReadsOrRefuses([&] { CreateMonoWaveSample(media, header); });
    media.fPosition = 0;
    NSFuzz::ReadsOrRefuses([&] {
        CSoundFontBank bank(media);
        CheckSoundFontData(bank);
        NSFuzz::Require(lenientReads, "the strict reader accepts what the lenient reader refuses");
        const TSoundFontData& strict = bank.GetContents();
        NSFuzz::Require(SameButTerminal(strict.fPresetHeaders, lenient.fPresetHeaders), "the readers differ in the presets");
        NSFuzz::Require(SameButTerminal(strict.fInstruments, lenient.fInstruments), "the readers differ in the instruments");
        NSFuzz::Require(SameButTerminal(strict.fSampleHeaders, lenient.fSampleHeaders), "the readers differ in the samples");
    });
    return 0;
}
