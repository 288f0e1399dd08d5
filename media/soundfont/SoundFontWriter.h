#pragma once
// Writes a bank's contents as a SoundFont 2 file. The writer checks nothing: it writes what it is
// given, adds the terminal entry of every list and converts texts and names to the system ANSI
// code page (characters the code page cannot hold become "?").
#include "media/soundfont/SoundFontData.h"

#include <vector>

namespace NSFerrant
{
class CIFFWriter2;
class CMedia;

// Appends the whole bank at the media's position, which must be its end; afterwards the
// position is at the bank's end. Pad bytes count from the bank's start, so at any offset the
// bank ends with its form. Without sample words the "sdta" list holds no "smpl" chunk.
// On a failure the media holds a partial bank whose unfinished groups have a size of 0.
void WriteSoundFont(CMedia& media, const TSoundFontData& data, const std::vector<i16>& sampleWords);

// The parts, each written through the writer of the group that holds it.
void WriteSoundFontInfo(CIFFWriter2& form, const TSoundFontData& data);          // LIST "INFO"
void WriteSoundFontSampleData(CIFFWriter2& form, const std::vector<i16>& words); // LIST "sdta"
void WriteSoundFontPresetHeaders(CIFFWriter2& pdta, const TSoundFontData& data); // "phdr"
void WriteSoundFontInstruments(CIFFWriter2& pdta, const TSoundFontData& data);   // "inst"
void WriteSoundFontSampleHeaders(CIFFWriter2& pdta, const TSoundFontData& data); // "shdr"
} // namespace NSFerrant
