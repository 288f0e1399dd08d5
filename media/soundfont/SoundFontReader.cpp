#include "media/soundfont/SoundFontReader.h"

#include "media/soundfont/SoundFontChunks.h"

#include <algorithm>

namespace NSFerrant
{
namespace
{
bool IsStandardSampleType(u32 type)
{
    switch (type)
    {
    case 1:
    case 2:
    case 4:
    case 8:
    case 0x8001:
    case 0x8002:
    case 0x8004:
    case 0x8008:
        return true;
    default:
        return false;
    }
}
} // namespace

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

    if (!std::all_of(data.fSampleHeaders.begin(), data.fSampleHeaders.end(),
                     [](const TSoundFontSampleHeader& header)
                     { return IsStandardSampleType(header.fSampleType); }))
        ThrowSoundFontFormatError();
    if (!AreSoundFontIndexesValid(data, 1))
        ThrowSoundFontFormatError();
    return data;
}
} // namespace NSFerrant
