#include "content/references/ReferenceChunks.h"

#include "media/IFFFileReader.h"
#include "media/IFFFileWriter.h"
#include "content/vfs/VirtualFileItem.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/HostDocumentBytes.h"

#include <map>

namespace
{
using namespace NSHostDocumentBytes;

const TBytes kEmbedded = FORM("EMBF", {Chunk("NAME", Text("pad.wav")), Chunk("DATA", Text("xyz"))});
const TBytes kDescription =
    Chunk("DESC", Concat({Version(1, 3, 0), U8(0), Name("Init"), Name("Carvel Analog Synth")}));
const TBytes kDevices = CAT("DEVL", {FORM("DEVC", {Chunk("DESC", Concat({Version(1, 2, 5)}))})});

// Answers by true name; 4 for a name it does not know.
class CScriptedResolver : public IReferenceResolver
{
public:
    explicit CScriptedResolver(std::map<std::string, u32> answers) : fAnswers(std::move(answers)) {}

    EReferenceResolveResult Resolve(const CSF10ReferenceChunk& reference) override
    {
        const std::string name = UTF8Of(reference.fTrueName);
        if (name == "boom")
            throw std::runtime_error("resolver failed");
        const auto found = fAnswers.find(name);
        return EReferenceResolveResult(found == fAnswers.end() ? 4 : found->second);
    }

private:
    std::map<std::string, u32> fAnswers;
};

// Points every reference into the package "Packed", refusing what the packer's relocation
// refuses; remembers the document it was handed.
class CScriptedRelocator : public IReferenceRelocator
{
public:
    CSF10ReferenceChunk Relocate(const CItemPtr& document, const CSF10ReferenceChunk& reference) override
    {
        fDocument = &document;
        RequireRelocatableType(reference);
        if (UTF8Of(reference.fTrueName) == "boom")
            throw std::runtime_error("relocator failed");
        CSF10ReferenceChunk relocated = reference;
        relocated.fVantleName = THashedString(U("Packed"));
        relocated.fDatabasePath.fValid = 1;
        relocated.fDatabasePath.fComponents = ComponentsOf({"Packed", UTF8Of(reference.fTrueName)});
        return relocated;
    }

    const CItemPtr* fDocument = nullptr;
};

// The "REFE" chunk the relocator's reference for that true name becomes.
TBytes RelocatedREFE(const std::string& trueName)
{
    NSFerrant::COwnedMemoryMedia source = MediaOf(ReferenceBody(trueName));
    CScriptedRelocator relocator;
    NSFerrant::COwnedMemoryMedia body(0);
    relocator.Relocate(CItemPtr(), CSF10ReferenceChunk(source)).Write(body);
    return Chunk("REFE", NSTestSupport::BytesOf(body));
}

struct TFound
{
    std::vector<std::string> resolved, unresolvable, inOtherPackage;
    bool skipped = false;
};

std::vector<std::string> NamesOf(const TReferenceList& list)
{
    std::vector<std::string> names;
    for (const CSF10ReferenceChunk& reference : list)
        names.push_back(UTF8Of(reference.fTrueName));
    return names;
}

// Enters the document's top group (a "FORM" of formType, or the song "CAT ") and walks it.
TFound Find(const TBytes& document, const std::string& formType, IReferenceResolver& resolver,
            bool skipped = false)
{
    NSFerrant::COwnedMemoryMedia media = MediaOf(document);
    NSFerrant::CIFFFileReader reader(media);
    if (formType == "TS10")
        reader.EnterSongCAT();
    else
        reader.RequireFORM(FourCC(formType));
    TReferenceList resolved, unresolvable, inOtherPackage;
    TFound found;
    found.skipped = skipped;
    FindReferenceChunk(reader, resolver, resolved, unresolvable, inOtherPackage, found.skipped);
    found.resolved = NamesOf(resolved);
    found.unresolvable = NamesOf(unresolvable);
    found.inOtherPackage = NamesOf(inOtherPackage);
    return found;
}

CScriptedResolver StandardResolver()
{
    return CScriptedResolver({{"a", 0}, {"b", 1}, {"c", 2}, {"d", 3}, {"f", 1}});
}

TEST(FindReferenceChunk, FilesEveryReferenceByTheResolversAnswerInEveryHostDocument)
{
    const TBytes references =
        CAT("REFS", {REFE("a"), REFE("b"), kEmbedded, REFE("c"), REFE("d"), REFE("e"), REFE("f")});
    const std::pair<TBytes, std::string> kDocuments[] = {
        {FORM("PTCH", {kDescription, references, kDevices}), "PTCH"},
        {FORM("TPDP", {references, kDescription}), "TPDP"},
        {FORM("LMNP", {kDescription, references}), "LMNP"},
        {CAT("TS10", {kDevices, references}), "TS10"},
        {FORM("K42S", {Chunk("HEAD", Text("x")), references}), "K42S"},
    };
    for (const auto& [document, type] : kDocuments)
    {
        CScriptedResolver resolver = StandardResolver();
        const TFound found = Find(document, type, resolver);
        EXPECT_EQ(found.resolved, (std::vector<std::string>{"a"})) << type;
        EXPECT_EQ(found.unresolvable, (std::vector<std::string>{"b", "c", "f"})) << type;
        EXPECT_EQ(found.inOtherPackage, (std::vector<std::string>{"d"})) << type;
        EXPECT_TRUE(found.skipped) << type;
    }
}

TEST(FindReferenceChunk, OnlySkippedTargetsSetTheFlagAndNothingClearsIt)
{
    CScriptedResolver resolver = StandardResolver();
    const TBytes unskipped = FORM("PTCH", {CAT("REFS", {REFE("a"), REFE("c")})});
    EXPECT_FALSE(Find(unskipped, "PTCH", resolver).skipped);
    EXPECT_TRUE(Find(unskipped, "PTCH", resolver, true).skipped);
}

TEST(FindReferenceChunk, AnEmptyReferenceGroupFilesNothing)
{
    CScriptedResolver resolver = StandardResolver();
    const TFound found = Find(FORM("PTCH", {kDescription, CAT("REFS", {})}), "PTCH", resolver);
    EXPECT_TRUE(found.resolved.empty() && found.unresolvable.empty() && found.inOtherPackage.empty());
    EXPECT_FALSE(found.skipped);
}

TEST(FindReferenceChunk, RefusesDocumentsWithoutExactlyOneReferenceGroupOrWithStrayChunksInIt)
{
    const TBytes kDocuments[] = {
        FORM("PTCH", {}),
        FORM("PTCH", {kDescription}),
        FORM("PTCH", {LIST("WRAP", {CAT("REFS", {REFE("a")})})}), // deeper groups are not looked into
        FORM("PTCH", {CAT("REFS", {REFE("a")}), CAT("REFS", {REFE("b")})}),
        FORM("PTCH", {CAT("REFS", {REFE("a"), LIST("EMBF", {})})}),
        FORM("PTCH", {CAT("REFS", {REFE("a"), Chunk("JUNK", {})})}),
        FORM("PTCH", {CAT("REFS", {REFE("a"), CAT("REFS", {})})}),
    };
    for (const TBytes& document : kDocuments)
    {
        CScriptedResolver resolver = StandardResolver();
        EXPECT_THROW(Find(document, "PTCH", resolver), NSQuorral::XFormatViolation);
    }
}

TEST(FindReferenceChunk, KeepsWhatWasFiledBeforeAFailureAndLetsTheResolversExceptionPass)
{
    NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({REFE("a"), REFE("b"), LIST("EMBF", {}), REFE("a")}));
    CScriptedResolver resolver = StandardResolver();
    TReferenceList resolved, unresolvable, inOtherPackage;
    bool skipped = false;
    EXPECT_THROW(ParseReferencesChunk(media, resolver, resolved, unresolvable, inOtherPackage, skipped),
                 NSQuorral::XFormatViolation);
    EXPECT_EQ(NamesOf(resolved), (std::vector<std::string>{"a"}));
    EXPECT_EQ(NamesOf(unresolvable), (std::vector<std::string>{"b"}));
    EXPECT_TRUE(skipped);

    NSFerrant::COwnedMemoryMedia failing = MediaOf(Concat({REFE("a"), REFE("boom")}));
    EXPECT_THROW(ParseReferencesChunk(failing, resolver, resolved, unresolvable, inOtherPackage, skipped),
                 std::runtime_error);
}

// Copies the document's top group through RewriteReferences, as the packing engine does.
TBytes Rewrite(const TBytes& document, const std::string& formType)
{
    NSFerrant::COwnedMemoryMedia source = MediaOf(document);
    NSFerrant::COwnedMemoryMedia destination(0);
    NSFerrant::CIFFFileReader reader(source);
    const NSFerrant::TFourCC type = FourCC(formType);
    reader.RequireFORM(type);
    {
        NSFerrant::CIFFFileWriter writer(destination);
        writer.BeginFORM(type);
        const CItemPtr document;
        CScriptedRelocator relocator;
        RewriteReferences(document, relocator, reader, writer);
        writer.EndLevel();
        // Every reference is relocated for the document being packed.
        EXPECT_TRUE(relocator.fDocument == nullptr || relocator.fDocument == &document);
    }
    reader.LeaveLevel();
    return NSTestSupport::BytesOf(destination);
}

TEST(RewriteReferences, RelocatesEveryReferenceAndCopiesEverythingElseByteForByte)
{
    const TBytes source = FORM("PTCH", {kDescription, CAT("REFS", {REFE("a"), kEmbedded, REFE("b")}),
                                        kDevices, LIST("INFO", {CAT("REFS", {REFE("deep")})})});
    const TBytes expected =
        FORM("PTCH", {kDescription, CAT("REFS", {RelocatedREFE("a"), kEmbedded, RelocatedREFE("b")}),
                      kDevices, LIST("INFO", {CAT("REFS", {REFE("deep")})})});
    EXPECT_EQ(Rewrite(source, "PTCH"), expected);
}

TEST(RewriteReferences, RewritesEveryReferenceGroupAndWritesEmptyOnesAsAHeader)
{
    const TBytes source = FORM("PTCH", {CAT("REFS", {REFE("a")}), CAT("REFS", {}), CAT("REFS", {REFE("b")})});
    const TBytes expected = FORM("PTCH", {CAT("REFS", {RelocatedREFE("a")}), Text("CAT "), U32(4),
                                          Text("REFS"), CAT("REFS", {RelocatedREFE("b")})});
    EXPECT_EQ(Rewrite(source, "PTCH"), expected);
    EXPECT_EQ(Rewrite(FORM("PTCH", {}), "PTCH"), FORM("PTCH", {}));
}

TEST(RewriteReferences, GivesOddChunksAZeroPadByte)
{
    TBytes odd = Chunk("ODD ", Text("abc"));
    odd.back() = 0xEE;
    const TBytes source = FORM("PTCH", {odd, CAT("REFS", {})});
    const TBytes expected = FORM("PTCH", {Chunk("ODD ", Text("abc")), CAT("REFS", {})});
    EXPECT_EQ(Rewrite(source, "PTCH"), expected);
}

TEST(RewriteReferences, ARembGroupKeepsItsOtherChunksInOrder)
{
    const TBytes extra = Chunk("XTRA", Text("odd"));
    const TBytes source =
        FORM("K42S", {Chunk("HEAD", Text("h")),
                      FORM("REMB", {kDevices, CAT("REFS", {REFE("a"), kEmbedded}), extra})});
    const TBytes expected =
        FORM("K42S", {Chunk("HEAD", Text("h")),
                      FORM("REMB", {kDevices, CAT("REFS", {RelocatedREFE("a"), kEmbedded}), extra})});
    EXPECT_EQ(Rewrite(source, "K42S"), expected);

    EXPECT_THROW(Rewrite(FORM("K42S", {FORM("REMB", {kDevices})}), "K42S"), NSQuorral::XFormatViolation);
}

TEST(RewriteReferences, RefusesStrayChunksInAReferenceGroupAndLetsTheRelocatorsExceptionPass)
{
    EXPECT_THROW(Rewrite(FORM("PTCH", {CAT("REFS", {REFE("a"), LIST("EMBF", {})})}), "PTCH"),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(Rewrite(FORM("PTCH", {CAT("REFS", {Chunk("JUNK", Text("x"))})}), "PTCH"),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(Rewrite(FORM("PTCH", {CAT("REFS", {REFE("boom")})}), "PTCH"), std::runtime_error);
}

TEST(FindReferenceChunk, FilesTheReferencesOfEveryRembGroupTheRewriteRelocates)
{
    CScriptedResolver resolver = StandardResolver();
    const TFound found =
        Find(FORM("PTCH", {CAT("REFS", {REFE("a")}), FORM("REMB", {kDevices, CAT("REFS", {REFE("c")})}),
                           LIST("WRAP", {FORM("REMB", {CAT("REFS", {REFE("d")})})})}),
             "PTCH", resolver);
    EXPECT_EQ(found.resolved, (std::vector<std::string>{"a"}));
    EXPECT_EQ(found.unresolvable, (std::vector<std::string>{"c"}));
    EXPECT_TRUE(found.inOtherPackage.empty()); // a "REMB" deeper down is copied, not rewritten

    const TBytes rembWithoutReferences = FORM("PTCH", {CAT("REFS", {REFE("a")}), FORM("REMB", {kDevices})});
    EXPECT_THROW(Find(rembWithoutReferences, "PTCH", resolver), NSQuorral::XFormatViolation);
    EXPECT_THROW(Rewrite(rembWithoutReferences, "PTCH"), NSQuorral::XFormatViolation);
}

TEST(FindReferenceChunk, RefusesAReferenceThatRelocationRefuses)
{
    TReferenceFields untyped;
    untyped.fSampleType = 0;
    untyped.fTrueName = "a";
    const TBytes kDocuments[] = {
        FORM("PTCH", {CAT("REFS", {Chunk("REFE", ReferenceBodyOf(untyped))})}),
        FORM("PTCH", {CAT("REFS", {}), FORM("REMB", {CAT("REFS", {Chunk("REFE", ReferenceBodyOf(untyped))})})}),
    };
    for (const TBytes& document : kDocuments)
    {
        CScriptedResolver resolver = StandardResolver();
        EXPECT_THROW(Find(document, "PTCH", resolver), NSQuorral::XUnsupportedFormat);
    }
}

TEST(FindEveryReferenceGroup, FilesEveryGroupAtTheDocumentLevelAndInItsRembGroups)
{
    const TBytes song = FORM("K42S", {CAT("REFS", {REFE("a")}), FORM("REMB", {CAT("REFS", {REFE("b")}), kDevices}),
                                      FORM("REMB", {CAT("REFS", {REFE("c")}), CAT("REFS", {REFE("d")})})});
    NSFerrant::COwnedMemoryMedia media = MediaOf(song);
    NSFerrant::CIFFFileReader reader(media);
    reader.RequireFORM(FourCC("K42S"));
    CScriptedResolver resolver = StandardResolver();
    TReferenceList resolved, unresolvable, inOtherPackage;
    bool skipped = false;
    FindEveryReferenceGroup(reader, resolver, resolved, unresolvable, inOtherPackage, skipped);
    EXPECT_EQ(NamesOf(resolved), (std::vector<std::string>{"a"}));
    EXPECT_EQ(NamesOf(unresolvable), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(NamesOf(inOtherPackage), (std::vector<std::string>{"d"}));
}

TEST(DamagedHostDocuments, AreWalkedAndRewrittenOrRefusedAndWhatVerifiesAlsoRewrites)
{
    const TBytes valid = FORM("PTCH", {kDescription, CAT("REFS", {REFE("a"), kEmbedded, REFE("b")}), kDevices,
                                       FORM("REMB", {CAT("REFS", {REFE("c")}), Chunk("XTRA", Text("odd"))})});
    const std::vector<size_t> sizeFields =
        NSTestSupport::ChunkSizeFields(valid, NSTestSupport::EFieldOrder::kBigEndian);
    NSTestSupport::CByteMutator mutator(2502, NSTestSupport::EFieldOrder::kBigEndian, sizeFields);
    CScriptedResolver resolver({{"a", 0}, {"b", 1}, {"c", 2}});
    for (int variant = 0; variant < 600; ++variant)
    {
        const TBytes damaged = mutator.Mutate(valid);
        const bool verified =
            NSTestSupport::ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XRead,
                                          NSQuorral::XUnsupportedFormat, NSQuorral::XVersionTooOld,
                                          NSQuorral::XVersionTooNew>([&] { Find(damaged, "PTCH", resolver); });
        const bool rewritten =
            NSTestSupport::ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XRead,
                                          NSQuorral::XUnsupportedFormat, NSQuorral::XVersionTooOld,
                                          NSQuorral::XVersionTooNew>([&] { Rewrite(damaged, "PTCH"); });
        EXPECT_TRUE(!verified || rewritten) << "variant " << variant;
    }
}
} // namespace
