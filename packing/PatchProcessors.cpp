#include "packing/PatchProcessors.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "content/references/DeviceDescription.h"
#include "content/references/HostDocumentChunks.h"
#include "content/references/PatchDescription.h"
#include "content/references/ReferenceChunks.h"
#include "media/BufferedMedia.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "packing/ProcessorSupport.h"

using NSFerrant::CIFFFileReader;
using NSFerrant::TIFFChunk;

namespace
{
constexpr NSFerrant::TFourCC kFourCC_LMNP = NSFerrant::MakeFourCC("LMNP");

// The data of the plain "DESC" chunk of the reader's current level, positioned at its start;
// null when there is none.
std::unique_ptr<NSFerrant::CPartialMedia> OpenDescription(CIFFFileReader& reader)
{
    TIFFChunk chunk;
    if (!reader.GetCurrentReader().FindChunk(kFourCC_DESC, chunk))
        return nullptr;
    std::unique_ptr<NSFerrant::CPartialMedia> data = reader.GetCurrentReader().OpenChunkData(chunk);
    data->fPosition = 0;
    return data;
}
} // namespace

namespace NSVantlePacking
{
const NSTextPackage::TUTF16String kDrumChannelDeviceName = NSTextPackage::UTF8ToUTF16("Brakka Drum Studio");

void VerifyPatch(NSFerrant::CMedia& media, const TDeviceNameList& prohibited, IReferenceResolver& resolver,
                 TReferenceList& resolved, TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                 TDeviceNameList& usedProhibited, bool& skippedTarget, NSFerrant::TFourCC formType)
{
    NSFerrant::CBufferedMedia source(media);
    source.fPosition = 0;
    CIFFFileReader reader(source);
    reader.RequireFORM(formType);
    FindReferenceChunk(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
    if (const std::unique_ptr<NSFerrant::CPartialMedia> description = OpenDescription(reader))
        NoteProhibitedDevice(CSF10DevicePatchDescriptionChunk(*description).fDeviceTypeName, prohibited,
                             usedProhibited);
    else if (formType == kFourCC_TPDP)
        NoteProhibitedDevice(kDrumChannelDeviceName, prohibited, usedProhibited);
    CollectDevicesFromDEVL(reader, prohibited, usedProhibited);
    reader.LeaveLevel();
}

void PackPatch(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination,
               NSFerrant::TFourCC formType)
{
    const std::shared_ptr<NSFerrant::CMedia> media = OpenSourceMedia(source);
    NSFerrant::CBufferedMedia buffered(*media);
    CIFFFileReader reader(buffered);
    reader.RequireFORM(formType);
    NSFerrant::CIFFFileWriter writer(destination);
    writer.BeginFORM(formType);
    RewriteReferences(source, relocator, reader, writer);
    writer.EndLevel();
    reader.LeaveLevel();
}

void CollectDevicesFromDEVL(CIFFFileReader reader, const TDeviceNameList& prohibited, TDeviceNameList& usedProhibited)
{
    try
    {
        if (!reader.EnterCAT(kFourCC_DEVL))
            return;
        if (reader.EnterFirstChunk())
        {
            do
            {
                // Only a group has members among which a description can stand.
                if (reader.GetCurrentChunk().fKind == NSFerrant::kChunkKindPlain)
                    continue;
                if (const std::unique_ptr<NSFerrant::CPartialMedia> description = OpenDescription(reader))
                    NoteProhibitedDevice(CSF10DeviceDescriptionChunk(*description).fDeviceTypeName, prohibited,
                                         usedProhibited);
            } while (reader.EnterNextChunk());
        }
        reader.LeaveLevel();
    }
    catch (const NSQuorral::XFormatViolation&)
    {
        // A damaged device list only ends the device scan: the patch's references are what packing needs.
    }
}

void RequireLumenPatchChunk(NSFerrant::CMedia& media)
{
    NSFerrant::CBufferedMedia source(media);
    source.fPosition = 0;
    CIFFFileReader reader(source);
    reader.RequireFORM(kFourCC_PTCH);
    TIFFChunk chunk;
    if (!reader.GetCurrentReader().FindChunk(kFourCC_LMNP, chunk))
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}
} // namespace NSVantlePacking

void CPatchFileTypeProcessor::Pack(const CItemPtr& source, IReferenceRelocator& relocator,
                                   NSFerrant::CMedia& destination)
{
    NSVantlePacking::WriteThroughMemory(NSVantlePacking::GetMemoryReserve(source), destination, [&](NSFerrant::CMedia& memory)
                                        { NSVantlePacking::PackPatch(source, relocator, memory, fFormType); });
}

void CPatchFileTypeProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited,
                                     IReferenceResolver& resolver, TReferenceList& resolved,
                                     TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                                     TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSVantlePacking::VerifyPatch(media, prohibited, resolver, resolved, unresolvable, inOtherPackage, usedProhibited,
                                 skippedTarget, fFormType);
}

void CLMNPatchFileTypeVerifier::Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited,
                                       IReferenceResolver& resolver, TReferenceList& resolved,
                                       TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                                       TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    NSVantlePacking::RequireLumenPatchChunk(media);
    NSVantlePacking::VerifyPatch(media, prohibited, resolver, resolved, unresolvable, inOtherPackage, usedProhibited,
                                 skippedTarget, kFourCC_PTCH);
}
