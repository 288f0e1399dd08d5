// Completing the package and writing the log move their data in few calls: a file system sees the
// log in 64 KiB pieces, not one call per line, and never sees the packed data copied.
#include "packing/PackageFileNames.h"
#include "packing/PackageFilePhases.h"
#include "packing/PackingLog.h"
#include "tests/packing/SourceFolderFixture.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace
{
using namespace NSPackingTests;
using NSTestSupport::CPieceRecordingMedia;
using TPieces = std::vector<std::pair<i64, i64>>;

constexpr i64 kPieceBytes = 64 * 1024;

using LargePieceTest = CSourceFolderTest;

// The packed data is written once, at its place, while the entries are packed: composing the
// package writes only the header's final values and the size word before the data, and reads
// nothing.
TEST_F(LargePieceTest, ComposingThePackageWritesNoPackedData)
{
    TPackJobHandle job = MakeJob();
    // The package's file under its temporary name, where it stays until it has been checked.
    const std::string temporaryName =
        TextOf(NSVantlePacking::MakeTemporaryPackageFileName(job->fOutputFileName));
    std::ofstream(Scratch().Path() / temporaryName, std::ios::binary) << "header";

    constexpr i64 kHeaderBytes = 600;
    constexpr i64 kDataBytes = 3 * kPieceBytes + 1000;
    auto output = std::make_unique<CPieceRecordingMedia>(kHeaderBytes + kDataBytes,
                                                         std::vector<u8>(kHeaderBytes + kDataBytes, 2).data());
    const auto pieces = output->fPieces;
    job->fOutputMedia = std::move(output);
    job->fInfo.fDataStart = u32(kHeaderBytes);

    NSVantlePacking::CompletePackageHeader(job, nullptr);

    EXPECT_TRUE(pieces->fReads.empty());
    ASSERT_FALSE(pieces->fWrites.empty());
    for (const auto& [offset, size] : pieces->fWrites)
        EXPECT_LE(offset + size, kHeaderBytes) << "a write at " << offset << " of " << size << " bytes";
    EXPECT_NE(std::find(pieces->fWrites.begin(), pieces->fWrites.end(), std::pair<i64, i64>(4, 4)),
              pieces->fWrites.end())
        << "the size word";
    EXPECT_FALSE(std::filesystem::exists(Scratch().Path() / "Bank.vtl"));
    EXPECT_TRUE(std::filesystem::exists(Scratch().Path() / temporaryName));
}

TEST_F(LargePieceTest, TheLogIsWrittenIn64KiBPieces)
{
    const TPackJobHandle job = MakeJob();
    // One file with enough distinct unresolved references to fill three pieces.
    TReferencesByNode unresolved;
    TReferenceList& references = unresolved[NodeAt(*job, "Song.sng")];
    for (int i = 0; i < 4000; ++i)
    {
        CSF10ReferenceChunk reference = BlankReference();
        reference.fUserFriendlyName =
            THashedString(Text("A sample with a rather long name, number " + std::to_string(i)));
        references.push_back(reference);
    }
    const TReferencesByNode none;
    const TSourceNodeSet noNodes;
    const TReferencesByIndexRow noRows;
    const TDeviceNamesByNode noDevices;
    const std::vector<NSTextPackage::TUTF16String> noFiles;
    const NSVantlePacking::TPackingLogContents contents{unresolved, none,      noNodes, noFiles, noRows,
                                                        noDevices,  {},        {},      {},      0};
    CPieceRecordingMedia log(0);
    NSVantlePacking::WriteLogBody(log, Root(), contents);
    ASSERT_GT(log.GetSize(), 2 * kPieceBytes);
    const TPieces& writes = log.fPieces->fWrites;
    // A piece is written once it has grown past 64 KiB: whole lines, never less.
    i64 offset = 0;
    for (std::size_t i = 0; i < writes.size(); ++i)
    {
        EXPECT_EQ(writes[i].first, offset) << "piece " << i;
        if (i + 1 < writes.size())
        {
            EXPECT_GE(writes[i].second, kPieceBytes) << "piece " << i;
        }
        offset += writes[i].second;
    }
    EXPECT_EQ(offset, log.GetSize());
    EXPECT_LE(writes.size(), std::size_t(log.GetSize() / kPieceBytes + 1));
}
} // namespace
