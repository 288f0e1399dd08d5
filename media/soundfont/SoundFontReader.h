#pragma once
// The lenient SoundFont 2 reader: a bank's texts and lists, to show its presets and samples. It
// finds its groups wherever they are and never touches the sample data.
#include "media/soundfont/SoundFontData.h"

namespace NSFerrant
{
class CMedia;

// Reads from offset 0; the lists hold no terminal entries. Every broken rule is a SoundFont
// format error; a chunk header the RIFF reader rejects raises that reader's error.
TSoundFontData ReadSoundFont(CMedia& media);
} // namespace NSFerrant
