#include "content/items/PatchXMLReader.h"

#include "tests/content/ContentTestSupport.h"
#include "tests/support/MediaBytes.h"

namespace
{
const std::string kDeclaration = "<?xml version=\"1.0\"?>";

TPatchXMLDocument Read(const std::string& text, i64 position = 0)
{
    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(NSTestSupport::Text(text));
    media.fPosition = position;
    TPatchXMLDocument document = ReadPatchXMLDocument(media, "Patch");
    EXPECT_EQ(media.fPosition, i64(text.size()));
    return document;
}

TEST(PatchXMLReader, ReadsVersionsUpTo200)
{
    struct TCase
    {
        const char* version;
        NSFerrant::TVersion expected;
    };
    const TCase kCases[] = {
        {"1.5.0", {1, 5, 0}},
        {"2.0.0", {2, 0, 0}},
        {"2.0b3", {2, 0, 0, NSFerrant::kVersionStageBeta, 3}},
    };
    for (const TCase& c : kCases)
    {
        const TPatchXMLDocument document = Read(kDeclaration + "<GramolaPatch other=\"x\" version=\"" +
                                                c.version + "\"><Patch/></GramolaPatch>");
        EXPECT_EQ(document.fVersion, c.expected) << c.version;
        ASSERT_TRUE(document.fRoot);
        EXPECT_EQ(document.fRoot->fChildren.size(), 1u);
    }
}

TEST(PatchXMLReader, FailsWithItsMessages)
{
    struct TCase
    {
        std::string text;
        bool tooNew;
        const char* message;
    };
    const TCase kCases[] = {
        {"", false, "Patch format error: Empty XML file"},
        {"<GramolaPatch version=\"1.0\">", false, "Patch format error: Couldn't interpret file as XML"},
        {kDeclaration + "<GramolaPatch version=\"1.0\"></Other>", false,
         "Patch format error: Couldn't interpret file as XML"},
        {kDeclaration, false, "Patch format error: Only one top level XML element allowed"},
        {kDeclaration + "<GramolaPatch version=\"1.0\"/><GramolaPatch version=\"1.0\"/>", false,
         "Patch format error: Only one top level XML element allowed"},
        {kDeclaration + "<GramolaPatch version=\"1.0\"><a\xC0\xAF" "b/></GramolaPatch>", false,
         "Patch format error: Couldn't interpret file as XML"},
        {kDeclaration + "<GramolaPatch version=\"1.0\" x\xE0\x80\xAFy=\"1\"/>", false,
         "Patch format error: Couldn't interpret file as XML"},
        {kDeclaration + "<gramolapatch version=\"1.0\"/>", false, "Format error in Patch"},
        {kDeclaration + "<GramolaPatch Version=\"1.0\"/>", false,
         "Patch format error: Required XML attribute 'version' not found"},
        {kDeclaration + "<GramolaPatch version=\"2.0.1\"/>", true,
         "A newer Tessaro version is needed to read this Patch"},
        {kDeclaration + "<GramolaPatch version=\"2.1\"/>", true,
         "A newer Tessaro version is needed to read this Patch"},
        {kDeclaration + "<GramolaPatch version=\"3.0.0\"/>", true,
         "A newer Tessaro version is needed to read this Patch"},
    };
    for (const TCase& c : kCases)
    {
        const auto read = [&] { Read(c.text); };
        const std::string message = c.tooNew ? MessageThrown<NSQuorral::XVersionTooNew>(read)
                                             : MessageThrown<NSQuorral::XFormatViolation>(read);
        EXPECT_EQ(message, c.message) << c.text;
    }
}

TEST(PatchXMLReader, ReadsFromThePositionToTheEndOnly)
{
    const std::string document = kDeclaration + "<GramolaPatch version=\"1.0\"/>";
    const TPatchXMLDocument read = Read("garbage" + document, 7);
    EXPECT_EQ(read.fVersion, (NSFerrant::TVersion{1, 0, 0}));

    NSFerrant::COwnedMemoryMedia media = NSTestSupport::MediaOf(NSTestSupport::Text(document));
    media.fPosition = i64(document.size());
    EXPECT_EQ(MessageThrown<NSQuorral::XFormatViolation>([&] { ParsePatchXML(media); }),
              "Patch format error: Empty XML file");
}
} // namespace
