#include "packing/GramolaPatchProcessor.h"
#include "packing/PatchProcessors.h"

#include "base/ExceptionClasses.h"
#include "content/references/SampleReference.h"
#include "media/xml/XMLParser.h"
#include "media/xml/XMLWriter.h"
#include "tests/packing/ProcessorTestSupport.h"

namespace
{
using namespace NSPackingTests;
using namespace NSHostDocumentBytes;

const TBytes kReferences = CAT("REFS", {REFE("a1"), REFE("s1"), REFE("u1"), REFE("x1")});
const TBytes kEmbedded = FORM("EMBF", {Chunk("NAME", Text("pad.wav")), Chunk("DATA", Text("xyz"))});

using Findings = std::vector<std::string>;

class PatchProcessors : public CProcessorTest
{
};

TEST(PatchVerification, FilesTheReferencesAndNotesTheProhibitedDevicesOfDescriptionAndDeviceList)
{
    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    const TBytes patch =
        FORM("PTCH", {PatchDescription("Carvel Analog Synth"), kReferences,
                      CAT("DEVL", {FORM("DEVC", {DeviceDescription("My Device")}), Chunk("NOTE", Text("x")),
                                   FORM("DEVC", {DeviceDescription("Carvel Analog Synth")})})});
    const TFindings found = Verify(carvel, patch, {"Carvel Analog Synth", "My Device", "Unused"});
    EXPECT_EQ(found.resolved, Findings{"a1"});
    EXPECT_EQ(found.unresolvable, (Findings{"s1", "u1"}));
    EXPECT_EQ(found.inOtherPackage, Findings{"x1"});
    EXPECT_TRUE(found.skipped);
    // A device used twice is noted twice.
    EXPECT_EQ(found.devices, (Findings{"Carvel Analog Synth", "My Device", "Carvel Analog Synth"}));
    EXPECT_TRUE(Verify(carvel, patch).devices.empty());
}

TEST(PatchVerification, RefusesPatchesWithoutTheirFormOrWithoutExactlyOneReferenceGroup)
{
    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    const TBytes kPatches[] = {
        FORM("PTCH", {PatchDescription("Carvel Analog Synth")}),
        FORM("PTCH", {kReferences, CAT("REFS", {})}),
        FORM("TPDP", {kReferences}),
        CAT("PTCH", {kReferences}),
        {},
    };
    for (const TBytes& patch : kPatches)
        EXPECT_THROW(Verify(carvel, patch), NSQuorral::XFormatViolation);
}

TEST(PatchVerification, LooksAtEveryReferenceGroupThePackerRewritesAndRefusesWhatItWouldRefuse)
{
    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    const TFindings found = Verify(carvel, FORM("PTCH", {kReferences, FORM("REMB", {CAT("REFS", {REFE("u2")})})}));
    EXPECT_EQ(found.unresolvable, (Findings{"s1", "u1", "u2"}));

    TReferenceFields untyped;
    untyped.fSampleType = 0;
    untyped.fTrueName = "a2";
    EXPECT_THROW(Verify(carvel, FORM("PTCH", {kReferences, FORM("REMB", {kEmbedded})})), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(carvel, FORM("PTCH", {CAT("REFS", {Chunk("REFE", ReferenceBodyOf(untyped))})})),
                 NSQuorral::XUnsupportedFormat);
}

TEST(PatchVerification, ADamagedDeviceListEndsOnlyTheDeviceScan)
{
    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    const TBytes broken = Chunk("DESC", {0x00}); // no version mark
    const TBytes patch =
        FORM("PTCH", {kReferences,
                      CAT("DEVL", {FORM("DEVC", {DeviceDescription("My Device")}), FORM("DEVC", {broken}),
                                   FORM("DEVC", {DeviceDescription("Other")})})});
    const TFindings found = Verify(carvel, patch, {"My Device", "Other"});
    EXPECT_EQ(found.devices, Findings{"My Device"});
    EXPECT_EQ(found.resolved, Findings{"a1"});
    // The patch's own description is no part of the scan: its failure fails the patch.
    EXPECT_THROW(Verify(carvel, FORM("PTCH", {broken, kReferences})), NSQuorral::XFormatViolation);
}

TEST(PatchVerification, ADrumChannelPatchWithoutDescriptionUsesTheDrumDeviceComparedExactly)
{
    CPatchFileTypeProcessor drums(30, kFourCC_TPDP);
    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    EXPECT_EQ(Verify(drums, FORM("TPDP", {kReferences}), {"Brakka Drum Studio"}).devices,
              Findings{"Brakka Drum Studio"});
    EXPECT_TRUE(Verify(drums, FORM("TPDP", {kReferences}), {"brakka drum studio"}).devices.empty());
    EXPECT_EQ(
        Verify(drums, FORM("TPDP", {PatchDescription("Kit"), kReferences}), {"Brakka Drum Studio", "Kit"})
            .devices,
        Findings{"Kit"});
    EXPECT_TRUE(Verify(carvel, FORM("PTCH", {kReferences}), {"Brakka Drum Studio"}).devices.empty());
}

TEST(PatchVerification, ALumenPresetNeedsItsPresetChunk)
{
    CLMNPatchFileTypeVerifier lumen;
    EXPECT_EQ(Verify(lumen, FORM("PTCH", {kReferences, Chunk("LMNP", Text("p"))})).resolved, Findings{"a1"});
    EXPECT_THROW(Verify(lumen, FORM("PTCH", {kReferences})), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(lumen, FORM("LMNP", {kReferences, Chunk("LMNP", Text("p"))})),
                 NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(lumen, FORM("PTCH", {Chunk("LMNP", Text("p"))})), NSQuorral::XFormatViolation);
}

TEST_F(PatchProcessors, PackingKeepsEveryChunkButTheRelocatedReferencesAndSizesTheForm)
{
    const TBytes devices = CAT("DEVL", {FORM("DEVC", {DeviceDescription("My Device")})});
    const TBytes extra = LIST("XTRA", {Chunk("DATA", Text("odd"))});
    const TBytes source = FORM("TPDP", {PatchDescription("Kit"), Chunk("ODD1", Text("abc")),
                                        CAT("REFS", {REFE("a1"), kEmbedded, REFE("u1")}), devices, extra});
    const TBytes expected =
        FORM("TPDP", {PatchDescription("Kit"), Chunk("ODD1", Text("abc")),
                      CAT("REFS", {RelocatedREFE("a1"), kEmbedded, RelocatedREFE("u1")}), devices, extra});
    CPatchFileTypeProcessor drums(30, kFourCC_TPDP);
    EXPECT_EQ(Pack(drums, SourceFile("kit.brkd", source), 100), expected);

    CPatchFileTypeProcessor carvel(2, kFourCC_PTCH);
    EXPECT_THROW(Pack(carvel, SourceFile("wrong.crv", source)), NSQuorral::XFormatViolation);
}

// A Gramola patch: its root with the device identifier, then its sample references.
std::string GramolaPatch(const std::string& version, const std::vector<std::string>& references,
                         const std::string& padding = "")
{
    auto root = std::make_shared<NSFerrant::CXMLElement>(U("GramolaPatch"), U(""));
    root->fAttributes.push_back(std::make_shared<NSFerrant::CXMLAttribute>(U("version"), U(version)));
    root->fAttributes.push_back(
        std::make_shared<NSFerrant::CXMLAttribute>(U("deviceProductID"), U("Gramola Keys")));
    auto samples = std::make_shared<NSFerrant::CXMLElement>(U("Samples"), U(""));
    for (const std::string& name : references)
    {
        NSFerrant::COwnedMemoryMedia body = NSTestSupport::MediaOf(ReferenceBody(name));
        samples->fChildren.push_back(CSF10ReferenceChunk(body).WriteXML());
    }
    samples->fChildren.push_back(std::make_shared<NSFerrant::CXMLElement>(U("Note"), U("kept")));
    root->fChildren.push_back(samples);
    std::string text = NSFerrant::WriteXMLDocument({root});
    return text.insert(text.find('\n') + 1, padding);
}

TBytes BytesOfText(const std::string& text)
{
    return TBytes(text.begin(), text.end());
}

TEST(GramolaPatchVerification, FindsTheDeviceInTheFirst1024BytesOnly)
{
    CGramolaDevicePatchProcessor gramola(39);
    const std::vector<std::string> prohibited{"Gramola Keys"};
    EXPECT_EQ(Verify(gramola, BytesOfText(GramolaPatch("1.0.0", {})), prohibited).devices,
              Findings{"Gramola Keys"});
    // The identifier's word starts beyond byte 1,024, or its closing quote lies beyond it.
    const std::string comment = "<!--" + std::string(1100, '-').replace(0, 1, " ") + " -->\r\n";
    EXPECT_TRUE(Verify(gramola, BytesOfText(GramolaPatch("1.0.0", {}, comment)), prohibited).devices.empty());
    const std::string head = GramolaPatch("1.0.0", {});
    const size_t quote = head.find("Gramola Keys");
    const std::string straddling = "<!--" + std::string(1024 - quote - 10, 'x') + "-->";
    const std::string shifted = GramolaPatch("1.0.0", {}, straddling);
    ASSERT_LT(shifted.find("deviceProductID"), 1024u);
    ASSERT_GT(shifted.find("Gramola Keys") + 12, 1024u);
    EXPECT_TRUE(Verify(gramola, BytesOfText(shifted), prohibited).devices.empty());
    EXPECT_EQ(NSVantlePacking::FindGramolaDeviceId("x deviceProductID=\"A\xC3\xA9\" \"b\""), U("A\xC3\xA9"));
    EXPECT_TRUE(NSVantlePacking::FindGramolaDeviceId("deviceProductID=\"open").empty());
}

TEST(GramolaPatchVerification, ReportsItsSampleReferencesAndRefusesEmptyAndNewerPatches)
{
    CGramolaDevicePatchProcessor gramola(39);
    const TFindings found = Verify(gramola, BytesOfText(GramolaPatch("2.0.0", {"a1", "u1", "s1", "x1"})));
    EXPECT_EQ(found.resolved, Findings{"a1"});
    EXPECT_EQ(found.unresolvable, (Findings{"u1", "s1"}));
    EXPECT_EQ(found.inOtherPackage, Findings{"x1"});
    EXPECT_TRUE(found.skipped);
    try
    {
        Verify(gramola, {});
        ADD_FAILURE() << "nothing thrown";
    }
    catch (const NSQuorral::XFormatViolation& e)
    {
        EXPECT_STREQ(e.what(), "missing device identifier in Gramola patch");
    }
    EXPECT_THROW(Verify(gramola, BytesOfText(GramolaPatch("3.0.0", {"a1"}))), NSQuorral::XVersionTooNew);
    EXPECT_THROW(Verify(gramola, BytesOfText("deviceProductID=\"x\" but no XML")),
                 NSQuorral::XFormatViolation);
}

TEST_F(PatchProcessors, PackingAGramolaPatchRelocatesItsReferencesInAFreshDocument)
{
    CGramolaDevicePatchProcessor gramola(39);
    const TBytes packed =
        Pack(gramola, SourceFile("keys.gmpatch", BytesOfText(GramolaPatch("1.0.0", {"a1", "u1"}))), 7);
    const std::string text(packed.begin(), packed.end());
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>\r\n", 0), 0u);
    const NSFerrant::TXMLElementList elements =
        NSFerrant::ParseXMLDocument(text.data(), text.data() + text.size());
    ASSERT_EQ(elements.size(), 1u);
    const auto& samples = elements[0]->fChildren.at(0)->fChildren;
    ASSERT_EQ(samples.size(), 3u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_EQ(UTF8Of(CSF10ReferenceChunk(samples[i]).fVantleName.GetText()), "Packed");
    EXPECT_EQ(UTF8Of(samples[2]->fText), "kept");
    EXPECT_THROW(Pack(gramola, SourceFile("new.gmpatch", BytesOfText(GramolaPatch("3.0.0", {})))),
                 NSQuorral::XVersionTooNew);
}
} // namespace
