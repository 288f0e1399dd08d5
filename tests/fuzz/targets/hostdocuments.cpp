// Host documents verified and then rewritten as the packer does. The first byte chooses the
// document: 0 a binary patch ("FORM" "PTCH"), 1 a song ("CAT " "TS10"), 2 the song of a K42
// document ("FORM" "K42S", its references in "REMB" groups), 3 a device patch in XML. A document
// that verifies must also rewrite, with a relocator that refuses what the packer's relocation
// refuses, and the rewritten document must verify again with the same number of references.
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "content/items/PatchXMLReader.h"
#include "content/references/HostDocumentChunks.h"
#include "content/references/ReferenceChunks.h"
#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "media/xml/XMLElement.h"
#include "media/xml/XMLWriter.h"
#include "tests/fuzz/support/ReferenceRoundTrips.h"

#include <cstddef>
#include <optional>

using NSFerrant::CIFFFileReader;
using NSFerrant::CIFFFileWriter;
using NSFerrant::CMedia;
using NSFerrant::COwnedMemoryMedia;
using NSFerrant::CXMLElement;

namespace
{
enum EDocument
{
    kBinaryPatch,
    kSong,
    kK42Song,
    kXMLPatch,
};

// The walks only hand the document on to the relocator, which does not look at it here; the fuzz
// build has no items.
const CItemPtr& NoDocument()
{
    alignas(std::max_align_t) static const unsigned char storage[64] = {};
    return reinterpret_cast<const CItemPtr&>(storage);
}

// Answers each reference in turn with every result.
class CCyclingResolver final : public IReferenceResolver
{
public:
    EReferenceResolveResult Resolve(const CSF10ReferenceChunk&) override
    {
        return EReferenceResolveResult(fCalls++ % 4);
    }

    size_t fCalls = 0;
};

// Refuses what the packer's relocation refuses for the form of a reference, and points the rest
// into a package.
class CPackageRelocator final : public IReferenceRelocator
{
public:
    CSF10ReferenceChunk Relocate(const CItemPtr&, const CSF10ReferenceChunk& reference) override
    {
        RequireRelocatableType(reference);
        CSF10ReferenceChunk relocated = reference;
        relocated.fRelativePath = CRelativePath();
        relocated.fAbsolutePath = CAbsolutePath();
        relocated.fVantleName = THashedString(NSTextPackage::UTF8ToUTF16("Packed"));
        relocated.fDatabasePath.fValid = 1;
        relocated.fDatabasePath.fVantleName = relocated.fVantleName;
        relocated.fDatabasePath.fComponents = {relocated.fVantleName, reference.fTrueName};
        ++fCalls;
        return relocated;
    }

    size_t fCalls = 0;
};

void EnterTopGroup(CIFFFileReader& reader, EDocument document)
{
    if (document == kSong)
        reader.EnterSongCAT();
    else
        reader.RequireFORM(document == kK42Song ? kFourCC_K42S : NSFerrant::MakeFourCC("PTCH"));
}

// The number of references verification files; nothing when it refuses the document.
std::optional<size_t> VerifyBinary(CMedia& media, EDocument document)
{
    CCyclingResolver resolver;
    const bool verified = NSFuzz::ReadsOrRefuses(
        [&]
        {
            media.fPosition = 0;
            CIFFFileReader reader(media);
            EnterTopGroup(reader, document);
            TReferenceList resolved, unresolvable, inOtherPackage;
            bool skippedTarget = false;
            if (document == kK42Song)
            {
                FindEveryReferenceGroup(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
                if (!reader.EnterFORM(kFourCC_REMB))
                    NSQuorral::Throw<NSQuorral::XFormatViolation>();
            }
            else
                FindReferenceChunk(reader, resolver, resolved, unresolvable, inOtherPackage, skippedTarget);
        });
    return verified ? std::optional<size_t>(resolver.fCalls) : std::nullopt;
}

void CheckBinary(CMedia& media, EDocument document)
{
    const std::optional<size_t> verified = VerifyBinary(media, document);
    if (!verified)
        return;
    COwnedMemoryMedia rewritten(0);
    CPackageRelocator relocator;
    NSFuzz::Require(NSFuzz::ReadsOrRefuses(
                        [&]
                        {
                            media.fPosition = 0;
                            CIFFFileReader reader(media);
                            EnterTopGroup(reader, document);
                            CIFFFileWriter writer(rewritten);
                            if (document == kSong)
                                writer.BeginCAT(NSFerrant::kFourCC_SongCAT);
                            else
                                writer.BeginFORM(reader.GetCurrentChunk().fFourCC);
                            RewriteReferences(NoDocument(), relocator, reader, writer);
                            writer.EndLevel();
                        }),
                    "a document that verifies is refused by the rewrite");
    NSFuzz::Require(relocator.fCalls == *verified, "the rewrite relocates other references than verification files");
    NSFuzz::Require(VerifyBinary(rewritten, document) == verified, "the rewritten document verifies otherwise");
}

// Calls visit with each "SampleReference" of the root's first "Samples" element.
template <class TVisit> void ForEachSampleReference(const CXMLElement& root, TVisit&& visit)
{
    const std::shared_ptr<CXMLElement> samples = NSFerrant::FindXMLElement(
        root.fChildren.begin(), root.fChildren.end(), NSTextPackage::UTF8ToUTF16("Samples"));
    if (!samples)
        return;
    for (const std::shared_ptr<CXMLElement>& child : samples->fChildren)
        if (child->fName == NSTextPackage::UTF8ToUTF16("SampleReference"))
            visit(child);
}

std::optional<size_t> VerifyXML(CMedia& media, TPatchXMLDocument& document)
{
    CCyclingResolver resolver;
    const bool verified = NSFuzz::ReadsOrRefuses(
        [&]
        {
            media.fPosition = 0;
            document = ReadPatchXMLDocument(media, "Patch");
            TReferenceList resolved, unresolvable, inOtherPackage;
            bool skippedTarget = false;
            ForEachSampleReference(*document.fRoot, [&](const std::shared_ptr<CXMLElement>& element)
                                   { FileReference(CSF10ReferenceChunk(element), resolver, resolved, unresolvable,
                                                   inOtherPackage, skippedTarget); });
        });
    return verified ? std::optional<size_t>(resolver.fCalls) : std::nullopt;
}

void CheckXML(CMedia& media)
{
    TPatchXMLDocument document;
    const std::optional<size_t> verified = VerifyXML(media, document);
    if (!verified)
        return;
    CPackageRelocator relocator;
    std::string text;
    NSFuzz::Require(NSFuzz::ReadsOrRefuses(
                        [&]
                        {
                            ForEachSampleReference(
                                *document.fRoot, [&](const std::shared_ptr<CXMLElement>& element)
                                { element->Swap(*relocator.Relocate(NoDocument(), CSF10ReferenceChunk(element)).WriteXML()); });
                            text = NSFerrant::WriteXMLDocument({document.fRoot});
                        }),
                    "a patch that verifies is refused by the rewrite");
    COwnedMemoryMedia rewritten(i64(text.size()), text.data());
    TPatchXMLDocument again;
    NSFuzz::Require(VerifyXML(rewritten, again) == verified, "the rewritten patch verifies otherwise");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    if (size < 1)
        return 0;
    NSFuzz::InstallRootNames();
    COwnedMemoryMedia media(i64(size - 1), data + 1);
    const EDocument document = EDocument(data[0] % 4);
    if (document == kXMLPatch)
        CheckXML(media);
    else
        CheckBinary(media, document);
    return 0;
}
