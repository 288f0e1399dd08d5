#include "content/folders/SoundFontDocuments.h"

#include "base/VersionNumbers.h"
#include "base/Media.h"
#include "media/soundfont/SoundFontWriter.h"

namespace
{
const NSFerrant::TVersion kPresetDocumentVersion{0, 0, 0};
const NSFerrant::TVersion kSampleDocumentVersion{1, 0, 0};
} // namespace

void WriteSoundFontPresetDocument(NSFerrant::CMedia& media, const TSoundFontPresetDocument& document)
{
    NSFerrant::WriteVersion(kPresetDocumentVersion, media);
    NSFerrant::WriteU32BE(media, document.fPresetPosition);
    const i64 lengthAt = media.fPosition;
    NSFerrant::WriteU32BE(media, 0);
    NSFerrant::WriteSoundFont(media, document.fBank, {});
    const i64 end = media.fPosition;
    media.fPosition = lengthAt;
    NSFerrant::WriteU32BE(media, u32(end - lengthAt - 4));
    media.fPosition = end;
    NSFerrant::WriteU32BE(media, u32(document.fSamplePaths.size()));
    for (const CRelativePath& path : document.fSamplePaths)
        path.Write(media, CRelativePath::kNewerForm);
}

void WriteSoundFontSampleHeader(NSFerrant::CMedia& media, const TSoundFontSampleDocument& document)
{
    NSFerrant::WriteVersion(kSampleDocumentVersion, media);
    NSFerrant::WriteU32BE(media, document.fSampleRate);
    NSFerrant::WriteU8(media, document.fRootKey);
    NSFerrant::WriteU8(media, document.fFineTune);
    NSFerrant::WriteU32BE(media, document.fLoopStart);
    NSFerrant::WriteU32BE(media, document.fLoopEnd);
    NSFerrant::WriteU32BE(media, document.fChannelCount);
    NSFerrant::WriteU32BE(media, document.fLoopFlag != 0 ? 1 : 0);
    NSFerrant::WriteU32BE(media, u32(document.fFrameCount));
}

void WriteSoundFontSampleDocument(const TSoundFontSampleDocument& document, NSFerrant::CMedia& media)
{
    WriteSoundFontSampleHeader(media, document);
    NSFerrant::WriteVersion(kSampleDocumentVersion, media);
    if (document.fFrameCount > 0)
    {
        // 64 bits: two channels of a long sample overflow a 32-bit byte count.
        const i64 byteCount = i64(document.fChannelCount) * i64(document.fFrameCount) * i64(sizeof(i16));
        NSFerrant::WriteBytes(media, byteCount, document.fFrames.data());
    }
}
