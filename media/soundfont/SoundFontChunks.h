#pragma once
// What the lenient reader, the strict bank and the sample extraction share of reading a bank:
// walking to its groups, the INFO texts, the entry lists of "pdta" and the index rules.
#include "media/IFFReader2.h"
#include "media/soundfont/SoundFontData.h"

#include <optional>

namespace NSFerrant
{
constexpr TFourCC kFourCC_sfbk = MakeFourCC("sfbk");
constexpr TFourCC kFourCC_INFO = MakeFourCC("INFO");
constexpr TFourCC kFourCC_sdta = MakeFourCC("sdta");
constexpr TFourCC kFourCC_pdta = MakeFourCC("pdta");
constexpr TFourCC kFourCC_smpl = MakeFourCC("smpl");

// The longest texts a bank holds, in bytes of the file and in UTF-16 units alike.
constexpr size_t kSoundFontTextLimit = 255;
constexpr size_t kSoundFontCommentLimit = 65535;

// Walks the reader's window from its first chunk to the first group of that kind and type. A
// window shorter than 8 bytes, or reaching its end, is a format error.
TIFFChunk WalkToSoundFontGroup(CRIFFReader2& reader, u32 kind, TFourCC type);

enum class ESoundFontReading
{
    kLenient, // texts tested as read, every list but "phdr" and "inst" at least one entry, terminals dropped
    kStrict,  // texts tested later, lists may be empty, terminals kept
};

// The INFO chunks of the list the form's reader has just found.
void ReadSoundFontInfo(CRIFFReader2& formReader, const TIFFChunk& infoList, TSoundFontData& data,
                       ESoundFontReading reading);

// The nine entry lists of the "pdta" list the form's reader has just found; every sample header
// is normalised.
void ReadSoundFontLists(CRIFFReader2& formReader, const TIFFChunk& pdtaList, TSoundFontData& data,
                        ESoundFontReading reading);

bool AreSoundFontTextLengthsValid(const TSoundFontData& data);

// The bag and generator index rules; minimumHeaders is the least number of presets and of
// instruments (1 without terminal entries, 2 with them).
bool AreSoundFontIndexesValid(const TSoundFontData& data, size_t minimumHeaders);

// The rules a bank's lists, taken without their terminal entries, must meet to be listed: every
// sample header of one of the eight standard types, and the index rules.
bool AreListedSoundFontRulesMet(const TSoundFontData& listed);

// The contents without the terminal entry of each list; nothing when a list has none to drop.
std::optional<TSoundFontData> WithoutTerminalEntries(const TSoundFontData& data);
} // namespace NSFerrant
