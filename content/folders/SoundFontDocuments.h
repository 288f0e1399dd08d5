#pragma once
// The documents a bank's preset and sample items open as (integers big-endian, frames
// little-endian 16-bit words).
//
// Preset document: version 0.0.0 (short form), u32 preset position, u32 N, the whole bank written
// as a SoundFont 2 file without sample words (N bytes), u32 M, then M relative paths (newer stored
// form), one from the preset item to each mono sample item, in header order.
//
// Sample document: version 1.0.0, u32 rate, u8 root key, u8 fine tune, u32 loop start, u32 loop
// end, u32 channels, u32 loop flag, u32 frame count F, version 1.0.0 again, then channels × F
// words, a stereo pair's interleaved left then right.
#include "content/references/RelativePath.h"
#include "content/vfs/VirtualFileItem.h"
#include "media/soundfont/SoundFontData.h"

#include <vector>

struct TSoundFontPresetDocument
{
    u32 fPresetPosition = 0;
    CItemPtr fPresetItem;
    std::vector<CRelativePath> fSamplePaths;
    NSFerrant::TSoundFontData fBank;
};

struct TSoundFontSampleDocument
{
    u32 fSampleRate = 0;
    u8 fRootKey = 0;
    u8 fFineTune = 0;
    u32 fLoopStart = 0;
    u32 fLoopEnd = 0;
    u32 fChannelCount = 1;
    u8 fLoopFlag = 0;
    i32 fFrameCount = 0;
    std::vector<i16> fFrames;
};

void WriteSoundFontPresetDocument(NSFerrant::CMedia& media, const TSoundFontPresetDocument& document);
void WriteSoundFontSampleHeader(NSFerrant::CMedia& media, const TSoundFontSampleDocument& document);
void WriteSoundFontSampleDocument(const TSoundFontSampleDocument& document, NSFerrant::CMedia& media);
