#pragma once
// The sample information of an AIFF or WAVE file held in a media, read through its codec library.
// The info is filled over the defaults of TSampleInfo; a bit depth other than 8, 16, 20, 22 and
// 24 is XUnsupportedFormat, a library failure is thrown through its status table.
namespace NSFerrant
{
class CMedia;
struct TSampleInfo;
} // namespace NSFerrant

namespace NSCorlissUtils
{
void ReadAIFFInfo(NSFerrant::CMedia& source, NSFerrant::TSampleInfo& info);
}

namespace NSUndineUtils
{
void ReadWAVEInfo(NSFerrant::CMedia& source, NSFerrant::TSampleInfo& info);
}
