#include "media/soundfont/SoundFontData.h"

#include "base/Quorral.h"
#include "base/TextConversions.h"

#include <algorithm>
#include <string>

namespace NSFerrant
{
namespace
{
constexpr size_t kNameFieldSize = 20;
} // namespace

TUTF16String DecodeSoundFontName(const u8* field)
{
    const u8* end = std::find(field, field + kNameFieldSize, u8(0));
    return NSTextPackage::ANSIToUTF16(std::string(field, end));
}

bool IsDefinedGenerator(u32 generatorOperator)
{
    switch (generatorOperator)
    {
    case 14:
    case 18:
    case 19:
    case 20:
    case 42:
    case 49:
    case 55:
    case 59:
        return false;
    default:
        return generatorOperator <= 60;
    }
}

NSQuorral::TFixedName GetSoundFontFileFormatObjectType()
{
    return "sound_font_file_format";
}

void ThrowSoundFontFormatError()
{
    NSQuorral::Throw<NSQuorral::XFormatViolation>("", GetSoundFontFileFormatObjectType());
}
} // namespace NSFerrant
