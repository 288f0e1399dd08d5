// The package reader over package files: probing, walking the index and the entries' media.
#include "content/package/PackedFileTypes.h"
#include "content/package/VantleHeader.h"
#include "content/package/VantleIndexRow.h"
#include "content/package/VantleReader.h"
#include "base/ExceptionClasses.h"
#include "base/Media.h"
#include "tests/filelib/FileLibDouble.h"
#include "tests/filelib/ScratchFolder.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"
#include "tests/support/VantlePackageWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

using namespace NSFerrant;
using namespace NSTestSupport;
using NSFileLibSupport::TFileSpecPtr;
using NSFileLibTests::CScratchFolder;

namespace
{
const TBytes kPatch = Text("a patch that is stored compressed, a patch that is stored compressed");

TTestPackage ThreeEntries()
{
    TTestPackage package;
    package.fEntries = {
        {MakeText(u"Drums:Kick.korb"), kPackedTypeKORB, Text("kick bytes"), false},
        {MakeText(u"Patches:Pad.brd"), kPackedTypeBraiderPatch, FrameCompressedEntry(kPatch), true},
        {MakeText(u"Empty.mid"), kPackedTypeMIDI, TBytes(), false}};
    return package;
}

// A package file in a scratch folder, and the reader's view of it.
class CPackageFile
{
public:
    explicit CPackageFile(const TBytes& bytes, const std::string& name = "test.vtl")
    {
        fFolder.WriteFile(name, bytes);
        fSpec = NSFileLibSupport::GetChildFile(fFolder.Spec(),
                                               NSTextPackage::TUTF16String(name.begin(), name.end()));
    }
    const TFileSpecPtr& Spec() const { return fSpec; }

private:
    CScratchFolder fFolder;
    TFileSpecPtr fSpec;
};

struct TVisit
{
    CVantleEntryLocation fLocation;
    CVantleIndexRow fRow;
};

// Records every row; answers what the callback answers (true without one).
class CRecordingVisitor : public IVantleEntryVisitor
{
public:
    explicit CRecordingVisitor(std::function<bool(const CVantleEntryLocation&)> onVisit = {})
        : fOnVisit(onVisit)
    {
    }

    bool Visit(const CVantleEntryLocation& location, const CVantleIndexRow& row) override
    {
        fVisits.push_back({location, row});
        return fOnVisit ? fOnVisit(location) : true;
    }

    std::vector<TVisit> fVisits;

private:
    std::function<bool(const CVantleEntryLocation&)> fOnVisit;
};

TEST(PackageReader, WalksTheIndexAndOpensEveryEntry)
{
    const TTestPackage package = ThreeEntries();
    const TWrittenPackage written = WriteTestPackage(package);
    const CPackageFile file(written.fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindAlternate);
    EXPECT_EQ(reader.GetData()->GetKind(), u32(kVantleKindAlternate));
    EXPECT_EQ(reader.GetData()->GetInfo(), written.fInfo);

    CRecordingVisitor visitor;
    reader.VisitEntries(visitor);
    ASSERT_EQ(visitor.fVisits.size(), 3u);
    u64 rowOffset = written.fInfo.fIndexStart;
    u32 dataOffset = 0;
    for (size_t i = 0; i < 3; ++i)
    {
        SCOPED_TRACE(i);
        const TTestEntry& entry = package.fEntries[i];
        const TVisit& visit = visitor.fVisits[i];
        EXPECT_EQ(visit.fRow, (CVantleIndexRow{entry.fName, dataOffset, u32(entry.fBytes.size()),
                                               entry.fHidden, entry.fPackedType}));
        EXPECT_EQ(visit.fLocation.fData, reader.GetData());
        EXPECT_EQ(visit.fLocation.fRowOffset, rowOffset);
        EXPECT_EQ(visit.fLocation.fOffset, dataOffset);
        EXPECT_EQ(visit.fLocation.fSize, entry.fBytes.size());
        EXPECT_EQ(visit.fLocation.fHidden, entry.fHidden);
        EXPECT_EQ(visit.fLocation.fPackedType, entry.fPackedType);
        rowOffset += 4 + entry.fName.size() + 10;
        dataOffset += u32(entry.fBytes.size());
    }

    EXPECT_EQ(BytesOf(*OpenEntryMedia(visitor.fVisits[0].fLocation)), Text("kick bytes"));
    const std::shared_ptr<CMedia> patch = OpenEntryMedia(visitor.fVisits[1].fLocation);
    EXPECT_EQ(BytesOf(*patch), kPatch) << "the compressed entry is inflated";
    EXPECT_EQ(patch->fPosition, 0);
    const std::shared_ptr<CMedia> empty = OpenEntryMedia(visitor.fVisits[2].fLocation);
    EXPECT_EQ(empty->GetSize(), 0);
    EXPECT_EQ(empty->fPosition, 0);
}

TEST(PackageReader, WholePackageMediaStartsAtThePackagePosition)
{
    const TWrittenPackage written = WriteTestPackage(ThreeEntries());
    const CPackageFile file(written.fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindStandard);
    reader.GetData()->GetMedia().fPosition = 20;
    const std::shared_ptr<CMedia> whole = reader.OpenMedia();
    EXPECT_EQ(whole->fPosition, 20);
    EXPECT_EQ(BytesOf(*whole), written.fBytes);
    u8 beyond = 0;
    EXPECT_THROW(whole->Read(whole->GetSize(), 1, &beyond), NSQuorral::XRead);
}

TEST(PackageReader, EmptyPackageVisitsNothing)
{
    const CPackageFile file(WriteTestPackage(TTestPackage()).fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindStandard);
    CRecordingVisitor visitor;
    reader.VisitEntries(visitor);
    EXPECT_TRUE(visitor.fVisits.empty());
}

// Damages the first index row's size field: the rows' names are one character long.
void SetFirstRowSize(TWrittenPackage& written, u32 size)
{
    PatchBE32(written.fBytes, written.fInfo.fIndexStart + 4 + 1 + 5, size);
}

TTestPackage OneCharacterNames()
{
    TTestPackage package;
    package.fEntries = {{MakeText(u"a"), kPackedTypeRaw, Text("first"), false},
                        {MakeText(u"b"), kPackedTypeRaw, Text("second"), false}};
    return package;
}

TEST(PackageReader, AVisitorAnsweringFalseEndsTheWalkAfterOneRow)
{
    // The second row is damaged: reading it would fail.
    TWrittenPackage written = WriteTestPackage(OneCharacterNames());
    PatchBE32(written.fBytes, written.fInfo.fIndexStart + 15 + 4 + 1 + 5, 1000);
    const CPackageFile file(written.fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindStandard);
    CRecordingVisitor visitor([](const CVantleEntryLocation&) { return false; });
    reader.VisitEntries(visitor);
    EXPECT_EQ(visitor.fVisits.size(), 1u);
}

TEST(PackageReader, AVisitorReadingEntriesDoesNotDisturbTheWalk)
{
    const TTestPackage package = ThreeEntries();
    const CPackageFile file(WriteTestPackage(package).fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindStandard);
    std::vector<TBytes> contents;
    CRecordingVisitor visitor(
        [&](const CVantleEntryLocation& location)
        {
            contents.push_back(BytesOf(*OpenEntryMedia(location)));
            CMedia& packageMedia = location.fData->GetMedia();
            packageMedia.fPosition = 3;
            ReadU32BE(packageMedia);
            reader.OpenMedia()->fPosition = 0;
            return true;
        });
    reader.VisitEntries(visitor);
    ASSERT_EQ(visitor.fVisits.size(), 3u);
    EXPECT_EQ(contents, (std::vector<TBytes>{Text("kick bytes"), kPatch, TBytes()}));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(visitor.fVisits[i].fRow.fName, package.fEntries[i].fName);
}

TEST(PackageReader, RowsAndEntriesOutsideThePackageAreRefused)
{
    struct Case
    {
        const char* fWhat;
        std::function<void(TWrittenPackage&)> fDamage;
        size_t fRowsVisited;
    };
    const Case kCases[] = {
        {"entry one byte past the end", [](TWrittenPackage& w) { SetFirstRowSize(w, 5 + 6 + 1); }, 0},
        {"entry size near 4 GB", [](TWrittenPackage& w) { SetFirstRowSize(w, 0xFFFFFFFF); }, 0},
        {"second entry's offset past the end",
         [](TWrittenPackage& w) { PatchBE32(w.fBytes, w.fInfo.fIndexStart + 15 + 4 + 1 + 1, 0xFFFFFFF0); },
         1},
        {"one row more than the index holds",
         [](TWrittenPackage& w) { PatchBE32(w.fBytes, w.fCountsOffset, 3); }, 2},
        {"index ends inside a row",
         [](TWrittenPackage& w) { PatchBE32(w.fBytes, w.fCountsOffset + 8, w.fInfo.fDataStart - 1); }, 1},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        TWrittenPackage written = WriteTestPackage(OneCharacterNames());
        c.fDamage(written);
        const CPackageFile file(written.fBytes);
        const CVantleReader reader(file.Spec(), kVantleKindStandard);
        CRecordingVisitor visitor;
        EXPECT_THROW(reader.VisitEntries(visitor), NSQuorral::XFormatViolation);
        EXPECT_EQ(visitor.fVisits.size(), c.fRowsVisited);
    }

    // A location made by hand is checked as well.
    const TWrittenPackage written = WriteTestPackage(OneCharacterNames());
    const CPackageFile file(written.fBytes);
    const CVantleReader reader(file.Spec(), kVantleKindStandard);
    const CVantleEntryLocation inside{reader.GetData(), 0, 5, 6, false, kPackedTypeRaw};
    EXPECT_EQ(BytesOf(*OpenEntryMedia(inside)), Text("second"));
    for (const CVantleEntryLocation& outside :
         {CVantleEntryLocation{reader.GetData(), 0, 5, 7, false, kPackedTypeRaw},
          CVantleEntryLocation{reader.GetData(), 0, 12, 0, false, kPackedTypeRaw},
          CVantleEntryLocation{reader.GetData(), 0, 0xFFFFFFFF, 0xFFFFFFFF, false, kPackedTypeBraiderPatch}})
        EXPECT_THROW(OpenEntryMedia(outside), NSQuorral::XFormatViolation) << outside.fOffset;
}

TEST(PackageReader, MediaOutliveTheReaderTheLocationAndTheData)
{
    const TWrittenPackage written = WriteTestPackage(ThreeEntries());
    const CPackageFile file(written.fBytes);
    std::shared_ptr<CMedia> kick;
    std::shared_ptr<CMedia> patch;
    std::shared_ptr<CMedia> whole;
    std::weak_ptr<CVantleData> data;
    {
        const CVantleReader reader(file.Spec(), kVantleKindStandard);
        CRecordingVisitor visitor;
        reader.VisitEntries(visitor);
        kick = OpenEntryMedia(visitor.fVisits[0].fLocation);
        patch = OpenEntryMedia(visitor.fVisits[1].fLocation);
        whole = reader.OpenMedia();
        data = reader.GetData();
    }
    EXPECT_FALSE(data.expired()) << "the windows hold the package open";
    EXPECT_EQ(BytesOf(*kick), Text("kick bytes"));
    EXPECT_EQ(BytesOf(*patch), kPatch);
    EXPECT_EQ(BytesOf(*whole), written.fBytes);
    kick.reset();
    whole.reset();
    EXPECT_TRUE(data.expired()) << "the inflated entry stands alone";
}

// Damaged copies of a small package: each opens with every entry readable, or fails with a
// format failure; never a crash, a read outside the package or an allocation sized by the file.
TEST(PackageReader, DamagedPackagesAreReadOrRefused)
{
    const TWrittenPackage written = WriteTestPackage(ThreeEntries());
    // The total size, the three counts and every row's offset and size are the size fields.
    std::vector<size_t> sizeFields = {4, written.fCountsOffset, written.fCountsOffset + 4,
                                      written.fCountsOffset + 8};
    size_t row = written.fInfo.fIndexStart;
    for (const TTestEntry& entry : ThreeEntries().fEntries)
    {
        const size_t tail = row + 4 + entry.fName.size();
        sizeFields.insert(sizeFields.end(), {tail + 1, tail + 5});
        row = tail + 10;
    }
    CByteMutator mutator(23, EFieldOrder::kBigEndian, sizeFields);
    int read = 0;
    for (int round = 0; round < 150; ++round)
    {
        SCOPED_TRACE(round);
        const CPackageFile file(mutator.Mutate(written.fBytes));
        read += ReadsOrRefuses<NSQuorral::XFormatViolation, NSQuorral::XUnsupportedFormat>(
            [&]
            {
                const CVantleReader reader(file.Spec(), kVantleKindStandard);
                CRecordingVisitor visitor(
                    [](const CVantleEntryLocation& location)
                    {
                        BytesOf(*OpenEntryMedia(location));
                        return true;
                    });
                reader.VisitEntries(visitor);
            });
    }
    EXPECT_GT(read, 0);
    EXPECT_LT(read, 150);
}

TEST(PackageReader, ProbeAnswersWhetherAFileIsAReadablePackage)
{
    const TBytes package = WriteTestPackage(ThreeEntries()).fBytes;
    struct Case
    {
        const char* fWhat;
        TBytes fBytes;
        bool fPackage;
    };
    const Case kCases[] = {
        {"package", package, true},
        {"text file", Text("Vantle packages are made by the packer.\r\n"), false},
        {"empty file", TBytes(), false},
        {"magic only", Text("Vant"), false},
        {"truncated package", TBytes(package.begin(), package.end() - 1), false},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fWhat);
        const CPackageFile file(c.fBytes);
        EXPECT_EQ(ProbeVantleFile(file.Spec().get()), c.fPackage);
        if (c.fPackage)
            EXPECT_NO_THROW(CVantleReader(file.Spec(), kVantleKindStandard));
        else
            EXPECT_THROW(CVantleReader(file.Spec(), kVantleKindStandard), NSQuorral::XFormatViolation);
    }
}

TEST(PackageReader, UnknownKindIsRefused)
{
    const CPackageFile file(WriteTestPackage(ThreeEntries()).fBytes);
    EXPECT_THROW(CVantleData(file.Spec().get(), 2), std::runtime_error);
    EXPECT_THROW(CVantleReader(file.Spec(), 2), std::runtime_error);
}

// A file library whose files fail to open with the given status.
class CFailingOpenLibrary : public NSFileLibTests::CFileLibDouble
{
public:
    explicit CFailingOpenLibrary(u32 status) : fStatus(status) {}
    NSFileLib::IOpenReadFile* OpenReadFile(NSFileLib::IFileSpec*, u32* status) override
    {
        *status = fStatus;
        return nullptr;
    }

private:
    u32 fStatus;
};

TEST(PackageReader, ProbePassesRunningOutOfHandlesOn)
{
    const auto spec = std::make_shared<NSFileLibTests::CFileSpecDouble>();

    CFailingOpenLibrary outOfHandles(NSFileLib::kFileLibOutOfHandles);
    {
        const NSFileLibTests::CFileLibDoubleScope scope(&outOfHandles);
        EXPECT_THROW(ProbeVantleFile(spec.get()), NSQuorral::XOutOfItems);
        EXPECT_THROW(CVantleReader(spec, kVantleKindStandard), NSQuorral::XOutOfItems);
    }
    CFailingOpenLibrary unreadable(NSFileLib::kFileLibReadFailure);
    {
        const NSFileLibTests::CFileLibDoubleScope scope(&unreadable);
        EXPECT_FALSE(ProbeVantleFile(spec.get()));
        EXPECT_THROW(CVantleReader(spec, kVantleKindStandard), NSQuorral::XFormatViolation);
    }
}
} // namespace
