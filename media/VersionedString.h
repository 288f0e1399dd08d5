#pragma once
// Stored names in their three byte forms: versioned (FF FF FF FE, a version with major 1, a name
// string), a name string, or a counted UTF-8 text.
#include "base/HashedString.h"
#include "base/UTF16String.h"

namespace NSFerrant
{
class CMedia;

// Reads one stored name at the media's position, which advances. The versioned form is told by
// its tag; otherwise utf8Form, which callers take from their own record's version, chooses
// between the counted UTF-8 form and a name string. out is changed only on success.
void ReadVersionedString(THashedString& out, CMedia& media, bool utf8Form);

// A big-endian u32 count and that many bytes of UTF-8, taken up to the first zero byte.
NSTextPackage::TUTF16String ReadUTF8NameString(CMedia& media);
} // namespace NSFerrant
