// Device patch XML as the patch packer reads it: the document's shape and version, then each
// "SampleReference" of its "Samples" element. A document that reads is written and reads back to
// the same version and the same writing; every reference in it that reads goes through the round
// trips of support/ReferenceRoundTrips.h.
#include "base/TextConversions.h"
#include "content/items/PatchXMLReader.h"
#include "tests/fuzz/support/ReferenceRoundTrips.h"

#include <optional>

using NSFerrant::COwnedMemoryMedia;
using NSFerrant::CXMLElement;

namespace
{
TPatchXMLDocument ReadPatch(COwnedMemoryMedia& media)
{
    return ReadPatchXMLDocument(media, "Patch");
}

void CheckSampleReferences(const CXMLElement& root)
{
    const std::shared_ptr<CXMLElement> samples = NSFerrant::FindXMLElement(
        root.fChildren.begin(), root.fChildren.end(), NSTextPackage::UTF8ToUTF16("Samples"));
    if (!samples)
        return;
    for (const std::shared_ptr<CXMLElement>& child : samples->fChildren)
    {
        std::optional<CSF10ReferenceChunk> reference;
        if (child->fName == NSTextPackage::UTF8ToUTF16("SampleReference") &&
            NSFuzz::ReadsOrRefuses([&] { reference.emplace(child); }))
            NSFuzz::CheckReferenceRoundTrips(*reference);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    NSFuzz::InstallRootNames();
    COwnedMemoryMedia media(i64(size), data);
    TPatchXMLDocument document;
    if (!NSFuzz::ReadsOrRefuses([&] { document = ReadPatch(media); }))
        return 0;
    NSFuzz::Require(media.fPosition == i64(size), "document not read to its end");

    // The XML target holds the trees to their round trip; here the document must stay a patch of
    // its version.
    const std::string written = NSFuzz::WrittenXML(document.fRoot);
    COwnedMemoryMedia writtenMedia(i64(written.size()), written.data());
    NSFuzz::Require(ReadPatch(writtenMedia).fVersion == document.fVersion, "patch document round trip");
    CheckSampleReferences(*document.fRoot);
    return 0;
}
