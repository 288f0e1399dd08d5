#pragma once
// Ids of the program's icon resources, turned into icons by NSTrellisUtils::CreateIconFromResource.
#include "base/ResourceID.h"

namespace NSFerrant
{
// "ICON", built once on first use (static initializers make icon ids).
const NSTextPackage::TUTF16String& GetIconResourceType();
// The id of kind 80 of icon n.
TResourceID MakeIconResourceID(u16 n);
} // namespace NSFerrant
