// The pack driver end to end, without a window: real source folders made by the fixture script,
// the real GUI library answering alerts from a queue, a progress object that records the phases
// and can stop the pack anywhere.
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "filelib/FileLibWrappers.h"
#include "packing/PackDriver.h"
#include "packing/PackJob.h"
#include "tests/content/vfs/ContentTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace
{
using NSContentTests::Text;
using NSTextPackage::TUTF16String;
namespace fs = std::filesystem;

std::string Narrow(const TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

std::string Narrow(const u16* text)
{
    return Narrow(TUTF16String(text));
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Records the phases begun and ended; stops the pack (as the user's Stop does) at the first
// progress call of a chosen phase, or at a chosen item of it.
class CRecordingProgress final : public NSVantlePacking::IVantlePackingProgress
{
public:
    void BeginPhase(TPackJobHandle&, u32 phase, u64) override
    {
        fPhases.push_back(phase);
        StopIfAsked(phase, 0, true);
    }
    void Item(TPackJobHandle&, u64, const CSourceNode*, const TUTF16String&) override
    {
        ++fItemsInPhase;
        StopIfAsked(fPhases.back(), fItemsInPhase, false);
    }
    void EndPhase(TPackJobHandle&, u32 phase) override
    {
        fEnded.push_back(phase);
        fItemsInPhase = 0;
    }

    std::vector<u32> fPhases;
    std::vector<u32> fEnded;
    // Stop at the phase's start, or at its nth item when fStopItem is not 0.
    std::optional<u32> fStopPhase;
    u64 fStopItem = 0;

private:
    void StopIfAsked(u32 phase, u64 item, bool atBegin)
    {
        if (!fStopPhase || *fStopPhase != phase || (atBegin != (fStopItem == 0)) || (!atBegin && item != fStopItem))
            return;
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XSilentAbort("User aborted"));
    }
    u64 fItemsInPhase = 0;
};

std::vector<std::string> gOpenedLogs;

void RecordOpenedLog(const NSFileLibSupport::TFileSpecPtr& log)
{
    gOpenedLogs.push_back(Narrow(NSFileLibSupport::GetFileWinPath(log.get())));
}

struct TShownAlert
{
    std::string fTitle;
    std::string fMessage;
};

// The alerts shown, for failure messages.
std::string Describe(const std::vector<TShownAlert>& alerts)
{
    std::string text;
    for (const TShownAlert& alert : alerts)
        text += "[" + alert.fTitle + "] " + alert.fMessage + "\n";
    return text;
}

class PackVantleTest : public NSContentTests::CItemTest
{
protected:
    void SetUp() override
    {
        CItemTest::SetUp();
        ASSERT_EQ(TrellisHeadless_Enable(1), 12000u);
        fPreviousOpener = NSVantlePacking::SetLogOpener(&RecordOpenedLog);
        gOpenedLogs.clear();
        MakeFolder("Out");
    }
    void TearDown() override
    {
        NSVantlePacking::SetLogOpener(fPreviousOpener);
        TrellisHeadless_Enable(0);
        CItemTest::TearDown();
    }

    // Copies a source folder of the fixture script into the scratch folder as "Source".
    void UseSource(const std::string& name)
    {
        fs::copy(fs::path("Z:" + std::string(VANTLE_PACK_FIXTURE_DIR)) / name, Scratch().Path() / "Source",
                 fs::copy_options::recursive);
    }
    fs::path Out() const { return Scratch().Path() / "Out"; }
    fs::path Package() const { return Out() / "Test Bank.vtl"; }

    // Runs the pack; answers whether it returned normally (a failure must be a silent abort).
    bool Pack(NSVantlePacking::IVantlePackingProgress* progress)
    {
        const auto output = std::make_shared<NSFileLibSupport::CRobustFileSpec>(
            NSFileLibSupport::DirSpecFromWinPath(FolderPath("Out")).get(), Text("Test Bank.vtl"));
        try
        {
            NSVantlePacking::PackVantle(NSFileLibSupport::DirSpecFromWinPath(FolderPath("Source")), output, fInfo,
                                        fSplash, 0, progress);
            return true;
        }
        catch (const NSQuorral::XSilentAbort& abort)
        {
            EXPECT_STREQ(abort.what(), "");
            return false;
        }
    }

    static std::vector<TShownAlert> Alerts()
    {
        u32 count = 0;
        EXPECT_EQ(TrellisHeadless_CountRecords(&count), 12000u);
        std::vector<TShownAlert> alerts;
        for (u32 i = 0; i < count; ++i)
        {
            TTrellisHeadlessRecord record{};
            EXPECT_EQ(TrellisHeadless_GetRecord(i, &record), 12000u);
            alerts.push_back({Narrow(record.fAlert.fTitle), Narrow(record.fAlert.fMessage)});
        }
        return alerts;
    }

    std::vector<std::string> OutputNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Out()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<fs::path> Logs() const
    {
        std::vector<fs::path> logs;
        for (const auto& entry : fs::directory_iterator(Out()))
            if (entry.path().filename().string().find(" packing log ") != std::string::npos)
                logs.push_back(entry.path());
        std::sort(logs.begin(), logs.end());
        return logs;
    }

    std::string LogTexts() const
    {
        std::string text;
        for (const fs::path& log : Logs())
            text += ReadAll(log);
        return text;
    }

    CVantleInfo fInfo;
    std::shared_ptr<NSFerrant::CVRAMBitmap> fSplash;
    NSVantlePacking::TLogOpener fPreviousOpener = nullptr;
};

TEST_F(PackVantleTest, ACleanPackReportsTheFilesAddedAndWritesACompleteLog)
{
    UseSource("clean");
    CRecordingProgress progress;
    ASSERT_TRUE(Pack(&progress)) << Describe(Alerts()) << LogTexts();
    EXPECT_EQ(progress.fPhases, (std::vector<u32>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(progress.fEnded, progress.fPhases);
    const std::vector<TShownAlert> alerts = Alerts();
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].fTitle, "Pack complete");
    EXPECT_EQ(alerts[0].fMessage, "The Vantle file has been packed successfully! 9 files were added.");
    EXPECT_EQ(fInfo.fFileCount, 9u);
    EXPECT_EQ(Narrow(fInfo.fName), "Test Bank");
    ASSERT_TRUE(fSplash);
    const std::vector<fs::path> logs = Logs();
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(ReadAll(logs[0]), "Packing complete\r\n");
    EXPECT_EQ(OutputNames().size(), 2u);
    EXPECT_TRUE(fs::exists(Package()));
}
} // namespace
