// The package layout: the information block, index rows and the checked header.
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleHeader.h"
#include "content/package/VantleIndexRow.h"
#include "content/package/VantleInfo.h"
#include "base/ExceptionClasses.h"
#include "base/Media.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"
#include "tests/support/VantlePackageWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <typeinfo>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
CVantleInfo ReadHeaderOf(const TBytes& bytes, i64* endPosition = nullptr)
{
    COwnedMemoryMedia media = MediaOf(bytes);
    CVantleInfo info;
    ReadVantleHeader(info, media);
    if (endPosition)
        *endPosition = media.fPosition;
    return info;
}

TTestPackage FullPackage()
{
    TTestPackage package;
    package.fInfo =
        CVantleInfo(MakeText(u"Strings"), MakeText(u"Two sets\u2029of strings"),
                    MakeText(u"https://example.org/"), MakeText(u"(c) 2024 Maker"), TVersion{3, 1, 4});
    package.fInfo.fDate = 0x007C00020F091E05;
    package.fEntries = {{MakeText(u"Strings:Violin.korb"), kPackedTypeKORB, TBytes(100, 1), false},
                        {MakeText(u"Strings:Cello.korb"), kPackedTypeKORB, TBytes(7, 2), true}};
    return package;
}

TEST(PackageFormat, WrittenHeaderReadsBackFieldForField)
{
    const TWrittenPackage written = WriteTestPackage(FullPackage());
    EXPECT_EQ(TBytes(written.fBytes.begin(), written.fBytes.begin() + 17),
              Concat({Text("Vant"), Bytes({0, 0, u8(written.fBytes.size() >> 8), u8(written.fBytes.size())}),
                      Bytes({0x41, 0x2B, 0xA3, 0x09, 0xBC, 0x01, 0x02, 0x00, 0x00})}));

    i64 end = 0;
    const CVantleInfo info = ReadHeaderOf(written.fBytes, &end);
    EXPECT_EQ(info, written.fInfo);
    EXPECT_EQ(info.fCreatorVersion, (TVersion{1, 2, 0}));
    EXPECT_EQ(info.fPackageVersion, (TVersion{3, 1, 4}));
    EXPECT_EQ(info.fDate, 0x007C00020F091E05u);
    EXPECT_EQ(info.fFileCount, 2u);
    EXPECT_EQ(i64(info.fIndexStart), end) << "the index follows the information block";
    EXPECT_EQ(end, i64(written.fInfoEnd));
}

TEST(PackageFormat, ByteExamples)
{
    // A listed row of type 7 at offset 0, 100 bytes, with a 14-character Windows-1252 name.
    const CVantleIndexRow row{MakeText(u"Loops:Beat.kiv"), 0, 100, false, 7};
    COwnedMemoryMedia media(0);
    row.Write(media);
    EXPECT_EQ(BytesOf(media), Concat({Bytes({0, 0, 0, 0x0E}), Text("Loops:Beat.kiv"),
                                      Bytes({0x07, 0, 0, 0, 0, 0, 0, 0, 0x64, 0})}));
    media.fPosition = 0;
    CVantleIndexRow back;
    back.Read(media);
    EXPECT_EQ(back, row);

    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 15;
    time.tm_hour = 9;
    time.tm_min = 30;
    time.tm_sec = 5;
    EXPECT_EQ(PackVantleDate(time), 0x007C00020F091E05u);

    // The date is stored high word first.
    CVantleInfo info(MakeText(u"N"), {}, {}, {}, TVersion{1, 0, 0});
    info.fDate = PackVantleDate(time);
    COwnedMemoryMedia stored(0);
    info.Write(stored);
    const TBytes bytes = BytesOf(stored);
    EXPECT_EQ(TBytes(bytes.end() - 8, bytes.end()), Bytes({0x00, 0x7C, 0x00, 0x02, 0x0F, 0x09, 0x1E, 0x05}));
}

// The room of the information block and of the index is laid out before their numbers and the
// date are known: what is written later takes exactly that room, in either name form.
TEST(PackageFormat, StoredSizesDoNotDependOnTheNumbersWrittenLater)
{
    for (const NSTextPackage::TUTF16String& name : {MakeText(u"Loops:Beat.kiv"), MakeText(u"Loops:\u0100\u2029Beat.kiv")})
    {
        SCOPED_TRACE(name.size());
        CVantleInfo info(name, name, {}, name, TVersion{3, 1, 4, 2, 7, 99});
        CVantleIndexRow row{name, 0, 0, false, 0};
        for (const u32 number : {0u, 1u, 0xFFFFFFFFu})
        {
            info.fFileCount = info.fIndexStart = info.fDataStart = number;
            info.fDate = u64(number) << 16;
            row.fOffset = row.fSize = row.fPackedType = number;
            COwnedMemoryMedia infoBytes(0), rowBytes(0);
            info.Write(infoBytes);
            row.Write(rowBytes);
            EXPECT_EQ(info.GetStoredSize(), infoBytes.GetSize());
            EXPECT_EQ(CVantleIndexRow::GetStoredSize(name), rowBytes.GetSize());
        }
    }
}

TEST(PackageFormat, OnlyAHiddenByteOfOneIsHidden)
{
    for (const u8 hidden : {u8(0), u8(1), u8(2), u8(0xFF)})
    {
        COwnedMemoryMedia media = MediaOf(
            Concat({Bytes({0, 0, 0, 1}), Text("a"), Bytes({14, 0, 0, 0, 9}), Bytes({0, 0, 0, 3, hidden})}));
        CVantleIndexRow row;
        row.Read(media);
        EXPECT_EQ(row.fHidden, hidden == 1) << int(hidden);
        EXPECT_EQ(row.fOffset, 9u);
        EXPECT_EQ(row.fSize, 3u);
        EXPECT_EQ(row.fPackedType, 14u);
        EXPECT_EQ(media.fPosition, 15);
    }
}

TEST(PackageFormat, NamesTakeTheUTF8FormOnlyWhenWindows1252CannotHoldThem)
{
    TTestPackage package;
    package.fInfo.fName = MakeText(u"Стрáнные звуки");
    package.fInfo.fCopyright = MakeText(u"Caf\u00e9 \u00a9");
    package.fEntries = {{MakeText(u"Папка:Звук.korb"), 11, TBytes(3, 0), false},
                        {MakeText(u"Caf\u00e9:Cr\u00e8me.korb"), 11, TBytes(2, 0), false}};
    const TWrittenPackage written = WriteTestPackage(package);
    const TBytes& bytes = written.fBytes;
    EXPECT_EQ(TBytes(bytes.begin() + kVantleInfoOffset, bytes.begin() + kVantleInfoOffset + 9),
              Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xBC, 1, 0, 0, 0}))
        << "a Cyrillic NAME is stored in UTF-8";
    const CVantleInfo info = ReadHeaderOf(bytes);
    EXPECT_EQ(info.fName, package.fInfo.fName);
    EXPECT_EQ(info.fCopyright, package.fInfo.fCopyright);

    // The Cyrillic row name takes the escape, the French one a plain count.
    const u32 expectedCounts[] = {0xFFFFFFFF, 15};
    COwnedMemoryMedia media = MediaOf(bytes);
    media.fPosition = info.fIndexStart;
    for (size_t i = 0; i < package.fEntries.size(); ++i)
    {
        const i64 rowStart = media.fPosition;
        EXPECT_EQ(ReadU32BE(media), expectedCounts[i]);
        media.fPosition = rowStart;
        CVantleIndexRow row;
        row.Read(media);
        EXPECT_EQ(row.fName, package.fEntries[i].fName);
    }
    EXPECT_EQ(media.fPosition, i64(info.fDataStart));
}

TEST(PackageFormat, OlderCreatorHasNoPackageVersionOrDate)
{
    TTestPackage package = FullPackage();
    package.fCreator.fVersion = TVersion{1, 1, 0};
    const TWrittenPackage written = WriteTestPackage(package);
    ASSERT_EQ(written.fInfoEnd, written.fCountsOffset + 12);

    i64 end = 0;
    const CVantleInfo info = ReadHeaderOf(written.fBytes, &end);
    EXPECT_EQ(info.fCreatorVersion, (TVersion{1, 1, 0}));
    EXPECT_EQ(info.fPackageVersion, TVersion{});
    EXPECT_EQ(info.fDate, 0u);
    EXPECT_EQ(info.fName, package.fInfo.fName);
    EXPECT_EQ(info.fIndexStart, written.fInfo.fIndexStart);
    EXPECT_EQ(end, i64(written.fInfoEnd));

    // A 1.2.0 creator of any stage other than the plain release ranks older as well; such a
    // version has no place in a creator block, so the block is read directly.
    COwnedMemoryMedia media =
        MediaOf(TBytes(written.fBytes.begin() + kVantleInfoOffset, written.fBytes.end()));
    CVantleInfo beta;
    beta.fDate = 7;
    beta.Read(TVersion{1, 2, 0, kVersionStageBeta, 1}, media);
    EXPECT_EQ(beta.fDate, 7u) << "the tail is not read and the field keeps its value";
    EXPECT_EQ(media.fPosition, i64(written.fInfoEnd) - kVantleInfoOffset);
}

TEST(PackageFormat, EmptyPackageIsAccepted)
{
    TTestPackage package;
    const TWrittenPackage written = WriteTestPackage(package);
    const CVantleInfo info = ReadHeaderOf(written.fBytes);
    EXPECT_EQ(info.fFileCount, 0u);
    EXPECT_EQ(info.fIndexStart, info.fDataStart);
    EXPECT_EQ(info.fDataStart, written.fBytes.size());
}

// Each damage fails at its own check, shown by its class and by where the failing check left
// the position.
enum class EFailedAt
{
    kMagic,   // 4
    kSize,    // 8
    kCreator, // 264
    kCounts,  // before the file count
    kInfo,    // after the information block
};

i64 PositionAfter(EFailedAt check, const TWrittenPackage& written)
{
    switch (check)
    {
    case EFailedAt::kMagic:
        return 4;
    case EFailedAt::kSize:
        return 8;
    case EFailedAt::kCreator:
        return kVantleInfoOffset;
    case EFailedAt::kCounts:
        return i64(written.fCountsOffset);
    case EFailedAt::kInfo:
        return i64(written.fInfoEnd);
    }
    return -1;
}

struct THeaderDamage
{
    const char* fWhat;
    std::function<void(TTestPackage&)> fChangePackage;
    std::function<void(TWrittenPackage&)> fChangeBytes;
    const std::type_info& fThrown;
    EFailedAt fFailedAt;
};

void SetField(TWrittenPackage& written, size_t field, u32 value)
{
    PatchBE32(written.fBytes, written.fCountsOffset + 4 * field, value);
}
u32 Size(const TWrittenPackage& written)
{
    return u32(written.fBytes.size());
}

const THeaderDamage kHeaderDamages[] = {
    {"magic",
     {},
     [](TWrittenPackage& w) { w.fBytes[3] = 'T'; },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kMagic},
    {"total size one larger",
     {},
     [](TWrittenPackage& w) { PatchBE32(w.fBytes, 4, Size(w) + 1); },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kSize},
    {"total size one smaller",
     {},
     [](TWrittenPackage& w) { PatchBE32(w.fBytes, 4, Size(w) - 1); },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kSize},
    // A wrong tag is found before the wrong major and text that come with it.
    {"tag",
     [](TTestPackage& p) {
         p.fCreator = {0x412BA308, {2, 0, 0}, "Other"};
     },
     {},
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kCreator},
    // A wrong major is found before the wrong text that comes with it.
    {"creator major",
     [](TTestPackage& p)
     {
         p.fCreator.fVersion = {2, 0, 0};
         p.fCreator.fText = "Other";
     },
     {},
     typeid(NSQuorral::XUnsupportedFormat),
     EFailedAt::kCreator},
    {"creator major 0",
     [](TTestPackage& p) {
         p.fCreator.fVersion = {0, 9, 0};
     },
     {},
     typeid(NSQuorral::XUnsupportedFormat),
     EFailedAt::kCreator},
    {"maker text longer",
     [](TTestPackage& p) { p.fCreator.fText += " "; },
     {},
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kCreator},
    {"maker text shorter",
     [](TTestPackage& p) { p.fCreator.fText.pop_back(); },
     {},
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kCreator},
    {"maker text case",
     [](TTestPackage& p) { p.fCreator.fText[0] = 'v'; },
     {},
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kCreator},
    {"empty NAME",
     [](TTestPackage& p) { p.fInfo.fName.clear(); },
     {},
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kInfo},
    {"data start past the end",
     {},
     [](TWrittenPackage& w) { SetField(w, 2, Size(w) + 1); },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kInfo},
    {"index start past the end",
     {},
     [](TWrittenPackage& w)
     {
         SetField(w, 1, Size(w) + 1);
         SetField(w, 2, Size(w));
     },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kInfo},
    {"index after data",
     {},
     [](TWrittenPackage& w) { SetField(w, 1, w.fInfo.fDataStart + 1); },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kInfo},
    {"cut inside the creator block",
     {},
     [](TWrittenPackage& w)
     {
         w.fBytes.resize(100);
         PatchBE32(w.fBytes, 4, 100);
     },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kSize},
    {"cut inside the counts",
     {},
     [](TWrittenPackage& w)
     {
         w.fBytes.resize(w.fCountsOffset + 6);
         PatchBE32(w.fBytes, 4, Size(w));
     },
     typeid(NSQuorral::XFormatViolation),
     EFailedAt::kCounts},
};

TEST(PackageFormat, EachDamagedHeaderFailsAtItsOwnCheck)
{
    for (const THeaderDamage& damage : kHeaderDamages)
    {
        SCOPED_TRACE(damage.fWhat);
        TTestPackage package = FullPackage();
        if (damage.fChangePackage)
            damage.fChangePackage(package);
        TWrittenPackage written = WriteTestPackage(package);
        if (damage.fChangeBytes)
            damage.fChangeBytes(written);

        COwnedMemoryMedia media = MediaOf(written.fBytes);
        CVantleInfo info;
        try
        {
            ReadVantleHeader(info, media);
            ADD_FAILURE() << "accepted";
        }
        catch (const std::exception& e)
        {
            EXPECT_TRUE(typeid(e) == damage.fThrown) << typeid(e).name();
            EXPECT_STREQ(e.what(), "");
            EXPECT_EQ(media.fPosition, PositionAfter(damage.fFailedAt, written));
        }
    }
}
} // namespace
