#pragma once
// A database path: where the target lies inside the item database, by the name of the package
// that holds it and the names that lead to it, or inside the device platform's database.
// Stored, XML and display forms.
#include "content/references/PathComponents.h"

#include <memory>

namespace NSFerrant
{
class CMedia;
class CXMLElement;
} // namespace NSFerrant

// The stored kind byte is the kind minus 97 (the letters "a" to "f").
enum EDatabasePathKind : u32
{
    kDatabasePathUnnamed = 97,   // no package name
    kDatabasePathInPackage = 98, // with a package name
    kDatabasePathGramola = 99,   // inside the device platform's database
    kDatabasePathKind100 = 100,  // carried; stored like 97 and 98, so it reads back as one of them
    kDatabasePathKind101 = 101,  // carried with its kind byte
    kDatabasePathKind102 = 102,
};

class CDatabasePath
{
public:
    static constexpr u32 kOlderForm = 42003;
    static constexpr u32 kNewerForm = 42002;

    // Older form: version 1.2.0, and a path of kind 99, 101 or 102 is stored as invalid. Newer
    // form: 1.5.0 for kinds 97, 98 and 100, 2.0.0 for kind 99 and 3.0.0 for 101 and 102, the
    // last two ending with the kind byte.
    void Write(NSFerrant::CMedia& media, u32 formatCode) const;
    // Versions 1.0.0 to 3.x; others are XUnsupportedFormat, a kind byte above 5 XFormatViolation.
    void Read(NSFerrant::CMedia& media);

    std::shared_ptr<NSFerrant::CXMLElement> WriteXML() const;
    void ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element);

    // The database root's name, then ":" and the components joined by "/" when there are any.
    NSTextPackage::TUTF16String GetDisplayText() const;
    // The last component, or the database root's name when there is none; validity not looked at.
    NSTextPackage::TUTF16String GetLastName() const;

    u32 fPathKind = kDatabasePathInPackage;
    THashedString fVantleName;
    u8 fValid = 0;
    TPathComponents fComponents;
    // Carried through the stored forms; no operation consults it.
    u8 fFlag = 0;
};
