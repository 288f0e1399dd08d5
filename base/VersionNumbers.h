#pragma once
// Version numbers of stored records and of the program: the value, its two byte forms, its
// ordering, its plain text form and the exception that rejects a stored version.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <cstddef>

namespace NSFerrant
{
class CMedia;

enum EVersionStage : u32
{
    kVersionStageDevelopment = 1,
    kVersionStageAlpha = 2,
    kVersionStageBeta = 3,
    kVersionStageFinal = 4,
};

// 0.0.0 final, revision 0, build 0 is the no-version value readers start from.
struct TVersion
{
    u32 fMajor = 0;
    u32 fMinor = 0;
    u32 fFix = 0;
    u32 fStage = kVersionStageFinal;
    u32 fStageRevision = 0;
    u32 fBuild = 0;

    bool operator==(const TVersion&) const = default;
};

// The short byte form (0xBC, major, minor, fix, 0) holds final versions whose three numbers are
// below 255 and whose revision and build are 0; every other value takes the long form
// (0xBC, FF FF FF FF, the six fields as big-endian u32).
constexpr std::size_t kShortVersionSize = 5;
constexpr std::size_t kLongVersionSize = 29;
constexpr u8 kVersionMarker = 0xBC;

// Writes the chosen form into out (room for kLongVersionSize bytes) and answers its length.
std::size_t EncodeVersion(const TVersion& version, u8* out);
// False, leaving version untouched, when the first byte is not 0xBC. bytes must hold 5 bytes, and
// 29 when bytes 1 to 4 are FF. A long form with a stage outside 1..4 is XFormatViolation.
bool DecodeVersion(TVersion& version, const u8* bytes);

// Either form at the media's position, which advances past it. Too few bytes or a first byte
// other than 0xBC is XFormatViolation.
TVersion ReadVersion(CMedia& media);
void WriteVersion(const TVersion& version, CMedia& media);

enum EVersionOrder : u32
{
    kVersionNewer = 0, // the first version is newer
    kVersionEqual = 1,
    kVersionOlder = 2, // the first version is older
};

// Orders by major, minor, fix, stage, then revision, where a final's revision 0 (the plain
// release) ranks above every other revision. The build is never compared.
u32 CompareVersions(const TVersion& a, const TVersion& b);

// The plain text form, for stored text: "1.2", "1.2.3", "1.2b0", "1.2.3d4 build 5"; the
// no-version value gives fallback.
NSTextPackage::TUTF16String FormatVersion(const TVersion& version,
                                          const NSTextPackage::TUTF16String& fallback);

// What a version's text is composed of; the plain form uses literals, the display form the
// program's resource texts.
struct TVersionTexts
{
    NSTextPackage::TUTF16String fNoVersion;     // the whole text of the no-version value
    NSTextPackage::TUTF16String fMajorMinor;    // "^0.^1", when the fix is 0
    NSTextPackage::TUTF16String fMajorMinorFix; // "^0.^1.^2"
    NSTextPackage::TUTF16String fWithStage;     // "^0^1^2": text, stage letter, revision
    NSTextPackage::TUTF16String fWithBuild;     // "^0 build ^1": text, build
    // Letters of the stages 1 to 4; any other stage takes the first.
    NSTextPackage::TUTF16String fStageLetters[4];
    NSTextPackage::TUTF16String (*fFormatNumber)(i64);
};

// Numbers, then the stage unless final with revision 0, then the build unless 0.
NSTextPackage::TUTF16String ComposeVersionText(const TVersion& version, const TVersionTexts& texts);

// Reads the plain text form leniently and never fails: missing or unreadable numbers read 0, the
// stage starts at the first of the letters "dabf", and a trailing " build N" gives the build.
// The empty text and "n/a" give the no-version value.
TVersion ParseVersion(const NSTextPackage::TUTF16String& text);
} // namespace NSFerrant

// Throws the exception that fits a stored version outside [oldest, newest]: XVersionTooOld when it
// is older than oldest, XVersionTooNew when its major is above newest's, else XUnsupportedFormat.
[[noreturn]] void ThrowVersionMismatch(const NSFerrant::TVersion& oldest, const NSFerrant::TVersion& newest,
                                       const NSFerrant::TVersion& found);
