#pragma once
// The strict SoundFont 2 reader: the packer accepts a bank only when one of these can be built
// from it. The groups must stand in their standard order and the whole bank must be consistent,
// and it must meet every rule by which ReadSoundFont lists a bank, so a bank that packs opens as
// a folder.
#include "media/soundfont/SoundFontData.h"

namespace NSFerrant
{
class CMedia;

class CSoundFontBank
{
public:
    // Reads and checks the bank from offset 0; every broken rule is a SoundFont format error (a
    // chunk header the RIFF reader rejects raises that reader's error).
    explicit CSoundFontBank(CMedia& media);
    virtual ~CSoundFontBank();

    // The texts and lists, every list with its terminal entry.
    const TSoundFontData& GetContents() const { return fContents; }
    // The number of 16-bit words in the "smpl" chunk. Only their number is checked against the
    // sample headers, so the words themselves are never loaded: a bank of hundreds of megabytes
    // is verified in the memory of its lists.
    u64 GetSampleWordCount() const { return fSampleWordCount; }

private:
    TSoundFontData fContents;
    u64 fSampleWordCount = 0;
};

// The consistency rules on a bank's lists (terminal entries included) and its sample ranges;
// false when any is broken.
bool CheckSoundFontData(const CSoundFontBank& bank);
} // namespace NSFerrant
