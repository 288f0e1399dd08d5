#include "gui/VersionText.h"

#include "base/GroupedNumbers.h"
#include "base/ResourceID.h"
#include "gui/TrellisUtils.h"

namespace
{
constexpr u16 kVersionTextTable = 1997;

enum EVersionTextEntry : u16
{
    kNoVersionEntry = 200,     // "n/a"
    kMajorMinorEntry = 201,    // "^0.^1"
    kMajorMinorFixEntry = 202, // "^0.^1.^2"
    kWithStageEntry = 203,     // "^0^1^2"
    kWithBuildEntry = 204,     // "^0 (build ^1)"
    kDevelopmentEntry = 205,   // "d", then "a", "b", "f"
};

// Made at program start, like every resource id of the program.
const NSFerrant::TResourceID kVersionTextIDs[] = {
    NSFerrant::MakeStringID(kVersionTextTable, kNoVersionEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kMajorMinorEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kMajorMinorFixEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kWithStageEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kWithBuildEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kDevelopmentEntry),
    NSFerrant::MakeStringID(kVersionTextTable, kDevelopmentEntry + 1),
    NSFerrant::MakeStringID(kVersionTextTable, kDevelopmentEntry + 2),
    NSFerrant::MakeStringID(kVersionTextTable, kDevelopmentEntry + 3),
};

NSTextPackage::TUTF16String Text(size_t index)
{
    return NSTrellisUtils::GetResourceText(kVersionTextIDs[index]);
}

NSTextPackage::TUTF16String FormatGroupedDigits(i64 value)
{
    return NSTextPackage::FormatGroupedNumber(value);
}
} // namespace

NSTextPackage::TUTF16String FormatVersionText(const NSFerrant::TVersion& version)
{
    const NSFerrant::TVersionTexts texts = {Text(0),
                                            Text(1),
                                            Text(2),
                                            Text(3),
                                            Text(4),
                                            {Text(5), Text(6), Text(7), Text(8)},
                                            &FormatGroupedDigits};
    return NSFerrant::ComposeVersionText(version, texts);
}
