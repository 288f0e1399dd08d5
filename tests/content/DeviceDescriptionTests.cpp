#include "content/references/DeviceDescription.h"
#include "content/references/DeviceTypeNames.h"
#include "content/references/PatchDescription.h"
#include "content/references/PublishedSong.h"

#include "tests/content/ContentTestSupport.h"
#include "tests/support/HostDocumentBytes.h"

namespace
{
using namespace NSHostDocumentBytes;

// A 64-byte name field holding text and zeros.
TBytes ANSIField(const std::string& text)
{
    TBytes field = Text(text);
    field.resize(64, 0);
    return field;
}

TEST(DeviceDescription, ReadsEveryVersionRow)
{
    struct TCase
    {
        const char* label;
        TBytes stored;
        std::string typeName;
        u32 number;
        std::string name;
        u32 code;
        bool flagA;
        bool flagE;
        NSFerrant::TVersion deviceVersion;
    };
    const TBytes v2 = Concat({U8(9), U32(0x01020304), Name("Bass"), U8(1), U32(7), U32(8), Name("T")});
    const NSFerrant::TVersion none{};
    const TCase kCases[] = {
        {"1.0.0", Concat({Version(1, 0, 0), U8(2), U8(5), ANSIField("Bass"), U8(1), U32(7), U32(8)}),
         "Carvel Analog Synth", 5, "Bass", 255, true, false, none},
        {"1.0.0 name without a zero",
         Concat({Version(1, 0, 0), U8(18), U8(5), TBytes(64, 'x'), U8(0), U32(7), U32(8)}),
         "Ostrel Digital Sampler", 5, std::string(63, 'x'), 255, true, false, none},
        {"1.1.0", Concat({Version(1, 1, 0), U8(17), U8(1), Name("Bass"), U8(0), U32(1), U32(2)}),
         "Ondel Synth", 1, "Bass", 255, true, false, none},
        {"1.2.0", Concat({Version(1, 2, 0), Name("My Device"), U8(3), Name("Bass"), U8(1), U32(1), U32(2)}),
         "My Device", 3, "Bass", 255, true, false, none},
        {"1.3.0", Concat({Version(1, 3, 0), U8(99), U8(4), Name("Bass"), U8(0), U32(1), U32(2), Name("T")}),
         "T", 4, "Bass", 255, true, false, none},
        {"1.2.5 is its version alone", Version(1, 2, 5), "", 0xFFFFFFFF, "", 255, true, false, none},
        {"1.4.0 is its version alone", Version(1, 4, 0), "", 0xFFFFFFFF, "", 255, true, false, none},
        {"2.0.0", Concat({Version(2, 0, 0), v2}), "T", 0x01020304, "Bass", 255, true, false, none},
        {"2.1.0", Concat({Version(2, 1, 0), v2, U32(0x103)}), "T", 0x01020304, "Bass", 20, true, false, none},
        {"2.2.0",
         Concat({Version(2, 2, 0), v2, U32(1), Version(3, 1, 0)}),
         "T",
         0x01020304,
         "Bass",
         12,
         true,
         false,
         {3, 1, 0}},
        {"2.3.0", Concat({Version(2, 3, 0), v2, U32(2), U8(0)}), "T", 0x01020304, "Bass", 6, false, false,
         none},
        {"2.4.0", Concat({Version(2, 4, 0), v2, U32(2), U8(0), U32(1000)}), "T", 0x01020304, "Bass", 1000,
         false, false, none},
        {"2.5.0", Concat({Version(2, 5, 0), v2, U32(2), U8(1), U32(1000), U8(0), U8(0), U8(1)}), "T",
         0x01020304, "Bass", 1000, true, true, none},
        {"2.9.0", Concat({Version(2, 9, 0), v2, U32(2), U8(1), U32(1000), U8(0), U8(0), U8(1)}), "T",
         0x01020304, "Bass", 1000, true, true, none},
        {"3.0.0 code 32", Concat({Version(3, 0, 0), v2, U32(32)}), "T", 0x01020304, "Bass", 255, true, false,
         none},
        {"3.1.0",
         Concat({Version(3, 1, 0), v2, U32(15), Version(2, 0, 0)}),
         "T",
         0x01020304,
         "Bass",
         22,
         true,
         false,
         {2, 0, 0}},
        {"3.2.0",
         Concat({Version(3, 2, 0), v2, U32(15), Version(2, 0, 0), U8(0)}),
         "T",
         0x01020304,
         "Bass",
         22,
         false,
         false,
         {2, 0, 0}},
        {"3.3.0",
         Concat({Version(3, 3, 0), v2, U32(15), Version(2, 0, 0), U8(0), U32(5)}),
         "T",
         0x01020304,
         "Bass",
         5,
         false,
         false,
         {2, 0, 0}},
        {"3.4.0",
         Concat({Version(3, 4, 0), v2, U32(15), Version(2, 0, 0), U8(0), U32(5), U8(0), U8(0), U8(7)}),
         "T",
         0x01020304,
         "Bass",
         5,
         false,
         true,
         {2, 0, 0}},
    };
    for (const TCase& c : kCases)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(c.stored);
        const CSF10DeviceDescriptionChunk description(media);
        EXPECT_EQ(media.fPosition, i64(c.stored.size())) << c.label;
        EXPECT_EQ(UTF8Of(description.fDeviceTypeName), c.typeName) << c.label;
        EXPECT_EQ(description.fNumber, c.number) << c.label;
        EXPECT_EQ(UTF8Of(description.fName), c.name) << c.label;
        EXPECT_EQ(description.fCode, c.code) << c.label;
        EXPECT_EQ(description.fFlagA, c.flagA) << c.label;
        EXPECT_EQ(description.fFlagE, c.flagE) << c.label;
        EXPECT_EQ(description.fDeviceVersion, c.deviceVersion) << c.label;
    }
}

TEST(DeviceDescription, RefusesOtherMajorsAndUnknownTypeCodesAndIsNeverWritten)
{
    NSFerrant::COwnedMemoryMedia tooOld = MediaOf(Version(0, 9, 0));
    EXPECT_THROW(CSF10DeviceDescriptionChunk{tooOld}, NSQuorral::XVersionTooOld);
    NSFerrant::COwnedMemoryMedia tooNew = MediaOf(Version(4, 0, 0));
    EXPECT_THROW(CSF10DeviceDescriptionChunk{tooNew}, NSQuorral::XVersionTooNew);
    NSFerrant::COwnedMemoryMedia badCode =
        MediaOf(Concat({Version(1, 1, 0), U8(19), U8(1), Name("B"), U8(0), U32(0), U32(0)}));
    EXPECT_THROW(CSF10DeviceDescriptionChunk{badCode}, NSQuorral::XFormatViolation);
    NSFerrant::COwnedMemoryMedia hostile =
        MediaOf(Concat({Version(2, 0, 0), U8(0), U32(0), U32(0x7FFFFFFF)}));
    EXPECT_THROW(CSF10DeviceDescriptionChunk{hostile}, NSQuorral::XFormatViolation);

    NSFerrant::COwnedMemoryMedia media = MediaOf(Version(1, 4, 0));
    const CSF10DeviceDescriptionChunk description(media);
    NSFerrant::COwnedMemoryMedia out(0);
    EXPECT_EQ(MessageThrown<NSQuorral::XIllegalCallSequence>([&] { description.Write(out); }),
              "Cannot write CSF10DeviceDescriptionChunk in Vantle Packer");
}

TEST(PatchDescription, ReadsEveryVersionRow)
{
    struct TCase
    {
        const char* label;
        TBytes stored;
        std::string typeName;
        std::string name;
    };
    const TBytes v13 = Concat({U8(0), Name("Init"), Name("T")});
    const TCase kCases[] = {
        {"1.0.0", Concat({Version(1, 0, 0), U8(3), ANSIField("Init")}), "Pellin Digital Sampler", "Init"},
        {"1.1.0", Concat({Version(1, 1, 0), U8(4), Name("Init")}), "Loopkin Loop Player", "Init"},
        {"1.2.0", Concat({Version(1, 2, 0), Name("T"), Name("Init")}), "T", "Init"},
        {"1.2.5 is its version alone", Version(1, 2, 5), "", ""},
        {"1.3.0", Concat({Version(1, 3, 0), v13}), "T", "Init"},
        {"1.7.0 in the 1.3.0 layout", Concat({Version(1, 7, 0), v13}), "T", "Init"},
        {"2.0.0", Concat({Version(2, 0, 0), v13}), "T", "Init"},
    };
    for (const TCase& c : kCases)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(c.stored);
        const CSF10DevicePatchDescriptionChunk description(media);
        EXPECT_EQ(media.fPosition, i64(c.stored.size())) << c.label;
        EXPECT_EQ(UTF8Of(description.fDeviceTypeName), c.typeName) << c.label;
        EXPECT_EQ(UTF8Of(description.fName), c.name) << c.label;
    }
}

TEST(PatchDescription, RefusesOtherVersionsAndWritesThe130Layout)
{
    const TBytes v13 = Concat({U8(0), Name("Init"), Name("T")});
    NSFerrant::COwnedMemoryMedia tooOld = MediaOf(Concat({Version(0, 9, 0), v13}));
    EXPECT_THROW(CSF10DevicePatchDescriptionChunk{tooOld}, NSQuorral::XVersionTooOld);
    for (const TBytes& version : {Version(2, 1, 0), Version(3, 0, 0)})
    {
        NSFerrant::COwnedMemoryMedia tooNew = MediaOf(Concat({version, v13}));
        EXPECT_THROW(CSF10DevicePatchDescriptionChunk{tooNew}, NSQuorral::XVersionTooNew);
    }

    NSFerrant::COwnedMemoryMedia media = MediaOf(Concat({Version(1, 3, 0), v13}));
    CSF10DevicePatchDescriptionChunk description(media);
    for (const auto& [typeName, code] : {std::pair<std::string, u8>{"Carvel Analog Synth", 2}, {"T", 255}})
    {
        description.fDeviceTypeName = U(typeName);
        NSFerrant::COwnedMemoryMedia out(0);
        description.Write(out);
        EXPECT_EQ(NSTestSupport::BytesOf(out),
                  Concat({Version(1, 3, 0), U8(code), Name("Init"), Name(typeName)}));
    }
}

TEST(DeviceTypeNames, CodesAndNamesMatchExactly)
{
    for (u32 code = 0; code < 256; ++code)
    {
        if (code < kDeviceTypeNameCount)
            EXPECT_EQ(GetDeviceTypeFromName(GetDeviceTypeName(u8(code))), code);
        else
            EXPECT_THROW(GetDeviceTypeName(u8(code)), NSQuorral::XFormatViolation) << code;
    }
    EXPECT_EQ(UTF8Of(GetDeviceTypeName(0)), "Tessaro Hardware Interface Device");
    EXPECT_EQ(UTF8Of(GetDeviceTypeName(18)), "Ostrel Digital Sampler");
    EXPECT_EQ(GetDeviceTypeFromName(U("carvel analog synth")), kNoDeviceType);
    EXPECT_EQ(GetDeviceTypeFromName(U("")), kNoDeviceType);
}

TEST(DeviceTypeNames, MapDescriptionCodeAnswers255PastItsTable)
{
    const u8 kTable[] = {19, 12, 6, 20, 4, 16, 14, 23, 26, 1, 2, 8, 11, 13, 21, 22};
    for (u32 code = 0; code < 256; ++code)
        EXPECT_EQ(MapDescriptionCode(u8(code)), code < 16 ? kTable[code] : 255) << code;
}

TEST(PublishedSong, RecognisesTheHeadOfAPublishedSongAtThePosition)
{
    struct TCase
    {
        TBytes bytes;
        i64 position;
        bool published;
    };
    const TCase kCases[] = {
        {Concat({Text("FORM"), U32(0xFFFFFFFF), Text("TNPS")}), 0, true},
        {Concat({Text("FORM"), U32(4), Text("TNPS"), Text("more")}), 0, true},
        {Concat({Text("FORM"), U32(4), Text("TNP")}), 0, false},
        {Concat({Text("FORM"), U32(4), Text("TS10")}), 0, false},
        {Concat({Text("CAT "), U32(4), Text("TNPS")}), 0, false},
        {Concat({Text("junk"), Text("FORM"), U32(4), Text("TNPS")}), 4, true},
        {Concat({Text("FORM"), U32(4), Text("TNPS")}), 1, false},
    };
    for (const TCase& c : kCases)
    {
        NSFerrant::COwnedMemoryMedia media = MediaOf(c.bytes);
        media.fPosition = c.position;
        EXPECT_EQ(IsPublishedSongMedia(media), c.published) << c.position;
        EXPECT_EQ(media.fPosition, c.position);
    }
}
} // namespace
