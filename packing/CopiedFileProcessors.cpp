#include "packing/CopiedFileProcessors.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "content/package/PackedFileTypes.h"
#include "media/BufferedMedia.h"
#include "media/MIDIFileReader.h"
#include "media/codec/CheckingScanLineWriter.h"
#include "media/codec/ImageCodecLibraries.h"
#include "media/codec/KIVLibrary.h"
#include "media/soundfont/SoundFontBank.h"
#include "media/xml/XMLParser.h"
#include "packing/ProcessorSupport.h"

#include <vector>

namespace
{
constexpr i64 kMIDIHeaderSize = 14;

[[noreturn]] void ThrowFormatViolation()
{
    NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

bool IsValidMIDIDivision(u16 division)
{
    if ((division & 0x8000) == 0)
        return (division & 0x7FFF) != 0;
    const i32 framesPerSecond = -i32(i8(division >> 8));
    const bool knownRate = framesPerSecond == 24 || framesPerSecond == 25 || framesPerSecond == 29 ||
                           framesPerSecond == 30;
    return knownRate && (division & 0xFF) != 0;
}
} // namespace

namespace NSVantlePacking
{
const NSTextPackage::TUTF16String kSamplerDeviceName = NSTextPackage::UTF8ToUTF16("Ostrel Digital Sampler");

void VerifyMidiFile(NSFerrant::CMedia& media)
{
    if (media.GetSize() < kMIDIHeaderSize)
        ThrowFormatViolation();
    u8 header[kMIDIHeaderSize];
    NSFerrant::ReadBytesAt(media, 0, kMIDIHeaderSize, header);
    const bool valid = NSByteOrder::ReadBE32(header) == NSByteOrder::ReadBE32(reinterpret_cast<const u8*>("MThd")) &&
                       NSByteOrder::ReadBE16(header + 8) <= 2 && NSByteOrder::ReadBE16(header + 10) >= 1 &&
                       IsValidMIDIDivision(NSByteOrder::ReadBE16(header + 12));
    if (!valid)
        ThrowFormatViolation();
    media.fPosition = 0;
    NSFerrant::TMIDIFileHeader read;
    NSFerrant::CMIDIFileReader(media).ReadHeader(read);
}
} // namespace NSVantlePacking

void CABCCopiedFileProcessor::Pack(const CItemPtr& source, IReferenceRelocator&, NSFerrant::CMedia& destination)
{
    NSVantlePacking::CopyFileToMedia(source, destination);
}

void CRawFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                   TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    NSVantlePacking::ReadProbe(media);
}

void CKIVFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                   TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    const CKIVLibraryUse library;
    media.fPosition = 0;
    TKIVInfo info;
    if (GetKIVSliceInfos(media, info).empty())
        ThrowFormatViolation();
}

CJPEGFileTypeProcessor::CJPEGFileTypeProcessor() : CABCCopiedFileProcessor(kPackedTypeJPEG)
{
}

void CJPEGFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                    TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    // The image is decoded to be checked, not kept.
    NSFerrant::CCheckingScanLineWriter writer;
    NSFerrant::GetGlisk().Decode(media, writer);
}

CMIDIFileTypeProcessor::CMIDIFileTypeProcessor() : CABCCopiedFileProcessor(kPackedTypeMIDI)
{
}

void CMIDIFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                    TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    NSVantlePacking::VerifyMidiFile(media);
}

CSoundFontFileTypeProcessor::CSoundFontFileTypeProcessor() : CABCCopiedFileProcessor(kPackedTypeSoundFont)
{
}

void CSoundFontFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited,
                                         IReferenceResolver&, TReferenceList&, TReferenceList&, TReferenceList&,
                                         TDeviceNameList& usedProhibited, bool&)
{
    {
        NSFerrant::CBufferedMedia source(media);
        const NSFerrant::CSoundFontBank bank(source);
    }
    NSVantlePacking::NoteProhibitedDevice(NSVantlePacking::kSamplerDeviceName, prohibited, usedProhibited);
}

CGroovePatchFileTypeProcessor::CGroovePatchFileTypeProcessor() : CABCCopiedFileProcessor(kPackedTypeShuffloPatch)
{
}

void CGroovePatchFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                           TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&,
                                           bool&)
{
    const i64 size = media.GetSize();
    if (size < 1)
        ThrowFormatViolation();
    std::vector<char> text(static_cast<size_t>(size));
    NSFerrant::ReadBytesAt(media, 0, size, text.data());
    if (NSFerrant::ParseXMLDocument(text.data(), text.data() + text.size()).size() != 1)
        ThrowFormatViolation();
}
