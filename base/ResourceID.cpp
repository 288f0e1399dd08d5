#include "base/ResourceID.h"

#include "base/NumberText.h"
#include "base/TextConversions.h"

namespace NSFerrant
{
namespace
{
// Ids of kind 80 carry this filler index; the empty id carries it and the filler number -666.
constexpr u16 kFillerIndex = 666;
constexpr i16 kFillerID = -666;

NSTextPackage::TUTF16String Widen(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

// -1, 0 or 1 comparing 16-bit units as unsigned numbers, a proper prefix first.
int CompareUnits(const NSTextPackage::TUTF16String& a, const NSTextPackage::TUTF16String& b)
{
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

bool IsNumberedKind(u32 kind)
{
    return kind == kResourceIDNumbered || kind == kResourceIDNumberedEntry;
}
} // namespace

TResourceID::TResourceID() : fKind(kResourceIDEmpty), fID(kFillerID), fIndex(kFillerIndex)
{
}

TResourceID::TResourceID(const NSTextPackage::TUTF16String& type, i16 id)
    : fKind(kResourceIDNumbered), fType(type), fID(id), fIndex(kFillerIndex)
{
}

TResourceID::TResourceID(const NSTextPackage::TUTF16String& type, i16 id, u16 index)
    : fKind(kResourceIDNumberedEntry), fType(type), fID(id), fIndex(index)
{
}

bool TResourceID::KindHasIndex(u32 kind)
{
    return kind == kResourceIDNumberedEntry || kind == kResourceIDNamedEntry;
}

bool TResourceID::operator<(const TResourceID& other) const
{
    // Groups: the empty id, the numbered kinds, the named kinds (any other kind sorts with them).
    const auto group = [](u32 kind) { return kind == kResourceIDEmpty ? 0 : (IsNumberedKind(kind) ? 1 : 2); };
    const int myGroup = group(fKind);
    const int otherGroup = group(other.fKind);
    if (myGroup != otherGroup)
        return myGroup < otherGroup;
    if (myGroup == 0)
        return false;

    if (const int types = CompareUnits(fType, other.fType))
        return types < 0;
    if (myGroup == 1)
    {
        if (fID != other.fID)
            return fID < other.fID;
        return KindHasIndex(fKind) && KindHasIndex(other.fKind) && fIndex < other.fIndex;
    }
    if (const int names = CompareUnits(fName, other.fName))
        return names < 0;
    return fKind == kResourceIDNamedQualified && other.fKind == kResourceIDNamedQualified &&
           CompareUnits(fQualifier, other.fQualifier) < 0;
}

std::string TResourceID::Describe() const
{
    if (fKind == kResourceIDEmpty)
        return {};
    std::string text = NSTextPackage::UTF16ToASCII(fType, '?') + "/" +
                       NSTextPackage::UTF16ToASCII(NSTextPackage::FormatInteger(fID), '?');
    if (KindHasIndex(fKind))
        text += "/" + std::to_string(fIndex);
    return text;
}

TResourceID MakeStringID(u16 id, u16 index)
{
    return TResourceID(GetStringResourceType(), i16(id), index);
}

TResourceID MakeAlertID(u16 id, u16 index)
{
    return TResourceID(GetAlertResourceType(), i16(id), index);
}

TResourceID MakeMenuID(u16 menu)
{
    return TResourceID(GetMenuResourceType(), 128, menu);
}

// Ids are made by static initializers, so these texts are built on first use, not as globals
// whose construction order against those initializers is unknown.
const NSTextPackage::TUTF16String& GetStringResourceType()
{
    static const NSTextPackage::TUTF16String type = Widen("SSTR");
    return type;
}

const NSTextPackage::TUTF16String& GetAlertResourceType()
{
    static const NSTextPackage::TUTF16String type = Widen("SALR");
    return type;
}

const NSTextPackage::TUTF16String& GetMenuResourceType()
{
    static const NSTextPackage::TUTF16String type = Widen("SMNU");
    return type;
}

const wchar_t* ToWin32ResourceType(const NSTextPackage::TUTF16String& type)
{
    static const NSTextPackage::TUTF16String dialog = Widen("DLOG");
    static const NSTextPackage::TUTF16String bitmap = Widen("BMP ");
    if (type == dialog)
        return RT_DIALOG;
    if (type == bitmap)
        return RT_BITMAP;
    return NSTextPackage::AsWide(type);
}
} // namespace NSFerrant
