#pragma once
// The information block of a package: its texts, the counts and offsets that find the index and
// the data, the package's version and the date it was written.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "base/VersionNumbers.h"

#include <ctime>

namespace NSFerrant
{
class CMedia;
}

// Packages whose creator version is older carry no package version and date.
constexpr NSFerrant::TVersion kFirstCreatorVersionWithDate{1, 2, 0};

class CVantleInfo
{
public:
    // Versions 0.0.0 final, empty texts, zero counts and date.
    CVantleInfo() = default;
    // A block for writing: creator version 1.2.0, zero counts and date.
    CVantleInfo(const NSTextPackage::TUTF16String& name, const NSTextPackage::TUTF16String& comments,
                const NSTextPackage::TUTF16String& url, const NSTextPackage::TUTF16String& copyright,
                const NSFerrant::TVersion& packageVersion);

    // The stored form at the media's position: the four name strings, file count, index start and
    // data start, the package version and the date (high word first). The creator version is not
    // written here: it lives in the creator block.
    void Write(NSFerrant::CMedia& media) const;
    // The bytes Write writes: the counts, offsets and date have fixed widths, so only the texts
    // and the package version decide it.
    i64 GetStoredSize() const;
    // Reads the stored form at the position. The package version and the date are read only when
    // creatorVersion is not older than kFirstCreatorVersionWithDate; otherwise they keep their
    // values. The creator version itself is left to the caller.
    void Read(const NSFerrant::TVersion& creatorVersion, NSFerrant::CMedia& media);

    bool operator==(const CVantleInfo&) const = default;

    // The version of the creator block the block was read with.
    NSFerrant::TVersion fCreatorVersion;
    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fComments;
    NSTextPackage::TUTF16String fURL;
    NSTextPackage::TUTF16String fCopyright;
    u32 fFileCount = 0;
    // Both offsets count from the start of the package.
    u32 fIndexStart = 0;
    u32 fDataStart = 0;
    NSFerrant::TVersion fPackageVersion;
    // Local time packed into 64 bits: years since 1900 in bits 48-63, month 0-11 in 32-47, day
    // 1-31 in 24-31, then hour, minute and second a byte each. Kept as stored, never interpreted.
    u64 fDate = 0;
};

// A local time packed as the information block stores it (the packing follows std::tm's fields:
// years since 1900, month 0 to 11).
u64 PackVantleDate(const std::tm& localTime);
