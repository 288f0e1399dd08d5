#include "tests/packing/ProcessorTestSupport.h"

#include "base/Media.h"
#include "media/bigfile/BigFile.h"
#include "media/bigfile/BigFileMediaWrapper.h"
#include "media/bigfile/BigFileStreamMedia.h"
#include "media/bigfile/StdioMedia.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace NSPackingTests
{
TBytes RelocatedREFE(const std::string& trueName)
{
    NSFerrant::COwnedMemoryMedia source =
        NSTestSupport::MediaOf(NSHostDocumentBytes::ReferenceBody(trueName));
    CPackedRelocator relocator;
    NSFerrant::COwnedMemoryMedia body(0);
    relocator.Relocate(CItemPtr(), CSF10ReferenceChunk(source)).Write(body);
    return NSHostDocumentBytes::Chunk("REFE", NSTestSupport::BytesOf(body));
}

TBytes MakeK42Container(const NSTextPackage::TUTF16String& path, const TBytes& song,
                        const std::map<u32, TBytes>& otherStreams)
{
    const std::filesystem::path file(std::u16string(path.begin(), path.end()));
    std::filesystem::remove(file);
    {
        NSBigFilePackage::CStdioMedia medium(path);
        NSBigFilePackage::CreateBigFile(medium);
        NSBigFilePackage::CBigFile container(medium);
        const auto write =
            [&container](std::unique_ptr<NSBigFilePackage::IStream> stream, const TBytes& bytes)
        {
            NSBigFileUtils::CBigFileStreamMedia media(container, *stream);
            NSFerrant::WriteBytes(media, i64(bytes.size()), bytes.data());
            media.Close();
        };
        write(container.OpenStreamForWriting(), song);
        for (const auto& [id, bytes] : otherStreams)
            write(container.CreateStream(id), bytes);
    }
    std::ifstream stored(file, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(stored), std::istreambuf_iterator<char>());
}

std::map<u32, TBytes> StreamsOf(const TBytes& containerBytes)
{
    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(containerBytes);
    NSBigFilePackage::CBigFileMediaWrapper medium(media);
    NSBigFilePackage::CBigFile container(medium);
    std::map<u32, TBytes> streams;
    for (const u32 id : container.GetStreamIDs())
    {
        const std::unique_ptr<NSBigFilePackage::IStream> stream = container.OpenStreamForReading(id);
        NSBigFileUtils::CBigFileStreamMedia streamMedia(container, *stream);
        streams[id] = NSTestSupport::BytesOf(streamMedia);
    }
    return streams;
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
    verifier.Verify(media, prohibitedNames, resolver, resolved, unresolvable, inOtherPackage, used,
                    findings.skipped);
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
