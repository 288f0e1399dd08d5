#pragma once
// Single samples cut out of a bank's "smpl" data: a sample header's words as a mono in-memory
// sample, a linked left and right pair as one stereo sample, and the loop a header describes.
// The headers come from ReadSoundFont; every broken rule is a SoundFont format error.
#include "media/soundfont/SampleFormat.h"
#include "media/soundfont/SoundFontData.h"

#include <memory>
#include <vector>

namespace NSFerrant
{
class CMedia;
class CWaveSample;

// A read-only window over exactly the data of the bank's "smpl" chunk, at position 0; an empty
// memory media when the bank has none. The bank media must outlive the window.
std::unique_ptr<CMedia> OpenSoundFontSampleData(CMedia& bankMedia);

// The header's words (start to end) out of a window opened above; the window's position ends
// after them.
std::vector<i16> ReadSoundFontSampleWords(CMedia& window, const TSoundFontSampleHeader& header);

// One channel of 16-bit frames at the header's rate.
std::unique_ptr<CWaveSample> CreateMonoWaveSample(CMedia& bankMedia, const TSoundFontSampleHeader& header);

// Two channels, the first header's words in the first. The halves must agree in rate, relative
// loop, root key, pitch correction and length.
std::unique_ptr<CWaveSample> CreateStereoWaveSample(CMedia& bankMedia, const TSoundFontSampleHeader& first,
                                                    const TSoundFontSampleHeader& second);

// The header's loop in frames from its first word (no loop unless the loop lies within the
// sample and is not empty), with its root key and pitch correction.
TSampleLoop GetSampleLoop(const TSoundFontSampleHeader& header);
} // namespace NSFerrant
