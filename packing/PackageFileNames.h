#pragma once
// The names of the files a pack writes into the output folder. The package NAME is free text; a
// file name made from it must stay one name inside the output folder.
#include "base/UTF16String.h"

class CVantleInfo;

namespace NSVantlePacking
{
// The text made a valid file name by the file library ("_" when nothing of it is left), so that
// no NAME such as "..\x", "CON" or "a:b" names a file elsewhere or none at all.
NSTextPackage::TUTF16String MakeValidFileNameText(const NSTextPackage::TUTF16String& text);
// The NAME made valid, followed by ".vtl".
NSTextPackage::TUTF16String MakePackageFileName(const CVantleInfo& info);
// The hidden name under which a package is written until it is complete.
NSTextPackage::TUTF16String MakeTemporaryPackageFileName(const NSTextPackage::TUTF16String& packageFileName);
} // namespace NSVantlePacking
