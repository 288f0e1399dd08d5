#include "base/VersionNumbers.h"

#include "base/ExceptionClasses.h"
#include "base/TextConversions.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <typeinfo>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace NSFerrant
{
void PrintTo(const TVersion& v, std::ostream* out)
{
    *out << v.fMajor << "." << v.fMinor << "." << v.fFix << " stage " << v.fStage << " revision " << v.fStageRevision
         << " build " << v.fBuild;
}
} // namespace NSFerrant

namespace
{
const u32 d = kVersionStageDevelopment;
const u32 a = kVersionStageAlpha;
const u32 b = kVersionStageBeta;
const u32 f = kVersionStageFinal;

NSTextPackage::TUTF16String Wide(const char* text)
{
    return NSTextPackage::ASCIIToUTF16(text, 0);
}

std::string Narrow(const NSTextPackage::TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

TBytes Encoded(const TVersion& version)
{
    u8 bytes[kLongVersionSize];
    const std::size_t size = EncodeVersion(version, bytes);
    return TBytes(bytes, bytes + size);
}

TEST(VersionBytes, ShortFormOnlyForPlainFinalsWithSmallNumbers)
{
    struct Case
    {
        TVersion version;
        TBytes bytes;
    };
    const Case kCases[] = {
        {{1, 2, 3}, Bytes({0xBC, 1, 2, 3, 0})},
        {{254, 254, 254}, Bytes({0xBC, 254, 254, 254, 0})},
        {{255, 0, 0}, Bytes({0xBC, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4,
                             0, 0, 0, 0, 0, 0, 0, 0})},
        {{1, 0, 0, b, 2}, Bytes({0xBC, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3,
                                 0, 0, 0, 2, 0, 0, 0, 0})},
        {{1, 0, 0, f, 0, 0x01020304}, Bytes({0xBC, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0,
                                             0, 0, 0, 4, 0, 0, 0, 0, 1, 2, 3, 4})},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(Encoded(c.version), c.bytes);
        TVersion decoded{9, 9, 9, d, 9, 9};
        ASSERT_TRUE(DecodeVersion(decoded, c.bytes.data()));
        EXPECT_EQ(decoded, c.version);

        auto media = MediaOf(Concat({Bytes({7}), c.bytes, Bytes({7})}));
        media.fPosition = 1;
        EXPECT_EQ(ReadVersion(media), c.version);
        EXPECT_EQ(media.fPosition, i64(1 + c.bytes.size()));

        COwnedMemoryMedia written(0);
        written.fPosition = 2;
        WriteVersion(c.version, written);
        EXPECT_EQ(BytesOf(written), Concat({Bytes({0, 0}), c.bytes}));
        EXPECT_EQ(written.fPosition, i64(2 + c.bytes.size()));
    }
}

TEST(VersionBytes, DecodingIgnoresByte4AndRejectsOtherMarkers)
{
    TVersion version;
    ASSERT_TRUE(DecodeVersion(version, Bytes({0xBC, 1, 2, 3, 0x7F}).data()));
    EXPECT_EQ(version, (TVersion{1, 2, 3}));
    ASSERT_TRUE(DecodeVersion(version, Bytes({0xBC, 0xFF, 0xFF, 0xFF, 0xFE}).data()));
    EXPECT_EQ(version, (TVersion{255, 255, 255}));

    TVersion untouched{4, 5, 6, a, 7, 8};
    EXPECT_FALSE(DecodeVersion(untouched, Bytes({0xBD, 1, 2, 3, 0}).data()));
    EXPECT_EQ(untouched, (TVersion{4, 5, 6, a, 7, 8}));
    auto media = MediaOf(Bytes({0xBD, 1, 2, 3, 0}));
    EXPECT_THROW(ReadVersion(media), NSQuorral::XFormatViolation);
}

TEST(VersionBytes, LongFormsWithUnknownStagesAndShortMediaAreRejected)
{
    for (u8 stage : {0, 5, 0xFF})
    {
        const TBytes bytes = {0xBC, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, stage,
                              0, 0, 0, 0, 0, 0, 0, 0};
        TVersion version;
        EXPECT_THROW(DecodeVersion(version, bytes.data()), NSQuorral::XFormatViolation) << int(stage);
        auto media = MediaOf(bytes);
        EXPECT_THROW(ReadVersion(media), NSQuorral::XFormatViolation);
    }

    auto fourBytes = MediaOf(Bytes({0xBC, 1, 2, 3}));
    EXPECT_THROW(ReadVersion(fourBytes), NSQuorral::XFormatViolation);
    EXPECT_EQ(fourBytes.fPosition, 0) << "nothing read";

    const TBytes longForm = Encoded({1, 0, 0, b, 2});
    auto cut = MediaOf(TBytes(longForm.begin(), longForm.end() - 1));
    EXPECT_THROW(ReadVersion(cut), NSQuorral::XFormatViolation);
}

TEST(VersionOrder, ComparesNumbersStageAndRevisionButNotBuild)
{
    struct Case
    {
        TVersion a;
        TVersion b;
        u32 order;
    };
    const Case kCases[] = {
        {{1, 0, 0, f, 0}, {1, 0, 0, f, 3}, kVersionNewer},
        {{1, 0, 0, f, 2}, {1, 0, 0, f, 3}, kVersionOlder},
        {{1, 0, 0, f, 3}, {1, 0, 0, f, 0}, kVersionOlder},
        {{1, 0, 0, b, 9}, {1, 0, 0, f, 1}, kVersionOlder},
        {{2, 0, 0, d, 1}, {1, 9, 9, f, 0}, kVersionNewer},
        {{1, 2, 3, f, 0, 5}, {1, 2, 3, f, 0, 9}, kVersionEqual},
        {{1, 0, 0, a, 0}, {1, 0, 0, d, 7}, kVersionNewer},
        {{1, 0, 0, b, 0}, {1, 0, 0, b, 2}, kVersionOlder},
        {{0x80000000, 0, 0}, {1, 0, 0}, kVersionNewer}, // numbers are unsigned
        {{1, 0, 0xFFFFFFFF}, {1, 1, 0}, kVersionOlder},
    };
    for (const Case& c : kCases)
    {
        EXPECT_EQ(CompareVersions(c.a, c.b), c.order) << Narrow(FormatVersion(c.a, {}));
        EXPECT_EQ(CompareVersions(c.b, c.a), 2 - c.order);
    }
}

template <class TException>
bool Is(const std::exception& e)
{
    return dynamic_cast<const TException*>(&e) != nullptr;
}

TEST(VersionOrder, MismatchThrowsTheFittingClass)
{
    const TVersion v100{1, 0, 0};
    const TVersion v200{2, 0, 0};
    struct Case
    {
        TVersion oldest;
        TVersion newest;
        TVersion found;
        bool (*isExpected)(const std::exception&);
    };
    const Case kCases[] = {
        {v100, v100, {0, 9, 0}, Is<NSQuorral::XVersionTooOld>},
        {v100, v100, {2, 0, 0}, Is<NSQuorral::XVersionTooNew>},
        {v100, v100, {1, 1, 0}, Is<NSQuorral::XUnsupportedFormat>},
        {v100, v200, {2, 5, 0}, Is<NSQuorral::XUnsupportedFormat>},
        {v100, v200, {3, 0, 0}, Is<NSQuorral::XVersionTooNew>},
        {v100, v100, {1, 0, 0, b, 3}, Is<NSQuorral::XVersionTooOld>},
    };
    for (const Case& c : kCases)
    {
        try
        {
            ThrowVersionMismatch(c.oldest, c.newest, c.found);
        }
        catch (const std::exception& e)
        {
            EXPECT_TRUE(c.isExpected(e)) << Narrow(FormatVersion(c.found, {})) << " threw " << typeid(e).name();
            EXPECT_STREQ(e.what(), "");
        }
    }
}

struct TextCase
{
    TVersion version;
    const char* text;
};

// Each formats to its text and parses back to the same version.
const TextCase kRoundTrips[] = {
    {{1, 2, 0}, "1.2"},
    {{1, 2, 3}, "1.2.3"},
    {{1, 2, 0, b, 0}, "1.2b0"},
    {{1, 2, 0, f, 3}, "1.2f3"},
    {{1, 2, 3, d, 4, 5}, "1.2.3d4 build 5"},
    {{1, 2, 3, f, 0, 7}, "1.2.3 build 7"},
    {{3, 1, 0, a, 2}, "3.1a2"},
};

TEST(VersionText, FormatsAndParsesBack)
{
    for (const TextCase& c : kRoundTrips)
    {
        EXPECT_EQ(Narrow(FormatVersion(c.version, Wide("none"))), c.text);
        EXPECT_EQ(ParseVersion(Wide(c.text)), c.version) << c.text;
    }
    EXPECT_EQ(Narrow(FormatVersion(TVersion(), Wide("n/a"))), "n/a");
    EXPECT_EQ(Narrow(FormatVersion(TVersion(), {})), "");
    EXPECT_EQ(Narrow(FormatVersion({1, 0, 0, 7, 1}, {})), "1.0d1");
}

TEST(VersionText, ParsingIsLenient)
{
    const TextCase kCases[] = {
        {{}, ""},
        {{}, "n/a"},
        {{}, "N/A"},
        {{}, "f"},
        {{2, 0, 1, d, 3}, "2.0.1d3"},
        {{1, 0, 0, b, 0}, "1.0b"},
        {{1, 2, 3}, "1.2.3.4"},
        {{1, 0, 0}, " 1"},
        {{0xFFFFFFFF, 2, 0}, "-1.2"},
        {{0x7FFFFFFF, 0, 0}, "99999999999"},
        {{0x7FFFFFFF, 0, 0}, "4294967295.0"}, // numbers read as signed 32-bit, saturated
        {{1, 2, 0, b, 0, 12}, "1.2b0 build 12"},
        {{1, 2, 0, b, 0}, "1.2 beta"},
        {{1, 2, 0, f, 0, 0}, "1.2 build x"},
    };
    for (const TextCase& c : kCases)
        EXPECT_EQ(ParseVersion(Wide(c.text)), c.version) << c.text;
}
} // namespace
