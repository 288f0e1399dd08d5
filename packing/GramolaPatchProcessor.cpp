#include "packing/GramolaPatchProcessor.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/ThrowContext.h"
#include "content/items/PatchXMLReader.h"
#include "content/references/ReferenceChunks.h"
#include "media/BufferedMedia.h"
#include "media/xml/XMLWriter.h"
#include "packing/ProcessorSupport.h"

#include <algorithm>

namespace
{
const std::string kPatchKind = "Patch";

// Calls visit with each "SampleReference" child of the root's first "Samples" element, in order.
template <class TVisit> void ForEachSampleReference(const NSFerrant::CXMLElement& root, TVisit&& visit)
{
    const std::shared_ptr<NSFerrant::CXMLElement> samples =
        NSFerrant::FindXMLElement(root.fChildren.begin(), root.fChildren.end(), NSTextPackage::UTF8ToUTF16("Samples"));
    if (!samples)
        return;
    const NSTextPackage::TUTF16String referenceName = NSTextPackage::UTF8ToUTF16("SampleReference");
    for (const std::shared_ptr<NSFerrant::CXMLElement>& child : samples->fChildren)
        if (child->fName == referenceName)
            visit(child);
}

TPatchXMLDocument ReadWholeDocument(NSFerrant::CMedia& media)
{
    NSFerrant::CBufferedMedia source(media);
    source.fPosition = 0;
    return ReadPatchXMLDocument(source, kPatchKind);
}
} // namespace

namespace NSVantlePacking
{
NSTextPackage::TUTF16String FindGramolaDeviceId(const std::string& bytes)
{
    const size_t word = bytes.find("deviceProductID");
    if (word == std::string::npos)
        return {};
    const size_t opening = bytes.find('"', word);
    if (opening == std::string::npos)
        return {};
    const size_t closing = bytes.find('"', opening + 1);
    if (closing == std::string::npos)
        return {};
    return NSTextPackage::UTF8ToUTF16(bytes.substr(opening + 1, closing - opening - 1));
}

void PackDevicePatchXml(const CItemPtr& source, IReferenceRelocator& relocator, NSFerrant::CMedia& destination)
{
    const std::shared_ptr<NSFerrant::CMedia> media = OpenSourceMedia(source);
    const TPatchXMLDocument document = ReadWholeDocument(*media);
    ForEachSampleReference(*document.fRoot, [&](const std::shared_ptr<NSFerrant::CXMLElement>& element)
                           { element->Swap(*relocator.Relocate(source, CSF10ReferenceChunk(element)).WriteXML()); });
    const std::string text = NSFerrant::WriteXMLDocument({document.fRoot});
    NSFerrant::WriteBytes(destination, i64(text.size()), text.data());
}
} // namespace NSVantlePacking

void CGramolaDevicePatchProcessor::Pack(const CItemPtr& source, IReferenceRelocator& relocator,
                                        NSFerrant::CMedia& destination)
{
    NSVantlePacking::WriteThroughMemory(NSVantlePacking::GetMemoryReserve(source), destination,
                                        [&](NSFerrant::CMedia& memory)
                                        { NSVantlePacking::PackDevicePatchXml(source, relocator, memory); });
}

void CGramolaDevicePatchProcessor::Verify(NSFerrant::CMedia& media, const TDeviceNameList& prohibited,
                                          IReferenceResolver& resolver, TReferenceList& resolved,
                                          TReferenceList& unresolvable, TReferenceList& inOtherPackage,
                                          TDeviceNameList& usedProhibited, bool& skippedTarget)
{
    const i64 searched = std::min(media.GetSize(), NSVantlePacking::kGramolaDeviceIdSearchSize);
    if (searched < 1)
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XFormatViolation("missing device identifier in Gramola patch"));
    std::string head(size_t(searched), '\0');
    NSFerrant::ReadBytesAt(media, 0, searched, head.data());
    const NSTextPackage::TUTF16String device = NSVantlePacking::FindGramolaDeviceId(head);
    if (!device.empty())
        NSVantlePacking::NoteProhibitedDevice(device, prohibited, usedProhibited);
    // The packer relocates every reference of the document, so each is reported like a binary
    // patch's: the unreferenced-sample rule and the final check then see them.
    const TPatchXMLDocument document = ReadWholeDocument(media);
    ForEachSampleReference(*document.fRoot, [&](const std::shared_ptr<NSFerrant::CXMLElement>& element)
                           { FileReference(CSF10ReferenceChunk(element), resolver, resolved, unresolvable,
                                           inOtherPackage, skippedTarget); });
}
