#pragma once
// The special files in the root of a source folder that describe the package instead of being
// packed: the texts NAME.TXT, URL.TXT, COMMENTS.TXT, COPYRIGHT.TXT and VERSION.TXT, the key file
// INFO.TXT and the splash image SPLASH.JPG.
#include "base/UTF16String.h"

class CSourceNode;

namespace NSVantlePacking
{
enum EInformationFile
{
    kNotInformationFile,
    kNameFile,
    kURLFile,
    kCommentsFile,
    kCopyrightFile,
    kVersionFile,
    kInfoFile,
    kSplashFile,
};

// Which special file the entry is, by its display name in any letter case.
EInformationFile ClassifyInformationFile(const CSourceNode& node);

// The text of the entry (a shortcut's target; up to kLargestInformationFile bytes), decoded as
// code page 1252 whatever it declares, without the line breaks and NULs at its end. An entry that
// cannot be opened is XOpen.
NSTextPackage::TUTF16String ReadTextFile(const CSourceNode& node);
} // namespace NSVantlePacking
