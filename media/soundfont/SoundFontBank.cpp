#include "media/soundfont/SoundFontBank.h"

#include "media/soundfont/SoundFontChunks.h"

#include <algorithm>

namespace NSFerrant
{
namespace
{
// The chunk after the given one must exist and be a LIST of that type.
TIFFChunk RequireNextList(CRIFFReader2& reader, const TIFFChunk& current, TFourCC type)
{
    TIFFChunk next;
    if (!reader.NextChunk(current, next) || next.fKind != kChunkKindLIST || next.fFourCC != type)
        ThrowSoundFontFormatError();
    return next;
}

// The words of "smpl" in the "sdta" list; 0 without that chunk.
u64 CountSampleWords(CRIFFReader2& formReader, const TIFFChunk& sdtaList)
{
    CRIFFReader2 sdta(formReader, sdtaList);
    TIFFChunk smpl;
    if (!sdta.FindChunk(kFourCC_smpl, smpl))
        return 0;
    const u64 size = u64(GetChunkDataSize(smpl));
    if (size % 2 != 0)
        ThrowSoundFontFormatError();
    return size / 2;
}

bool IsPresetGeneratorDefined(const TSoundFontGenerator& generator)
{
    return IsDefinedGenerator(generator.fOperator);
}
} // namespace

CSoundFontBank::CSoundFontBank(CMedia& media)
{
    if (media.GetSize() < 8 || !IsRIFFMedia(media))
        ThrowSoundFontFormatError();
    CRIFFReader2 root(media);
    TIFFChunk form;
    if (!root.FirstChunk(form) || form.fKind != kChunkKindFORM || form.fFourCC != kFourCC_sfbk)
        ThrowSoundFontFormatError();
    CRIFFReader2 formReader(root, form);

    TIFFChunk info;
    if (!formReader.FirstChunk(info) || info.fKind != kChunkKindLIST || info.fFourCC != kFourCC_INFO)
        ThrowSoundFontFormatError();
    ReadSoundFontInfo(formReader, info, fContents, ESoundFontReading::kStrict);

    const TIFFChunk sdta = RequireNextList(formReader, info, kFourCC_sdta);
    fSampleWordCount = CountSampleWords(formReader, sdta);

    const TIFFChunk pdta = RequireNextList(formReader, sdta, kFourCC_pdta);
    ReadSoundFontLists(formReader, pdta, fContents, ESoundFontReading::kStrict);
    const std::vector<TSoundFontGenerator>& generators = fContents.fPresetGenerators;
    if (!std::all_of(generators.begin(), generators.end(), &IsPresetGeneratorDefined))
        ThrowSoundFontFormatError();

    if (!CheckSoundFontData(*this))
        ThrowSoundFontFormatError();
    // A bank accepted for packing must also open as a folder, which lists it by the lenient rules.
    const std::optional<TSoundFontData> listed = WithoutTerminalEntries(fContents);
    if (!listed || !AreListedSoundFontRulesMet(*listed))
        ThrowSoundFontFormatError();
}

CSoundFontBank::~CSoundFontBank() = default;

bool CheckSoundFontData(const CSoundFontBank& bank)
{
    const TSoundFontData& contents = bank.GetContents();
    const u64 words = bank.GetSampleWordCount();
    const auto isInRange = [words](const TSoundFontSampleHeader& header)
    { return header.fSampleType >= kSoundFontROMMono || (header.fStart <= words && header.fEnd <= words); };
    return AreSoundFontTextLengthsValid(contents) && AreSoundFontIndexesValid(contents, 2) &&
           std::all_of(contents.fSampleHeaders.begin(), contents.fSampleHeaders.end(), isInRange);
}
} // namespace NSFerrant
