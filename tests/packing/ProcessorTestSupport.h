#pragma once
// The fixture of the processor tests: source files in a scratch folder as items, a resolver that
// answers by a reference's true name, a relocator that points every reference into the package
// "Packed", and the findings of one verification.
#include "base/TextConversions.h"
#include "content/references/ReferenceResolution.h"
#include "packing/FileTypeProcessors.h"
#include "tests/content/vfs/ContentTestSupport.h"
#include "tests/support/HostDocumentBytes.h"

#include <map>
#include <string>
#include <vector>

namespace NSPackingTests
{
using NSTestSupport::TBytes;

inline std::string UTF8Of(const NSTextPackage::TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

inline NSTextPackage::TUTF16String U(const std::string& text)
{
    return NSTextPackage::UTF8ToUTF16(text);
}

// Answers by true name: a0.. resolved, s.. skipped, x.. in another package; any other unresolved.
class CNamedResolver : public IReferenceResolver
{
public:
    EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) override
    {
        switch (UTF8Of(reference.fTrueName.GetText()).front())
        {
        case 'a':
            return kReferenceResolved;
        case 's':
            return kReferenceSkipped;
        case 'x':
            return kReferenceInOtherPackage;
        default:
            return kReferenceUnresolved;
        }
    }
};

class CPackedRelocator : public IReferenceRelocator
{
public:
    CSF10ReferenceChunk Relocate(const CItemPtr&, const CSF10ReferenceChunk& reference) override
    {
        CSF10ReferenceChunk relocated = reference;
        relocated.fVantleName = THashedString(U("Packed"));
        ++fCount;
        return relocated;
    }
    int fCount = 0;
};

// The "REFE" chunk CPackedRelocator makes of the reference with that true name.
TBytes RelocatedREFE(const std::string& trueName);

// A K42 document, made with the program's container code: the song in stream 1 and the other
// streams by id. Answers the file's bytes; the file at the path (a Windows path) stays.
TBytes MakeK42Container(const NSTextPackage::TUTF16String& path, const TBytes& song,
                        const std::map<u32, TBytes>& otherStreams);

// Every stream of a container, by id.
std::map<u32, TBytes> StreamsOf(const TBytes& containerBytes);

struct TFindings
{
    std::vector<std::string> resolved, unresolvable, inOtherPackage, devices;
    bool skipped = false;
};

// Runs the verifier on the bytes held in memory.
TFindings Verify(IFileTypeVerifier& verifier, const TBytes& bytes, const std::vector<std::string>& prohibited = {});

class CProcessorTest : public NSContentTests::CItemTest
{
protected:
    // A file of the scratch folder holding the bytes, as an item.
    CItemPtr SourceFile(const std::string& name, const TBytes& bytes) const;
    // The packer's output for the item, packed at the given position of a memory media.
    TBytes Pack(IFileTypePacker& packer, const CItemPtr& source, i64 at = 0) const;
};
} // namespace NSPackingTests
