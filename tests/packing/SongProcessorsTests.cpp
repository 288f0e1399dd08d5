#include "packing/K42SongProcessors.h"
#include "packing/SongProcessors.h"

#include "base/ExceptionClasses.h"
#include "content/references/HostDocumentChunks.h"
#include "media/IFFFileReader.h"
#include "media/MediaCompression.h"
#include "tests/packing/ProcessorTestSupport.h"

#include <filesystem>
#include <map>

namespace
{
using namespace NSPackingTests;
using namespace NSHostDocumentBytes;
using Findings = std::vector<std::string>;

TBytes DeviceList(const std::string& device)
{
    return CAT("DEVL", {FORM("DEVC", {Chunk("DESC", Concat({Version(1, 2, 0), Name(device), U8(3), Name("Bass"), U8(1),
                                                          U32(1), U32(2)}))})});
}

// A host song, and the same song as its packer writes it.
const TBytes kSong = CAT("TS10", {Chunk("HEAD", Text("odd")), CAT("REFS", {REFE("a1"), REFE("u1"), REFE("x1")}),
                                  DeviceList("My Device")});

TBytes PackedSong()
{
    return CAT("TS10", {Chunk("HEAD", Text("odd")),
                        CAT("REFS", {RelocatedREFE("a1"), RelocatedREFE("u1"), RelocatedREFE("x1")}),
                        DeviceList("My Device")});
}

TBytes Deflated(const TBytes& bytes)
{
    NSFerrant::COwnedMemoryMedia source = NSTestSupport::MediaOf(bytes);
    NSFerrant::COwnedMemoryMedia compressed(0);
    NSFerrant::CompressMedia(source, compressed, 9);
    return NSTestSupport::BytesOf(compressed);
}

TBytes Inflated(const TBytes& bytes)
{
    NSFerrant::COwnedMemoryMedia source = NSTestSupport::MediaOf(bytes);
    NSFerrant::COwnedMemoryMedia inflated(0);
    NSFerrant::DecompressMedia(source, inflated, 1 << 20);
    return NSTestSupport::BytesOf(inflated);
}

void ExpectSongFindings(const TFindings& found)
{
    EXPECT_EQ(found.resolved, Findings{"a1"});
    EXPECT_EQ(found.unresolvable, Findings{"u1"});
    EXPECT_EQ(found.inOtherPackage, Findings{"x1"});
    EXPECT_EQ(found.devices, Findings{"My Device"});
}

class SongProcessors : public CProcessorTest
{
};

TEST_F(SongProcessors, PlainSongsAreVerifiedAndPackedWithTheirReferencesRelocated)
{
    CTNSFileTypeProcessor tns;
    ExpectSongFindings(Verify(tns, kSong, {"My Device"}));
    EXPECT_EQ(Pack(tns, SourceFile("song.tns", kSong), 3), PackedSong());
    const TBytes notASong = FORM("TS10", {CAT("REFS", {})});
    EXPECT_THROW(Verify(tns, notASong), NSQuorral::XFormatViolation);
    EXPECT_THROW(Pack(tns, SourceFile("other.tns", notASong)), NSQuorral::XFormatViolation);
}

TEST_F(SongProcessors, PublishedSongsKeepTheirOtherChunksAndTheirBodysCompression)
{
    CPublishedSongFileTypeProcessor published;
    const TBytes odd = Chunk("INFO", Text("pad")); // odd size: a pad byte follows
    const TBytes group = FORM("ARTW", {Chunk("DATA", Text("xy"))});
    const TBytes raw = FORM("TNPS", {odd, Chunk("BODY", kSong), group});
    ExpectSongFindings(Verify(published, raw, {"My Device"}));
    EXPECT_EQ(Pack(published, SourceFile("raw.tps", raw), 5), FORM("TNPS", {odd, Chunk("BODY", PackedSong()), group}));

    const TBytes compressed = FORM("TPS2", {odd, Chunk("BODY", Deflated(kSong)), group});
    ExpectSongFindings(Verify(published, compressed, {"My Device"}));
    const TBytes packed = Pack(published, SourceFile("deflated.tps", compressed));
    // The packed body is the rewritten song deflated at level 9: the same bytes as ours.
    EXPECT_EQ(packed, FORM("TPS2", {odd, Chunk("BODY", Deflated(PackedSong())), group}));
    NSFerrant::COwnedMemoryMedia packedMedia = NSTestSupport::MediaOf(packed);
    NSFerrant::CIFFFileReader reader(packedMedia);
    reader.RequireFORM(kFourCC_TPS2);
    reader.EnterBODYChunk();
    EXPECT_EQ(Inflated(NSTestSupport::BytesOf(reader.GetCurrentReader().GetMedia())), PackedSong());
}

TEST_F(SongProcessors, PublishedSongsWithoutBodyOrWithAnEmptyFormAreCopiedButNotVerified)
{
    CPublishedSongFileTypeProcessor published;
    const TBytes noBody = FORM("TNPS", {Chunk("INFO", Text("x"))});
    EXPECT_THROW(Verify(published, noBody), NSQuorral::XFormatViolation);
    EXPECT_EQ(Pack(published, SourceFile("nobody.tps", noBody)), noBody);
    // Fewer than 8 data bytes: an empty form of the same type.
    const TBytes tiny = Concat({Text("FORM"), U32(8), Text("TPS2"), Text("abcd")});
    EXPECT_EQ(Pack(published, SourceFile("tiny.tps", tiny)), FORM("TPS2", {}));
    EXPECT_THROW(Verify(published, FORM("TNPS", {Chunk("BODY", FORM("TS10", {}))})), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(published, FORM("XXXX", {Chunk("BODY", kSong)})), NSQuorral::XFormatViolation);
    EXPECT_ANY_THROW(Verify(published, FORM("TPS2", {Chunk("BODY", kSong)}))); // not a zlib stream
}

// A K42 document: a container with the song in stream 1 and opaque streams 2 and 7.
class K42Songs : public CProcessorTest
{
protected:
    const TBytes fSong = FORM("K42S", {Chunk("HEAD", Text("k42")), FORM("REMB", {CAT("REFS", {REFE("a1"), REFE("u1"),
                                                                                         REFE("x1")}),
                                                                          DeviceList("My Device")})});
    const std::map<u32, TBytes> fOther = {{2, TBytes(300000, 0x5A)}, {7, NSTestSupport::Text("seven")}};

    TBytes MakeContainer(const TBytes& song) const
    {
        return MakeK42Container(Scratch().PathOf(u"container.bin"), song, fOther);
    }
};

// The rewritten containers are built in the temporary folder under ".dicta" names.
size_t CountTemporaryContainers()
{
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path()))
        count += entry.path().extension() == ".dicta" ? 1 : 0;
    return count;
}

TEST_F(K42Songs, AreVerifiedFromStreamOneAndPackedWithTheOtherStreamsCopied)
{
    const size_t containersBefore = CountTemporaryContainers();
    for (const u32 packedType : {34u, 35u}) // a song and a demo song
    {
        CK42SongFileTypeProcessor processor(packedType);
        const TBytes container = MakeContainer(fSong);
        ExpectSongFindings(Verify(processor, container, {"My Device"}));
        const TBytes packed = Pack(processor, SourceFile("song.tessaro", container), 11);
        std::map<u32, TBytes> expected = fOther;
        expected[1] = FORM("K42S", {Chunk("HEAD", Text("k42")),
                                    FORM("REMB", {CAT("REFS", {RelocatedREFE("a1"), RelocatedREFE("u1"),
                                                               RelocatedREFE("x1")}),
                                                  DeviceList("My Device")})});
        EXPECT_EQ(StreamsOf(packed), expected);
    }
    EXPECT_EQ(CountTemporaryContainers(), containersBefore);
}

TEST_F(K42Songs, VerificationFilesTheReferencesOfEveryGroupThePackerRewrites)
{
    CK42SongFileTypeProcessor processor(34);
    const TFindings found = Verify(
        processor, MakeContainer(FORM("K42S", {CAT("REFS", {REFE("u2")}), FORM("REMB", {CAT("REFS", {REFE("a1")})}),
                                               FORM("REMB", {CAT("REFS", {REFE("u3")})})})));
    EXPECT_EQ(found.resolved, (std::vector<std::string>{"a1"}));
    EXPECT_EQ(found.unresolvable, (std::vector<std::string>{"u2", "u3"}));
}

TEST_F(K42Songs, RefuseDocumentsWithoutTheirSongForms)
{
    CK42SongFileTypeProcessor processor(34);
    EXPECT_THROW(Verify(processor, MakeContainer(FORM("K42S", {CAT("REFS", {})}))), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(processor, MakeContainer(FORM("K42S", {FORM("REMB", {CAT("REFS", {})}), FORM("REMB", {})}))),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(processor, MakeContainer(FORM("K42X", {}))), NSQuorral::XFormatViolation);
    EXPECT_ANY_THROW(Verify(processor, NSTestSupport::Text("not a container at all")));
    EXPECT_ANY_THROW(Pack(processor, SourceFile("bad.tsndemo", NSTestSupport::Text("not a container at all"))));
    EXPECT_THROW(Pack(processor, SourceFile("noform.tessaro", MakeContainer(FORM("K42X", {})))),
                 NSQuorral::XFormatViolation);
}
} // namespace
