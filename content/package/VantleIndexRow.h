#pragma once
// One row of a package's index: where an entry's bytes lie in the data area and what they are.
#include "base/Types.h"
#include "base/UTF16String.h"

namespace NSFerrant
{
class CMedia;
}

class CVantleIndexRow
{
public:
    // The stored form at the media's position: the name string, the packed type's low byte,
    // offset and size as big-endian u32, and the hidden byte (1 or 0).
    void Write(NSFerrant::CMedia& media) const;
    // The bytes Write writes for a row of this name, whatever its numbers.
    static i64 GetStoredSize(const NSTextPackage::TUTF16String& name);
    // Only a hidden byte of 1 counts as hidden. Ten bytes must follow the name (XFormatViolation).
    void Read(NSFerrant::CMedia& media);

    bool operator==(const CVantleIndexRow&) const = default;

    // The entry's path inside the package: folder names and the file name joined by ":".
    NSTextPackage::TUTF16String fName;
    // From the start of the data area.
    u32 fOffset = 0;
    u32 fSize = 0;
    // Kept out of the browsable tree.
    bool fHidden = false;
    u32 fPackedType = 0; // EPackedFileType
};
