#pragma once
// The header of a Standard MIDI File: format, track count and time division.
#include "base/Media.h"

namespace NSFerrant
{
enum EMIDIDivisionKind : u32
{
    kMIDIDivisionSMPTE = 10,
    kMIDIDivisionTicksPerQuarterNote = 11,
};

struct TMIDIFileHeader
{
    u32 fFormat = 1;
    u16 fTrackCount = 0;
    u32 fDivisionKind = kMIDIDivisionTicksPerQuarterNote;
    u16 fTicksPerQuarterNote = 0;
    u8 fSMPTEFramesPerSecond = 0;
    u8 fTicksPerFrame = 0;
};

// The older chunk-reader base: a reader over a media it does not own.
class CIFFReader
{
public:
    explicit CIFFReader(CMedia& media) : fMedia(media) {}
    virtual ~CIFFReader() = default;

protected:
    CMedia& fMedia;
};

class CMIDIFileReader : public CIFFReader
{
public:
    using CIFFReader::CIFFReader;

    // Reads format, track count and division from offset 8; the "MThd" id and the header length
    // before it are the caller's to test. The position ends at 14.
    void ReadHeader(TMIDIFileHeader& header);
};
} // namespace NSFerrant
