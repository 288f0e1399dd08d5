#include "packing/SampleProcessors.h"

#include "base/ExceptionClasses.h"
#include "base/Throw.h"
#include "content/package/PackedFileTypes.h"
#include "media/BufferedMedia.h"
#include "media/codec/AudioEncoders.h"
#include "media/codec/AudioFileInfo.h"
#include "media/soundfont/SampleFormat.h"
#include "packing/PackedSampleDecoding.h"
#include "packing/ProcessorSupport.h"

namespace
{
using TInfoReader = void (*)(NSFerrant::CMedia&, NSFerrant::TSampleInfo&);
using TEncoder = void (*)(NSFerrant::CMedia&, NSFerrant::CMedia&);

void VerifySampleFormat(NSFerrant::CMedia& media, TInfoReader readInfo)
{
    NSFerrant::CBufferedMedia source(media);
    NSFerrant::TSampleInfo info;
    readInfo(source, info);
    if (info.fFormat.fChannelCount != 1 && info.fFormat.fChannelCount != 2)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void PackSample(const CItemPtr& sourceItem, NSFerrant::CMedia& destination, TEncoder encode)
{
    const std::shared_ptr<NSFerrant::CMedia> media = NSVantlePacking::OpenSourceMedia(sourceItem);
    NSFerrant::CBufferedMedia source(*media);
    NSFerrant::CBufferedMedia buffered(destination);
    encode(source, buffered);
    buffered.Flush();
    destination.fPosition = buffered.fPosition;
}
} // namespace

void CAIFFFileVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                               TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    VerifySampleFormat(media, NSCorlissUtils::ReadAIFFInfo);
}

void CWAVEFileVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                               TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    VerifySampleFormat(media, NSUndineUtils::ReadWAVEInfo);
}

u32 CAIFFFileTypePacker::GetPackedType() const
{
    return kPackedTypeKORB;
}

void CAIFFFileTypePacker::Pack(const CItemPtr& source, IReferenceRelocator&, NSFerrant::CMedia& destination)
{
    PackSample(source, destination, EncodeAIFFToKORB);
}

u32 CWAVEFileTypePacker::GetPackedType() const
{
    return kPackedTypeKORB;
}

void CWAVEFileTypePacker::Pack(const CItemPtr& source, IReferenceRelocator&, NSFerrant::CMedia& destination)
{
    PackSample(source, destination, EncodeWAVEToKORB);
}

void CKORBPackedFileVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                     TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    NSFerrant::CBufferedMedia buffered(media);
    NSVantlePacking::DecodeKORBSample(buffered);
}
