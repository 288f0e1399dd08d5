#include "tests/packing/ProcessorTestSupport.h"

#include "base/Media.h"

namespace NSPackingTests
{
TBytes RelocatedREFE(const std::string& trueName)
{
    NSFerrant::COwnedMemoryMedia source = NSTestSupport::MediaOf(NSHostDocumentBytes::ReferenceBody(trueName));
    CPackedRelocator relocator;
    NSFerrant::COwnedMemoryMedia body(0);
    relocator.Relocate(CItemPtr(), CSF10ReferenceChunk(source)).Write(body);
    return NSHostDocumentBytes::Chunk("REFE", NSTestSupport::BytesOf(body));
}

TFindings Verify(IFileTypeVerifier& verifier, const TBytes& bytes, const std::vector<std::string>& prohibited)
{
    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(bytes);
    TDeviceNameList prohibitedNames, used;
    for (const std::string& name : prohibited)
        prohibitedNames.push_back(U(name));
    CNamedResolver resolver;
    TReferenceList resolved, unresolvable, inOtherPackage;
    TFindings findings;
    verifier.Verify(media, prohibitedNames, resolver, resolved, unresolvable, inOtherPackage, used, findings.skipped);
    const auto names = [](const TReferenceList& list)
    {
        std::vector<std::string> texts;
        for (const CSF10ReferenceChunk& reference : list)
            texts.push_back(UTF8Of(reference.fTrueName.GetText()));
        return texts;
    };
    findings.resolved = names(resolved);
    findings.unresolvable = names(unresolvable);
    findings.inOtherPackage = names(inOtherPackage);
    for (const auto& device : used)
        findings.devices.push_back(UTF8Of(device));
    return findings;
}

CItemPtr CProcessorTest::SourceFile(const std::string& name, const TBytes& bytes) const
{
    MakeFile(name, std::string(bytes.begin(), bytes.end()));
    return FileItem(name);
}

TBytes CProcessorTest::Pack(IFileTypePacker& packer, const CItemPtr& source, i64 at) const
{
    NSFerrant::COwnedMemoryMedia destination(0);
    const TBytes lead(size_t(at), 0xEE);
    NSFerrant::WriteBytes(destination, at, lead.data());
    CPackedRelocator relocator;
    packer.Pack(source, relocator, destination);
    EXPECT_EQ(destination.fPosition, destination.GetSize()) << "the position ends after what was written";
    const TBytes all = NSTestSupport::BytesOf(destination);
    return TBytes(all.begin() + at, all.end());
}
} // namespace NSPackingTests
