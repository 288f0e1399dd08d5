#pragma once
// INFO.TXT, the key file of a source folder: its key="value" pairs give the package's texts and
// version and the settings that steer a pack.
#include "base/Types.h"
#include "base/UTF16String.h"
#include "content/package/VantleInfo.h"

#include <vector>

namespace NSFerrant
{
class CMedia;
}

// The settings INFO.TXT can change. Made with the defaults below; ParseInfoText changes only
// what the file sets. The flags are those of the pack job, in the same order.
struct SPackSettings
{
    std::vector<NSTextPackage::TUTF16String> fProhibitedDevices;
    u8 fWarnAboutProhibitedDevices = 1;
    u8 fSkipProhibitedDevices = 0;
    u8 fWarnAboutUnusedSamples = 0;
    u8 fSkipUnusedSamples = 0;
    u8 fPropagateSampleSkipping = 0;
    // Paths relative to the source folder, "/" between names.
    std::vector<NSTextPackage::TUTF16String> fSkipItems;
};

namespace NSVantlePacking
{
// The text without the NUL, LF and CR characters at its end; everything else is kept.
NSTextPackage::TUTF16String TrimText(const NSTextPackage::TUTF16String& text);

// Reads the media (up to kLargestInformationFile bytes) in the encoding it declares and applies
// its keys to the settings. The answer carries NAME, COMMENTS, URL, COPYRIGHT and VERSION (1.0.0
// when absent) with creator version 1.2.0. The media's position is left at its end. The content
// never fails the parse: what is no character in the encoding reads as U+FFFD, unknown keys and
// an unfinished last entry are passed over, and VERSION is read as leniently as every version
// text. Read failures pass on.
CVantleInfo ParseInfoText(NSFerrant::CMedia& media, SPackSettings& settings);
} // namespace NSVantlePacking
