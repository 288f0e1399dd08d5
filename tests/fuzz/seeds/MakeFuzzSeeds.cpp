// Writes the seed corpora of the fuzz targets with the project's own writers:
// make_fuzz_seeds FOLDER makes FOLDER/<target>/<seed> for every target whose inputs it can write.
// The AIFF and WAVE seeds come from sox (tests/fuzz/make-seeds).
#include "base/Media.h"
#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "content/items/PatchXMLReader.h"
#include "content/package/EntryPath.h"
#include "content/package/VantleIndexRow.h"
#include "content/references/SampleReference.h"
#include "content/references/XMLBuilders.h"
#include "media/IFFFileWriter.h"
#include "media/IFFWriter2.h"
#include "media/MediaCompression.h"
#include "media/StoredStrings.h"
#include "media/TempoMap.h"
#include "media/bigfile/BigFile.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/KORBHeader.h"
#include "media/codec/KORBTrailer.h"
#include "media/codec/OutputBitStream.h"
#include "media/xml/XMLElement.h"
#include "media/xml/XMLWriter.h"
#include "tests/media/bigfile/ContainerImages.h"
#include "tests/media/bigfile/MemoryMedium.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/support/LoopFiles.h"
#include "tests/support/VantlePackageWriter.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace NSFerrant;
using NSTextPackage::UTF8ToUTF16;
using TBytes = std::vector<u8>;

namespace
{
std::filesystem::path gFolder;

void Save(const std::string& target, const std::string& name, const TBytes& bytes)
{
    const std::filesystem::path folder = gFolder / target;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void Save(const std::string& target, const std::string& name, const std::string& text)
{
    Save(target, name, TBytes(text.begin(), text.end()));
}

// A seed of a target whose first byte chooses the reader: that byte, then what write writes.
template <class TWrite>
void SaveChosen(const std::string& target, u8 choice, const std::string& name, TWrite&& write)
{
    COwnedMemoryMedia media(0);
    media.Write(0, 1, &choice);
    media.fPosition = 1;
    write(media);
    Save(target, name, media.GetBytes());
}

// A stream of a short tone, with a tempo map block behind the code words.
TBytes KORBStream(u8 channels, u8 bits, bool withTempoMap)
{
    const u32 frames = 300;
    std::vector<i32> first(frames);
    std::vector<i32> second(frames);
    for (u32 i = 0; i < frames; ++i)
    {
        const double scale = bits == 16 ? 20000 : 5000000;
        first[i] = i32(scale * std::sin(i * 0.05));
        second[i] = i32(scale * std::sin(i * 0.07));
    }
    TKORBHeader header;
    header.fFrameCount = frames;
    header.fChannelCount = channels;
    header.fRootKey = 60;
    header.fLoopMode = 1;
    header.fLoopStart = 10;
    header.fLoopEnd = 200;
    header.fSampleRate = 44100;
    header.fBitsPerSample = bits;
    COwnedMemoryMedia stream(0);
    WriteKORBHeader(header, stream);
    {
        COutputBitStream words(stream);
        TKORBEncoder encoder(words, channels);
        if (bits == 16)
        {
            const std::vector<i16> first16(first.begin(), first.end());
            const std::vector<i16> second16(second.begin(), second.end());
            EncodeKORBBlock16(encoder, frames, {first16.data(), channels == 2 ? second16.data() : nullptr});
        }
        else
            EncodeKORBBlock24(encoder, frames, {first.data(), channels == 2 ? second.data() : nullptr});
        words.Flush();
    }
    if (withTempoMap)
    {
        const NSTempoMap::CTempoMap map({{0, 120000}, {22050, 90000}, {44100, 140000}}, 44100);
        BuildKORBTempoMapBlock(stream, map, 7);
    }
    return stream.GetBytes();
}

void MakeKORBSeeds()
{
    Save("korb", "mono16", KORBStream(1, 16, false));
    Save("korb", "stereo16-tempomap", KORBStream(2, 16, true));
    Save("korb", "mono24-tempomap", KORBStream(1, 24, true));
    Save("korb", "stereo24", KORBStream(2, 24, false));
}

void MakeXMLSeeds()
{
    auto root = std::make_shared<CXMLElement>(UTF8ToUTF16("patch"), UTF8ToUTF16("text & <more>"));
    root->fAttributes.push_back(std::make_shared<CXMLAttribute>(UTF8ToUTF16("name"), UTF8ToUTF16("K\xC3\xB6rper \"1\"")));
    auto child = std::make_shared<CXMLElement>(UTF8ToUTF16("zone"), UTF8ToUTF16(""));
    child->fAttributes.push_back(std::make_shared<CXMLAttribute>(UTF8ToUTF16("xml::space"), UTF8ToUTF16("preserve")));
    child->fChildren.push_back(std::make_shared<CXMLElement>(UTF8ToUTF16("key"), UTF8ToUTF16("  60  ")));
    root->fChildren.push_back(child);
    Save("xml", "document", WriteXMLDocument({root}));
    Save("xml", "declaration", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- c -->\n<a b='1'>x<![CDATA[y]]>&#65;&amp;</a>\n"));
}

// A FORM with a plain chunk, a nested LIST and a CAT; the same shape with RIFF's byte order.
TBytes ChunkFile(bool riff)
{
    COwnedMemoryMedia media(0);
    {
        CIFFWriter2 root(media, riff ? &NSByteOrder::WriteLE32 : &NSByteOrder::WriteBE32);
        const TIFFChunk form = root.BeginGroup(kChunkKindFORM, MakeFourCC(riff ? "RIFF" : "FORM"), MakeFourCC("TEST"));
        CIFFWriter2 inside(root, form);
        const TIFFChunk plain = inside.BeginChunk(MakeFourCC("NAME"));
        inside.GetMedia().Write(inside.GetMedia().fPosition, 5, "hello");
        inside.EndChunk(plain, 5);
        const TIFFChunk list = inside.BeginGroup(kChunkKindLIST, MakeFourCC("LIST"), MakeFourCC("INFO"));
        {
            CIFFWriter2 listWriter(inside, list);
            const TIFFChunk text = listWriter.BeginChunk(MakeFourCC("INAM"));
            listWriter.GetMedia().Write(listWriter.GetMedia().fPosition, 4, "abc");
            listWriter.EndChunk(text, 4);
        }
        inside.EndChunk(list, inside.GetMedia().fPosition - GetChunkDataOffset(list));
        root.EndChunk(form, root.GetMedia().fPosition - GetChunkDataOffset(form));
    }
    return media.GetBytes();
}

void MakeChunkSeeds()
{
    Save("chunks", "iff", ChunkFile(false));
    Save("chunks", "riff", ChunkFile(true));
    // Hand-made: a format-1 MIDI header of two tracks at 480 ticks per quarter note.
    Save("chunks", "midi-header", TBytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0});
}

void MakeSoundFontSeeds()
{
    Save("soundfont", "bank", NSTestSupport::TSoundFontFixture().Build());
}

void MakeNameSeeds()
{
    // The first byte chooses the reader (see targets/names.cpp).
    const auto seed = [](u8 choice, const std::string& name, auto write) {
        SaveChosen("names", choice, name, write);
    };
    const auto text = UTF8ToUTF16("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9D\x84\x9E");
    seed(0, "name-string", [&](CMedia& media) { WriteNameString(media, text); });
    seed(1, "utf8-string", [&](CMedia& media) { WriteUTF8String(media, text); });
    seed(2, "versioned-name", [&](CMedia& media) { WriteNameString(media, text); });
    seed(3, "versioned-utf8", [&](CMedia& media) { WriteUTF8String(media, text); });
    seed(4, "version-short", [&](CMedia& media) { WriteVersion({1, 2, 3}, media); });
    seed(4, "version-long", [&](CMedia& media) { WriteVersion({300, 2, 3, kVersionStageFinal, 4, 5}, media); });
}

void MakeInflateSeeds()
{
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "sample " + std::to_string(i % 17) + "\n";
    COwnedMemoryMedia source(i64(text.size()), text.data());
    // The first two bytes are the output limit (see targets/inflate.cpp): the text's size, then
    // one byte short of it.
    for (const u16 limit : {u16(text.size()), u16(text.size() - 1)})
    {
        COwnedMemoryMedia deflated(0);
        const u8 limitBytes[2] = {u8(limit >> 8), u8(limit)};
        deflated.Write(0, 2, limitBytes);
        deflated.fPosition = 2;
        CompressMedia(source, deflated, 9);
        Save("inflate", "text-limit-" + std::to_string(limit), deflated.GetBytes());
    }
}

void MakeBlockFileSeeds()
{
    // Blocks of 64 bytes, as the container tests use, keep the seed small: a new container's
    // blocks are a megabyte each.
    CMemoryMedium medium(NSContainerImages::EmptyContainer(64));
    {
        NSBigFilePackage::CBigFile container(medium);
        for (u32 id : {1u, 2u})
        {
            std::unique_ptr<NSBigFilePackage::IStream> stream = container.CreateStream(id);
            const TBytes bytes(id * 700, u8(id));
            container.WriteStreamAt(*stream, u32(bytes.size()), bytes.data());
            stream->Close();
        }
    }
    medium.Open();
    TBytes bytes(medium.GetSize());
    medium.Read(0, i64(bytes.size()), bytes.data());
    Save("blockfile", "two-streams", bytes);
}
// The package target's first byte chooses: 0 a whole package, 1 a compressed entry.
void MakePackageSeeds()
{
    NSTestSupport::TTestPackage package;
    package.fEntries.push_back({MakeText(u"Samples:Kick.aif"), 1, TBytes(40, 7), false});
    package.fEntries.push_back({MakeText(u"Read Me.txt"), 2, TBytes{'h', 'i'}, true});
    TBytes whole{0};
    const TBytes written = NSTestSupport::WriteTestPackage(package).fBytes;
    whole.insert(whole.end(), written.begin(), written.end());
    Save("package", "two-entries", whole);
    TBytes entry{1};
    const TBytes framed = NSTestSupport::FrameCompressedEntry(TBytes(300, 'a'));
    entry.insert(entry.end(), framed.begin(), framed.end());
    Save("package", "compressed-entry", entry);
}

// The entry tree target reads index rows one after another: the trees of the index's rules (a
// folder's rows apart, folders of one name in two cases, a file before its namesake folder, empty
// components, hidden rows) and a path at the depth bound.
void MakePackageTreeSeeds()
{
    const auto save = [](const std::string& name, const std::vector<std::pair<std::u16string, bool>>& rows) {
        COwnedMemoryMedia media(0);
        u32 offset = 0;
        for (const auto& [path, hidden] : rows)
        {
            CVantleIndexRow row;
            row.fName = NSTextPackage::TUTF16String(path.begin(), path.end());
            row.fPackedType = 14;
            row.fOffset = offset++;
            row.fSize = 1;
            row.fHidden = hidden;
            row.Write(media);
        }
        Save("packagetree", name, media.GetBytes());
    };
    save("folders-apart", {{u"A:x", false}, {u"A:y", false}, {u"B:z", false}, {u"A:w", false}});
    save("letter-case", {{u"a:x", false}, {u"A:y", false}, {u"R:a:x", false}, {u"R:A:y", false}});
    save("file-before-folder", {{u"R:x", false}, {u"R:x:a", false}, {u"R:y:a", false}, {u"R:x:b", false}});
    save("empty-components", {{u"::x", false}, {u"x", false}, {u"x:y", false}});
    save("hidden", {{u"SPLASH.JPG", true}, {u"A:b", true}, {u"c", false}});
    std::u16string deepest;
    for (std::size_t level = 0; level < kDeepestEntryPath; ++level)
        deepest += u"A:";
    save("deepest", {{deepest + u"x", false}});
}

// Loops of the test fixtures' known samples: one channel with an empty slice among others, two
// channels, and a loop of no slices.
void MakeLoopFileSeeds()
{
    Save("loopfile", "mono-three-slices", NSTestSupport::MakeLoopFile(1, {5, 0, 3}));
    Save("loopfile", "stereo-two-slices", NSTestSupport::MakeLoopFile(2, {4, 2}));
    Save("loopfile", "no-slices", NSTestSupport::MakeLoopFile(1, {}));
}

THashedString Hashed(const char* text)
{
    return THashedString(UTF8ToUTF16(text));
}

TPathComponents Components(std::initializer_list<const char*> names)
{
    TPathComponents components;
    for (const char* name : names)
        components.push_back(Hashed(name));
    return components;
}

// A reference whose three paths are all valid, read from its XML element as a patch names it and
// then given what only the stored body carries.
CSF10ReferenceChunk SeedReference(bool withDevice)
{
    const auto element = NSXMLBuilders::NewElement("SampleReference");
    NSXMLBuilders::AddAttribute(*element, "trueName", MakeText(u"Kick.aif"));
    NSXMLBuilders::AddAttribute(*element, "userFriendlyName", MakeText(u"Kick"));
    NSXMLBuilders::AddAttribute(*element, "type", MakeText(u"sample"));
    CSF10ReferenceChunk reference(element);
    reference.fRelativePath.fValid = 1;
    reference.fRelativePath.fStepUp = 1234;
    reference.fRelativePath.fComponents = Components({"Drums", "Kick.aif"});
    reference.fDatabasePath.fValid = 1;
    reference.fDatabasePath.fVantleName = Hashed("Pack");
    reference.fDatabasePath.fComponents = Components({"Pack", "Drums", "Kick.aif"});
    reference.fAbsolutePath.fValid = 1;
    reference.fAbsolutePath.fVolumeName = Hashed("Data");
    reference.fAbsolutePath.fComponents = Components({"Samples", "Drums", "Kick.aif"});
    reference.fAbsolutePath.fNativeURLMode = kNativeURLWin32File;
    reference.fAbsolutePath.fNativeURL = "C:\\Samples\\Drums\\Kick.aif";
    reference.fVantleName = Hashed("Pack");
    reference.fVantleURL = Hashed("https://example.com/pack");
    reference.fPackageName = Hashed("Pack");
    if (withDevice)
    {
        reference.fDeviceInternalID = MakeText(u"com.example.sampler");
        reference.fDeviceUIName = MakeText(u"Sampler");
        reference.fDeviceVersion = {1, 2, 0};
    }
    return reference;
}

// The references target's first byte chooses (see targets/references.cpp): 0 a body, 1 the data
// of a reference group, 2 to 4 the relative, database and absolute paths in their newer forms.
void MakeReferenceSeeds()
{
    const auto seed = [](u8 choice, const std::string& name, auto write) {
        SaveChosen("references", choice, name, write);
    };
    const CSF10ReferenceChunk reference = SeedReference(false);
    const CSF10ReferenceChunk withDevice = SeedReference(true);
    seed(0, "body", [&](CMedia& media) { reference.Write(media); });
    seed(0, "body-with-device", [&](CMedia& media) { withDevice.Write(media); });
    seed(1, "group", [&](CMedia& media) {
        CIFFFileWriter writer(media);
        WriteReferenceChunk(writer, reference);
        writer.BeginFORM(MakeFourCC("EMBF"));
        writer.EndLevel();
        WriteReferenceChunk(writer, withDevice);
    });
    seed(2, "relative", [&](CMedia& media) { reference.fRelativePath.Write(media, CRelativePath::kNewerForm); });
    seed(3, "database", [&](CMedia& media) { reference.fDatabasePath.Write(media, CDatabasePath::kNewerForm); });
    seed(4, "absolute", [&](CMedia& media) { reference.fAbsolutePath.Write(media, CAbsolutePath::kNewerForm); });
}

// A device patch of the newest version naming two samples.
std::string PatchXML()
{
    const auto root = NSXMLBuilders::NewElement("GramolaPatch");
    NSXMLBuilders::AddAttribute(*root, "version", MakeText(u"2.0.0"));
    NSXMLBuilders::AddChild(*root, "Name", MakeText(u"Kit"));
    CXMLElement& samples = NSXMLBuilders::AddChild(*root, "Samples");
    samples.fChildren.push_back(SeedReference(false).WriteXML());
    samples.fChildren.push_back(SeedReference(true).WriteXML());
    return WriteXMLDocument({root});
}

void MakePatchXMLSeeds()
{
    Save("patchxml", "two-samples", PatchXML());
}

// A reference group of two references and an embedded file at the writer's level.
void WriteReferenceGroup(CIFFFileWriter& writer)
{
    writer.BeginCAT(MakeFourCC("REFS"));
    WriteReferenceChunk(writer, SeedReference(false));
    writer.BeginFORM(MakeFourCC("EMBF"));
    writer.BeginChunk(MakeFourCC("NAME"));
    WriteBytes(writer.GetCurrentWriter().GetMedia(), 3, "pad");
    writer.EndLevel();
    writer.EndLevel();
    WriteReferenceChunk(writer, SeedReference(true));
    writer.EndLevel();
}

// The host documents target's first byte chooses (see targets/hostdocuments.cpp): 0 a binary
// patch, 1 a song, 2 the song of a K42 document, 3 a device patch in XML.
void MakeHostDocumentSeeds()
{
    const auto document = [](u8 choice, const std::string& name, bool songCAT, TFourCC type, bool inREMB) {
        SaveChosen("hostdocuments", choice, name, [&](CMedia& media) {
            CIFFFileWriter writer(media);
            if (songCAT)
                writer.BeginCAT(type);
            else
                writer.BeginFORM(type);
            writer.BeginChunk(MakeFourCC("HEAD"));
            writer.EndLevel();
            if (inREMB)
                writer.BeginFORM(MakeFourCC("REMB"));
            WriteReferenceGroup(writer);
            if (inREMB)
                writer.EndLevel();
            writer.EndLevel();
        });
    };
    document(0, "patch", false, MakeFourCC("PTCH"), false);
    document(1, "song", true, MakeFourCC("TS10"), false);
    document(2, "k42-song", false, MakeFourCC("K42S"), true);
    SaveChosen("hostdocuments", 3, "xml-patch", [](CMedia& media) {
        const std::string text = PatchXML();
        WriteBytes(media, i64(text.size()), text.data());
    });
}

// INFO.TXT in each encoding it may declare (the target's first byte 0) and a text file (1).
void MakeInformationFileSeeds()
{
    const std::string keys = "NAME=\"Kit\"\r\nURL=\"http://example.com\"\r\nCOMMENTS=\"Caf\xC3\xA9\"\r\n"
                             "VERSION=\"1.2.3\"\r\nPROHIBITED_DEVICES=\"A,B\"\r\nSKIP_UNUSED_SAMPLES=\"YES\"\r\n"
                             "SKIP_ITEM=\"Samples/Old\"\r\nSKIP_ITEM=\"x.aif\"\r\n";
    const auto utf16 = [](const std::string& utf8, bool bigEndian) {
        std::string bytes;
        for (const u16 unit : UTF8ToUTF16(utf8))
            bytes += bigEndian ? std::string{char(unit >> 8), char(unit)} : std::string{char(unit), char(unit >> 8)};
        return bytes;
    };
    const auto seed = [](u8 choice, const std::string& name, const std::string& text) {
        Save("infotext", name, std::string(1, char(choice)) + text);
    };
    seed(0, "info-1252", keys);
    seed(0, "info-utf8-mark", "\xEF\xBB\xBF" + keys);
    seed(0, "info-utf8-declared", "CHARACTER_ENCODING=\"UTF-8\"\r\n" + keys);
    seed(0, "info-utf16le-mark", utf16("\xEF\xBB\xBF" + keys, false));
    seed(0, "info-utf16be-declared", utf16("CHARACTER_ENCODING=\"UTF-16\"\r\n" + keys, true));
    seed(1, "name", "Kit\r\n");
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 2;
    }
    gFolder = argv[1];
    MakeKORBSeeds();
    MakeXMLSeeds();
    MakeChunkSeeds();
    MakeSoundFontSeeds();
    MakeNameSeeds();
    MakeInflateSeeds();
    MakeBlockFileSeeds();
    MakePackageSeeds();
    MakePackageTreeSeeds();
    MakeLoopFileSeeds();
    MakeReferenceSeeds();
    MakePatchXMLSeeds();
    MakeHostDocumentSeeds();
    MakeInformationFileSeeds();
    return 0;
}
