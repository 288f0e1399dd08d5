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

// Information files are small by nature: what lies beyond this is not read.
constexpr i64 kLargestInformationFile = i64(1) << 20;

// Never fails: a byte sequence that is no character in the encoding (malformed UTF-8, an
// unpaired UTF-16 surrogate) becomes U+FFFD. A byte-order mark is kept as U+FEFF; an odd last
// byte of UTF-16 is ignored.
NSTextPackage::TUTF16String DecodeText(const std::string& bytes, ETextEncoding encoding);

// The file's bytes from offset 0, at most kLargestInformationFile of them; the media's position
// is neither used nor moved.
std::string ReadInformationFileBytes(NSFerrant::CMedia& media);
} // namespace NSVantlePacking
