#include "media/soundfont/SoundFontReader.h"

#include "media/soundfont/SoundFontChunks.h"

namespace NSFerrant
{
TSoundFontData ReadSoundFont(CMedia& media)
{
    if (media.GetSize() < 8 || !IsRIFFMedia(media))
        ThrowSoundFontFormatError();
    CRIFFReader2 root(media);
    const TIFFChunk form = WalkToSoundFontGroup(root, kChunkKindFORM, kFourCC_sfbk);
    CRIFFReader2 formReader(root, form);

    TSoundFontData data;
    const TIFFChunk info = WalkToSoundFontGroup(formReader, kChunkKindLIST, kFourCC_INFO);
    ReadSoundFontInfo(formReader, info, data, ESoundFontReading::kLenient);

    TIFFChunk pdta;
    if (!formReader.FindLIST(kFourCC_pdta, pdta))
        ThrowSoundFontFormatError();
    ReadSoundFontLists(formReader, pdta, data, ESoundFontReading::kLenient);

    if (!AreListedSoundFontRulesMet(data))
        ThrowSoundFontFormatError();
    return data;
}
} // namespace NSFerrant
