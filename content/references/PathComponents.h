#pragma once
// What the three path descriptions of a sample reference share: the list of names, its stored
// form, and the path text of their XML elements.
#include "base/HashedString.h"

#include <vector>

namespace NSFerrant
{
class CMedia;
}

// Names from the outermost down. Two names are equal when their lengths and hashes are equal and
// they compare equal ignoring case (THashedString's equality).
using TPathComponents = std::vector<THashedString>;

namespace NSPathComponents
{
// A big-endian u32 count followed by that many name strings.
void WriteComponents(NSFerrant::CMedia& media, const TPathComponents& components);
// eightBit selects the counted UTF-8 form of the oldest stored versions. A count that cannot fit
// the bytes left (every name takes at least its 4-byte count) is XFormatViolation before
// anything is read.
TPathComponents ReadComponents(NSFerrant::CMedia& media, bool eightBit);

// Each component preceded by "/": a and b give "/a/b"; no components give the empty text.
NSTextPackage::TUTF16String FormatPathText(const TPathComponents& components);
// Appends the components of a path text, empty ones included ("/" gives one empty component).
// False, appending nothing, when the text does not start with "/".
bool AppendPathText(const NSTextPackage::TUTF16String& text, TPathComponents& components);

// The components joined by separator, without a leading one.
NSTextPackage::TUTF16String JoinComponents(const TPathComponents& components, u16 separator);
} // namespace NSPathComponents
