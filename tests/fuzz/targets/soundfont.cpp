// Both SoundFont readers and the samples cut out of a bank. A bank the strict reader builds is
// read by the lenient reader too, to the same lists; every sample the lenient reader lists is cut
// out or refused.
#include "base/Media.h"
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"
#include "tests/fuzz/support/FuzzChecks.h"

using namespace NSFerrant;

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
        NSFuzz::Require(bank.GetContents().fSampleHeaders == lenient.fSampleHeaders &&
                            bank.GetContents().fPresetHeaders == lenient.fPresetHeaders &&
                            bank.GetContents().fInstruments == lenient.fInstruments,
                        "the two readers read different lists");
    });
    return 0;
}
