// Completing the package and writing the log move their data in large pieces: a file system sees
// one call per 64 KiB, not one per line or per small buffer.
#include "packing/PackageFileNames.h"
#include "packing/PackageFilePhases.h"
#include "packing/PackingLog.h"
#include "tests/packing/SourceFolderFixture.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{
using namespace NSPackingTests;
using NSTestSupport::CPieceRecordingMedia;
using TPieces = std::vector<std::pair<i64, i64>>;

constexpr i64 kPieceBytes = 64 * 1024;

// The pieces that lie at or after the offset.
TPieces PiecesFrom(const TPieces& pieces, i64 offset)
{
    TPieces found;
    for (const auto& piece : pieces)
        if (piece.first >= offset)
            found.push_back(piece);
    return found;
}

// Pieces one after another from the offset, each of 64 KiB but the last.
void ExpectLargePieces(const TPieces& pieces, i64 offset, i64 total)
{
    ASSERT_FALSE(pieces.empty());
    for (std::size_t i = 0; i < pieces.size(); ++i)
    {
        EXPECT_EQ(pieces[i].first, offset) << "piece " << i;
        if (i + 1 < pieces.size())
        {
            EXPECT_EQ(pieces[i].second, kPieceBytes) << "piece " << i;
        }
        offset += pieces[i].second;
    }
    EXPECT_EQ(offset, total);
}

using LargePieceTest = CSourceFolderTest;

TEST_F(LargePieceTest, AppendingThePackedDataCopiesItIn64KiBPieces)
{
    TPackJobHandle job = MakeJob();
    // The package's file under its temporary name, where it stays until it has been checked.
    const std::string temporaryName =
        TextOf(NSVantlePacking::MakeTemporaryPackageFileName(job->fOutputFileName));
    std::ofstream(Scratch().Path() / temporaryName, std::ios::binary) << "header";

    constexpr i64 kHeaderBytes = 600;
    constexpr i64 kDataBytes = 3 * kPieceBytes + 1000;
    auto output = std::make_unique<CPieceRecordingMedia>(kHeaderBytes, std::vector<u8>(kHeaderBytes, 1).data());
    auto data = std::make_unique<CPieceRecordingMedia>(kDataBytes, std::vector<u8>(kDataBytes, 2).data());
    const auto written = output->fPieces;
    const auto read = data->fPieces;
    job->fOutputMedia = std::move(output);
    job->fTemporaryDataFile = std::move(data);
    job->fHeaderOffset = 264;

    NSVantlePacking::AppendDataAndRewriteHeader(job, nullptr);

    ExpectLargePieces(read->fReads, 0, kDataBytes);
    ExpectLargePieces(PiecesFrom(written->fWrites, kHeaderBytes), kHeaderBytes, kHeaderBytes + kDataBytes);
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
