#include "media/MIDIFileReader.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "base/Throw.h"

namespace NSFerrant
{
void CMIDIFileReader::ReadHeader(TMIDIFileHeader& header)
{
    if (fMedia.GetSize() < 8)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    fMedia.fPosition = 8;
    header = TMIDIFileHeader();
    if (GetBytesLeft(fMedia) < 6)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();

    u8 bytes[6];
    ReadBytes(fMedia, 6, bytes);
    header.fFormat = NSByteOrder::ReadBE16(bytes);
    header.fTrackCount = NSByteOrder::ReadBE16(bytes + 2);
    const u16 division = NSByteOrder::ReadBE16(bytes + 4);
    if ((division & 0x8000) == 0)
    {
        header.fDivisionKind = kMIDIDivisionTicksPerQuarterNote;
        header.fTicksPerQuarterNote = division & 0x7FFF;
    }
    else
    {
        // The high byte is the negated frame rate as a signed byte (0xE8 is -24).
        header.fDivisionKind = kMIDIDivisionSMPTE;
        header.fSMPTEFramesPerSecond = u8(-i8(division >> 8));
        header.fTicksPerFrame = u8(division);
    }
}
} // namespace NSFerrant
