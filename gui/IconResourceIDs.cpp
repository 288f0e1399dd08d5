#include "gui/IconResourceIDs.h"

#include "base/TextConversions.h"

namespace NSFerrant
{
const NSTextPackage::TUTF16String& GetIconResourceType()
{
    static const NSTextPackage::TUTF16String type = NSTextPackage::ASCIIToUTF16("ICON", 0);
    return type;
}

TResourceID MakeIconResourceID(u16 n)
{
    return TResourceID(GetIconResourceType(), i16(n));
}
} // namespace NSFerrant
