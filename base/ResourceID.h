#pragma once
// Names of the program's resources: a kind, a resource type name ("SSTR", "DLOG" ...) and a number
// or a name, optionally with the index of one entry inside a resource that holds many (a string
// table, an alert table, a menu script).
#include "base/UTF16String.h"

#include <string>

#include <windows.h>

namespace NSFerrant
{
enum EResourceIDKind : u32
{
    kResourceIDEmpty = 79,           // names no resource
    kResourceIDNumbered = 80,        // fType, fID
    kResourceIDNumberedEntry = 81,   // fType, fID, fIndex
    kResourceIDNamed = 82,           // fType, fName
    kResourceIDNamedEntry = 83,      // fType, fName, fIndex
    kResourceIDNamedQualified = 84,  // fType, fName, fQualifier
};

class TResourceID
{
public:
    // The empty id.
    TResourceID();
    TResourceID(const NSTextPackage::TUTF16String& type, i16 id);
    TResourceID(const NSTextPackage::TUTF16String& type, i16 id, u16 index);

    static bool KindHasIndex(u32 kind);

    // A strict weak order: the empty id first, then kinds 80 and 81 together (by type, signed id,
    // then index when both have one), then kinds 82 to 84 (by type, name, then qualifier when
    // both are of kind 84). Maps keyed by ids rely on it.
    bool operator<(const TResourceID& other) const;

    // The text form handed to the GUI library: "TYPE/id" or "TYPE/id/index", non-ASCII as "?";
    // empty for the empty id. The named kinds print their number too.
    std::string Describe() const;

    u32 fKind;
    NSTextPackage::TUTF16String fType;
    i16 fID;
    NSTextPackage::TUTF16String fName;
    NSTextPackage::TUTF16String fAuxText; // copied with the id, read by no operation
    u16 fIndex;
    NSTextPackage::TUTF16String fQualifier;
};

// Entry ids of kind 81: a string of table id, an alert of table id, menu `menu` of script 128.
TResourceID MakeStringID(u16 id, u16 index);
TResourceID MakeAlertID(u16 id, u16 index);
TResourceID MakeMenuID(u16 menu);

const NSTextPackage::TUTF16String& GetStringResourceType();
const NSTextPackage::TUTF16String& GetAlertResourceType();
const NSTextPackage::TUTF16String& GetMenuResourceType();

// The type as Windows takes it: "DLOG" is RT_DIALOG, "BMP " (with its blank) RT_BITMAP; every
// other name is passed as its text, which must then outlive the returned pointer.
const wchar_t* ToWin32ResourceType(const NSTextPackage::TUTF16String& type);
} // namespace NSFerrant
