#pragma once
// The text encodings of the source folder's information files: which one a file declares, and
// its bytes decoded into UTF-16.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <string>

namespace NSFerrant
{
class CMedia;
}

namespace NSVantlePacking
{
enum ETextEncoding : u32
{
    kTextWindowsLatin = 57, // code page 1252, the default
    kTextUTF8 = 58,
    kTextUTF16BigEndian = 59,
    kTextUTF16LittleEndian = 60,
};

// Looks only at the first bytes, read from offset 0; the media's position is neither used nor
// moved. A byte-order mark decides, else the text CHARACTER_ENCODING="UTF-8" (or "UTF-16")
// written in any letter case in the file's own encoding at its very start.
ETextEncoding SniffTextEncoding(NSFerrant::CMedia& media);

// A byte-order mark is kept as U+FEFF; an odd last byte of UTF-16 is ignored.
NSTextPackage::TUTF16String DecodeText(const std::string& bytes, ETextEncoding encoding);
} // namespace NSVantlePacking
