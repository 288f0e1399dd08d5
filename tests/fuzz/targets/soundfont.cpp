// Both SoundFont readers and the samples cut out of a bank. Every sample the lenient reader lists
// is cut out or refused. A bank the strict reader builds and checks is read by the lenient reader
// too, to the same lists but for the terminal entries, unless it breaks one of the rules the
// readers keep differently on purpose: the lenient reader wants an entry besides the terminal in
// the bag, modulator, generator and sample lists and only the standard sample types.
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

bool IsListedSampleType(u32 type)
{
    for (const u32 standard : {1u, 2u, 4u, 8u, 0x8001u, 0x8002u, 0x8004u, 0x8008u})
        if (type == standard)
            return true;
    return false;
}

// The strict reader's lists hold their terminal entries.
bool MeetsTheLenientRules(const TSoundFontData& strict)
{
    const bool entriesBesideTerminals =
        strict.fPresetBags.size() > 1 && strict.fPresetModulators.size() > 1 &&
        strict.fPresetGenerators.size() > 1 && strict.fInstrumentBags.size() > 1 &&
        strict.fInstrumentModulators.size() > 1 && strict.fInstrumentGenerators.size() > 1 &&
        strict.fSampleHeaders.size() > 1;
    return entriesBesideTerminals &&
           std::all_of(strict.fSampleHeaders.begin(), strict.fSampleHeaders.end() - 1,
                       [](const TSoundFontSampleHeader& header) { return IsListedSampleType(header.fSampleType); });
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
        const TSoundFontData& strict = bank.GetContents();
        if (!CheckSoundFontData(bank) || !MeetsTheLenientRules(strict))
            return;
        NSFuzz::Require(lenientReads, "the strict reader accepts what the lenient reader refuses");
        NSFuzz::Require(SameButTerminal(strict.fPresetHeaders, lenient.fPresetHeaders), "the readers differ in the presets");
        NSFuzz::Require(SameButTerminal(strict.fInstruments, lenient.fInstruments), "the readers differ in the instruments");
        NSFuzz::Require(SameButTerminal(strict.fSampleHeaders, lenient.fSampleHeaders), "the readers differ in the samples");
    });
    return 0;
}
