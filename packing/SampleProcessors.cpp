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

void CSampleFileVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                 TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    VerifyOpened(media);
}

void CSampleFileVerifier::VerifyOpened(NSFerrant::CMedia& media) const
{
    NSFerrant::CBufferedMedia source(media);
    NSFerrant::TSampleInfo info;
    fReadInfo(source, info);
    if (info.fFormat.fChannelCount != 1 && info.fFormat.fChannelCount != 2)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

CAIFFFileVerifier::CAIFFFileVerifier() : CSampleFileVerifier(NSCorlissUtils::ReadAIFFInfo)
{
}

CWAVEFileVerifier::CWAVEFileVerifier() : CSampleFileVerifier(NSUndineUtils::ReadWAVEInfo)
{
}

u32 CSampleFileTypePacker::GetPackedType() const
{
    return kPackedTypeKORB;
}

void CSampleFileTypePacker::Pack(const CItemPtr& source, IReferenceRelocator&, NSFerrant::CMedia& destination)
{
    const std::shared_ptr<NSFerrant::CMedia> media = NSVantlePacking::OpenSourceMedia(source);
    PackOpened(*media, destination);
}

void CSampleFileTypePacker::PackOpened(NSFerrant::CMedia& source, NSFerrant::CMedia& destination) const
{
    NSFerrant::CBufferedMedia bufferedSource(source);
    NSFerrant::CBufferedMedia buffered(destination);
    fEncode(bufferedSource, buffered);
    buffered.Flush();
    destination.fPosition = buffered.fPosition;
}

CAIFFFileTypePacker::CAIFFFileTypePacker() : CSampleFileTypePacker(EncodeAIFFToKORB)
{
}

CWAVEFileTypePacker::CWAVEFileTypePacker() : CSampleFileTypePacker(EncodeWAVEToKORB)
{
}

void CKORBPackedFileVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList&, IReferenceResolver&,
                                     TReferenceList&, TReferenceList&, TReferenceList&, TDeviceNameList&, bool&)
{
    VerifyPackedSample(media);
}

void VerifyPackedSample(NSFerrant::CMedia& media)
{
    NSFerrant::CBufferedMedia buffered(media);
    NSVantlePacking::DecodeKORBSample(buffered);
}
