#include "media/VersionedString.h"

#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

namespace NSFerrant
{
namespace
{
constexpr u32 kVersionedTag = 0xFFFFFFFE;
} // namespace

void ReadVersionedString(THashedString& out, CMedia& media, bool utf8Form)
{
    const i64 start = media.fPosition;
    NSTextPackage::TUTF16String text;
    if (ReadNameCount(media) == kVersionedTag)
    {
        const TVersion version = ReadVersion(media);
        if (version.fMajor != 1)
        {
            const TVersion accepted{1, 0, 0};
            ThrowVersionMismatch(accepted, accepted, version);
        }
        text = ReadNameString(media);
    }
    else
    {
        media.fPosition = start;
        text = utf8Form ? ReadUTF8NameString(media) : ReadNameString(media);
    }
    out = THashedString(text);
}

NSTextPackage::TUTF16String ReadUTF8NameString(CMedia& media)
{
    return NSTextPackage::UTF8ToUTF16(ReadNameBytes(media, ReadNameCount(media)));
}
} // namespace NSFerrant
