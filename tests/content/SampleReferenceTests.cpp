#include "content/references/SampleReference.h"

#include "media/IFFFileWriter.h"
#include "tests/content/ContentTestSupport.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

// Hand-written "REFE" bodies, one per stored version.

// 1.0.0: rows 1 to 8 only; the second name is the package name; the true name comes from the
// relative path.
const u8 kBody100[] = {
    0xBC, 1, 0, 0, 0, // body version 1.0.0
    0xBC, 1, 1, 0, 0,   1,   0,   0,   0,   0,   0,
    0,    0, 1, 0, 0,   0,   4,   'k', 'i', 'c', 'k', // relative 1.1.0: up 0, "kick"
    0xBC, 1, 2, 0, 0,   0,                            // database path 1.2.0, invalid
    0xBC, 1, 4, 0, 0,   0,                            // absolute path 1.4.0, invalid
    0,    0, 0, 4, 'K', 'i', 'c', 'k',                // user-friendly name "Kick"
    0,    0, 0, 3, 'P', 'k', 'g',                     // package name "Pkg"
    0,    0, 0, 0,                                    // package URL, empty
    13,                                               // a sample
};

// 1.1.0: the package name row follows the type; the true name comes from the absolute path.
const u8 kBody110[] = {
    0xBC, 1, 1, 0, 0,                                       // body version 1.1.0
    0xBC, 1, 1, 0, 0,   0,                                  // relative path, invalid
    0xBC, 1, 2, 0, 0,   0,                                  // database path, invalid
    0xBC, 1, 4, 0, 0,   1,   0,   0, 0,   1,   'D', 11,     // absolute 1.4.0: volume "D", fixed disk
    0,    0, 0, 1, 0,   0,   0,   4, 'l', 'o', 'o', 'p', 0, //   components "loop"; not in a package
    0,    0, 0, 0,                                          // user-friendly name, empty
    0,    0, 0, 3, 'P', 'a', 'k',                           // package name "Pak"
    0,    0, 0, 3, 'u', 'r', 'l',                           // package URL "url"
    12,                                                     // a sliced loop
    0,    0, 0, 3, 'P', 'k', 'g',                           // further package name "Pkg"
};

// 1.2.0: the true name is stored; each path stands once.
const u8 kBody120[] = {
    0xBC, 1, 2, 0, 0,      // body version 1.2.0
    0xBC, 1, 1, 0, 0,   0, // relative path, invalid
    0xBC, 1, 2, 0, 0,   1,   0,   0,   0,   0,   0,   0,
    0,    1, 0, 0, 0,   4,   'k', 'i', 'c', 'k',           // database 1.2.0: "", "kick"
    0xBC, 1, 4, 0, 0,   0,                                 // absolute path, invalid
    0,    0, 0, 0, 0,   0,   0,   0,   0,   0,   0,   0,   // three empty names
    13,                                                    // a sample
    0,    0, 0, 0,                                         // package name, empty
    0,    0, 0, 8, 'K', 'i', 'c', 'k', '.', 'w', 'a', 'v', // true name "Kick.wav"
};

// 1.3.0: the paths stand again in their newer forms, which replace the older ones.
const u8 kBody130[] = {
    0xBC, 1, 3, 0, 0,                                                               // body version 1.3.0
    0xBC, 1, 1, 0, 0,   1,   0,   0,   0, 0, 0, 0, 0, 1, 0, 0, 0, 3, 'o', 'l', 'd', // relative 1.1.0: "old"
    0xBC, 1, 2, 0, 0,   0,                                                          // database path, invalid
    0xBC, 1, 4, 0, 0,   0,                                                          // absolute path, invalid
    0,    0, 0, 0, 0,   0,   0,   0,   0, 0, 0, 0,                                  // three empty names
    13,                                                                             // a sample
    0,    0, 0, 0,                                                                  // package name, empty
    0,    0, 0, 4, 'k', 'i', 'c', 'k',                                              // true name "kick"
    0xBC, 1, 5, 0, 0,   1,   0,   0,   0, 1, 0, 0, 0, 1, 0, 0, 0, 4, 'k', 'i', 'c',
    'k',  0,               // relative 1.5.0: up 1, "kick"
    0xBC, 1, 5, 0, 0,   0, // database path 1.5.0, invalid
    0xBC, 1, 9, 0, 0,   0, // absolute path 1.9.0, invalid
};

// 2.0.0: as the writer writes a reference with a device: 1.3.0's rows, then the device.
const u8 kBody200[] = {
    0xBC, 2, 0, 0, 0, // body version 2.0.0
    0xBC, 1, 1, 0, 0,   1,   0,   0,   0,   1,   0, 0,
    0,    1, 0, 0, 0,   4,   'k', 'i', 'c', 'k', // relative 1.1.0: up 1, "kick"
    0xBC, 1, 2, 0, 0,   0,                       // database path, invalid
    0xBC, 1, 4, 0, 0,   0,                       // absolute path, invalid
    0,    0, 0, 4, 'K', 'i', 'c', 'k',           // user-friendly name "Kick"
    0,    0, 0, 0, 0,   0,   0,   0,             // package name and URL, empty
    13,                                          // a sample
    0,    0, 0, 0,                               // further package name, empty
    0,    0, 0, 4, 'k', 'i', 'c', 'k',           // true name "kick"
    0xBC, 1, 5, 0, 0,   1,   0,   0,   0,   1,   0, 0,
    0,    1, 0, 0, 0,   4,   'k', 'i', 'c', 'k', 0, // relative 1.5.0, flag 0
    0xBC, 1, 5, 0, 0,   0,                          // database path 1.5.0, invalid
    0xBC, 1, 9, 0, 0,   0,                          // absolute path 1.9.0, invalid
    0,    0, 0, 3, 'd', 'e', 'v',                   // device id "dev" (UTF-8)
    0,    0, 0, 5, 'S', 'y', 'n', 't', 'h',         // device name "Synth"
    0xBC, 1, 2, 0, 0,                               // device version 1.2
};

template <size_t N> TBytes BytesOf(const u8 (&body)[N])
{
    return TBytes(body, body + N);
}

CSF10ReferenceChunk ReadBody(const TBytes& bytes)
{
    NSFerrant::COwnedMemoryMedia media = MediaOf(bytes);
    CSF10ReferenceChunk reference(media);
    EXPECT_EQ(media.fPosition, i64(bytes.size()));
    return reference;
}

TBytes WrittenBody(const CSF10ReferenceChunk& reference)
{
    NSFerrant::COwnedMemoryMedia media(0);
    reference.Write(media);
    return NSTestSupport::BytesOf(media);
}

TEST(SampleReference, ReadsTheBodyOfEveryVersion)
{
    struct TCase
    {
        const char* label;
        TBytes body;
        std::string trueName, friendlyName, vantleName, vantleURL, packageName;
        u32 type;
        std::vector<std::string> relative;
        std::string device;
    };
    const TCase kCases[] = {
        {"1.0.0", BytesOf(kBody100), "kick", "Kick", "", "", "Pkg", 13, {"kick"}, ""},
        {"1.1.0", BytesOf(kBody110), "loop", "", "Pak", "url", "Pkg", 12, {}, ""},
        {"1.2.0", BytesOf(kBody120), "Kick.wav", "", "", "", "", 13, {}, ""},
        {"1.3.0", BytesOf(kBody130), "kick", "", "", "", "", 13, {"kick"}, ""},
        {"2.0.0", BytesOf(kBody200), "kick", "Kick", "", "", "", 13, {"kick"}, "dev"},
    };
    for (const TCase& c : kCases)
    {
        const CSF10ReferenceChunk reference = ReadBody(c.body);
        EXPECT_EQ(UTF8Of(reference.fTrueName), c.trueName) << c.label;
        EXPECT_EQ(UTF8Of(reference.fUserFriendlyName), c.friendlyName) << c.label;
        EXPECT_EQ(UTF8Of(reference.fVantleName), c.vantleName) << c.label;
        EXPECT_EQ(UTF8Of(reference.fVantleURL), c.vantleURL) << c.label;
        EXPECT_EQ(UTF8Of(reference.fPackageName), c.packageName) << c.label;
        EXPECT_EQ(reference.fSampleType, c.type) << c.label;
        EXPECT_EQ(TextsOf(reference.fRelativePath.fComponents), c.relative) << c.label;
        EXPECT_EQ(UTF8Of(reference.fDeviceInternalID), c.device) << c.label;
    }
    const CSF10ReferenceChunk newest = ReadBody(BytesOf(kBody200));
    EXPECT_EQ(UTF8Of(newest.fDeviceUIName), "Synth");
    EXPECT_EQ(newest.fDeviceVersion, (NSFerrant::TVersion{1, 2, 0}));
    EXPECT_EQ(newest.fRelativePath.fStepUp, 1u);
    EXPECT_EQ(ReadBody(BytesOf(kBody110)).fAbsolutePath.fMatchWithoutExtension, 1);
    EXPECT_EQ(ReadBody(BytesOf(kBody120)).fDatabasePath.fPathKind, 97u);
}

TEST(SampleReference, ReadsLaterMinorsOfMajor2AndRefusesOthers)
{
    TBytes body = BytesOf(kBody200);
    body[2] = 7;
    EXPECT_EQ(UTF8Of(ReadBody(body).fDeviceUIName), "Synth");
    body[1] = 3;
    NSFerrant::COwnedMemoryMedia tooNew = MediaOf(body);
    EXPECT_THROW(CSF10ReferenceChunk{tooNew}, NSQuorral::XVersionTooNew);
    TBytes old = BytesOf(kBody100);
    old[1] = 0;
    old[2] = 9;
    NSFerrant::COwnedMemoryMedia tooOld = MediaOf(old);
    EXPECT_THROW(CSF10ReferenceChunk{tooOld}, NSQuorral::XVersionTooOld);
}

TEST(SampleReference, WritesVersion130WithoutADeviceAnd200WithOne)
{
    CSF10ReferenceChunk reference = ReadBody(BytesOf(kBody200));
    EXPECT_EQ(WrittenBody(reference), BytesOf(kBody200));

    reference.fDeviceInternalID.clear();
    TBytes expected = BytesOf(kBody200);
    expected.resize(expected.size() - (7 + 9 + 5));
    expected[1] = 1;
    expected[2] = 3;
    EXPECT_EQ(WrittenBody(reference), expected);
}

TEST(SampleReference, AnAbsolutePathOf150Or160MakesTheFollowingNamesEightBitButNeverTheTrueName)
{
    for (u8 minor : {5, 6, 4})
    {
        const std::string utf8 = "K\xC3\xBChl";
        const TBytes body =
            Concat({Version(1, 2, 0), Version(1, 1, 0), U8(0), Version(1, 2, 0), U8(0), Version(1, minor, 0),
                    U8(0), Name(utf8), Name(utf8), Name(utf8), U8(13), Name(utf8), Name(utf8)});
        const CSF10ReferenceChunk reference = ReadBody(body);
        const std::string expected = minor == 4 ? "K\xC3\x83\xC2\xBChl" : utf8;
        EXPECT_EQ(UTF8Of(reference.fUserFriendlyName), expected) << int(minor);
        EXPECT_EQ(UTF8Of(reference.fVantleURL), expected) << int(minor);
        EXPECT_EQ(UTF8Of(reference.fPackageName), expected) << int(minor);
        EXPECT_EQ(UTF8Of(reference.fTrueName), "K\xC3\x83\xC2\xBChl") << int(minor);
    }
}

class DeriveTrueNameTest : public RootNamesTest
{
};

TEST_F(DeriveTrueNameTest, TakesTheFirstPathThatNamesSomething)
{
    CRelativePath relative;
    relative.fComponents = ComponentsOf({"Samples", "rel.wav"});
    CAbsolutePath absolute;
    absolute.fVolumeName = THashedString(U("Data"));
    absolute.fComponents = ComponentsOf({"abs.wav"});
    CDatabasePath database;
    database.fComponents = ComponentsOf({"Pkg", "db.wav"});

    struct TCase
    {
        u8 relativeValid;
        bool relativeEmpty;
        u8 absoluteValid;
        bool absoluteEmpty;
        bool databaseEmpty;
        const char* expected;
    };
    const TCase kCases[] = {
        {1, false, 1, false, false, "rel.wav"},
        {1, true, 1, false, false, "abs.wav"}, // a valid relative path without components names nothing
        {0, false, 1, false, false, "abs.wav"},
        {0, false, 1, true, false, "Data"},
        {0, false, 0, false, false, "db.wav"}, // the database path's validity is not looked at
        {1, true, 0, false, true, "Vantles"},
    };
    for (const TCase& c : kCases)
    {
        CRelativePath r = relative;
        r.fValid = c.relativeValid;
        if (c.relativeEmpty)
            r.fComponents.clear();
        CAbsolutePath a = absolute;
        a.fValid = c.absoluteValid;
        if (c.absoluteEmpty)
            a.fComponents.clear();
        CDatabasePath d = database;
        if (c.databaseEmpty)
            d.fComponents.clear();
        EXPECT_EQ(UTF8Of(DeriveTrueName(r, d, a)), c.expected) << c.expected;
    }
}

CAbsolutePath FullAbsolutePathForXML()
{
    CAbsolutePath path;
    path.fValid = 1;
    path.fVolumeName = THashedString(U("Data"));
    path.fVolumeType = NSFileLib::kVolumeKindFixed;
    path.fComponents = ComponentsOf({"Samples", "kick"});
    path.fMatchWithoutExtension = 0;
    path.fNativeURLMode = kNativeURLWin32Directory;
    path.fNativeURL = "file:///C:/Samples/";
    return path;
}

TEST(SampleReference, XMLRoundTrip)
{
    CSF10ReferenceChunk reference = ReadBody(BytesOf(kBody200));
    reference.fVantleName = THashedString(U("Pack"));
    reference.fPackageName = THashedString(U("Other"));
    reference.fDatabasePath.fValid = 1;
    reference.fDatabasePath.fComponents = ComponentsOf({"Pack", "kick"});
    reference.fAbsolutePath = FullAbsolutePathForXML();
    const std::shared_ptr<NSFerrant::CXMLElement> element = reference.WriteXML();
    ASSERT_EQ(element->fChildren.size(), 6u);
    const char* const kOrder[] = {"Vantle",       "GramolaDevice", "Package",
                                  "DatabasePath", "AbsolutePath",  "RelativePath"};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(UTF8Of(element->fChildren[i]->fName), kOrder[i]);

    const CSF10ReferenceChunk back(element);
    EXPECT_EQ(UTF8Of(back.fTrueName), "kick");
    EXPECT_EQ(UTF8Of(back.fUserFriendlyName), "Kick");
    EXPECT_EQ(back.fSampleType, 13u);
    EXPECT_EQ(UTF8Of(back.fVantleName), "Pack");
    EXPECT_EQ(UTF8Of(back.fVantleURL), "");
    EXPECT_EQ(UTF8Of(back.fPackageName), "Other");
    EXPECT_EQ(UTF8Of(back.fDeviceInternalID), "dev");
    EXPECT_EQ(UTF8Of(back.fDeviceUIName), "Synth");
    EXPECT_EQ(back.fDeviceVersion, (NSFerrant::TVersion{1, 2, 0}));
    EXPECT_EQ(TextsOf(back.fDatabasePath.fComponents), (std::vector<std::string>{"Pack", "kick"}));
    EXPECT_EQ(UTF8Of(back.fAbsolutePath.fVolumeName), "Data");
    EXPECT_EQ(back.fRelativePath.fStepUp, 1u);
    EXPECT_EQ(WrittenBody(back), WrittenBody(reference));
}

TEST(SampleReference, XMLOfALoopWithOnlyARelativePath)
{
    CSF10ReferenceChunk reference = ReadBody(BytesOf(kBody130));
    reference.fTrueName = THashedString();
    reference.fSampleType = kSampleReferenceLoop;
    const std::shared_ptr<NSFerrant::CXMLElement> element = reference.WriteXML();
    EXPECT_EQ(UTF8Of(element->fName), "SampleReference");
    ASSERT_EQ(element->fAttributes.size(), 1u);
    EXPECT_EQ(UTF8Of(element->fAttributes[0]->fName), "type");
    EXPECT_EQ(UTF8Of(element->fAttributes[0]->fValue), "kiv");
    ASSERT_EQ(element->fChildren.size(), 1u);
    EXPECT_EQ(UTF8Of(element->fChildren[0]->fName), "RelativePath");

    reference.fSampleType = 7;
    EXPECT_EQ(UTF8Of(reference.WriteXML()->fAttributes[0]->fValue), "");
}

TEST(SampleReference, ReadXMLMessagesAndDefaults)
{
    struct TCase
    {
        const char* xml;
        const char* message;
    };
    const TCase kCases[] = {
        {"<SampleReference type=\"Sample\"/>", "Illegal sample type"},
        {"<SampleReference type=\"\"/>", "Illegal sample type"},
        {"<sampleReference type=\"sample\"/>", "Expected SampleReference XML node"},
        {"<SampleReference><RelativePath><Path>/a</Path></RelativePath></SampleReference>",
         "RelativePath must have two elements, Path and StepUp"},
    };
    for (const TCase& c : kCases)
    {
        EXPECT_EQ(
            MessageThrown<NSQuorral::XFormatViolation>([&] { CSF10ReferenceChunk{ParseElement(c.xml)}; }),
            c.message)
            << c.xml;
    }
    const CSF10ReferenceChunk plain(ParseElement("<SampleReference trueName=\"a\" trueName=\"b\" other=\"x\">"
                                                 "<Vantle name=\"P\"/><Unknown/></SampleReference>"));
    EXPECT_EQ(plain.fSampleType, kSampleReferenceNone);
    EXPECT_EQ(UTF8Of(plain.fTrueName), "b");
    EXPECT_EQ(UTF8Of(plain.fVantleName), "P");
    EXPECT_EQ(plain.fRelativePath.fValid, 0);
}

TEST(SampleReference, HostileBodiesFailAsFormatViolations)
{
    const TBytes head = Concat({Version(1, 3, 0), Version(1, 1, 0), U8(1), U32(0)});
    const TBytes kBodies[] = {
        Concat({head, U32(0xFFFFFFFF)}),                     // component count
        Concat({head, U32(1), U32(0x7FFFFFF0), Text("ab")}), // name length
        Concat({Version(1, 3, 0), Version(1, 1, 0), U8(0), Version(1, 2, 0), U8(0), Version(1, 9, 0), U8(1),
                Name("D"), U8(11), U32(0), U8(0), U8(74), U32(0xFFFFFFFF)}), // URL length
        Concat({Version(2, 0, 0),
                Version(1, 1, 0),
                U8(0),
                Version(1, 2, 0),
                U8(0),
                Version(1, 4, 0),
                U8(0),
                U32(0),
                U32(0),
                U32(0),
                U8(13),
                U32(0),
                U32(0),
                Version(1, 5, 0),
                U8(0),
                Version(1, 5, 0),
                U8(0),
                Version(1, 9, 0),
                U8(0),
                U32(0xFFFFFFFF)}), // device id length
    };
    for (const TBytes& body : kBodies)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(body);
        EXPECT_THROW(CSF10ReferenceChunk{media}, NSQuorral::XFormatViolation);
    }
}

// Old bodies may derive their true name from the database root's name.
class DamagedReferenceBodies : public RootNamesTest
{
};

TEST_F(DamagedReferenceBodies, AreReadOrRefused)
{
    NSTestSupport::CByteMutator mutator(2501, NSTestSupport::EFieldOrder::kBigEndian);
    for (const TBytes& valid :
         {BytesOf(kBody100), BytesOf(kBody110), BytesOf(kBody120), BytesOf(kBody130), BytesOf(kBody200)})
    {
        for (int variant = 0; variant < 400; ++variant)
        {
            NSFerrant::COwnedMemoryMedia media = MediaOf(mutator.Mutate(valid));
            NSTestSupport::ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XRead,
                                          NSQuorral::XUnsupportedFormat, NSQuorral::XVersionTooOld,
                                          NSQuorral::XVersionTooNew>([&] { CSF10ReferenceChunk{media}; });
        }
    }
}

TEST(SampleReference, WriteReferenceChunkWritesOneREFEChunkPaddedToEvenLength)
{
    CSF10ReferenceChunk reference = ReadBody(BytesOf(kBody200));
    reference.fDeviceUIName = U("Synth2");
    const TBytes body = WrittenBody(reference);
    ASSERT_EQ(body.size() % 2, 1u);
    NSFerrant::COwnedMemoryMedia media(0);
    {
        NSFerrant::CIFFFileWriter writer(media);
        WriteReferenceChunk(writer, reference);
        EXPECT_EQ(writer.GetDepth(), 0u);
    }
    EXPECT_EQ(NSTestSupport::BytesOf(media), Chunk("REFE", body));
}
} // namespace
