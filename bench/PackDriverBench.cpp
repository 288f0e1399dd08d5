// Packs a source folder headlessly through the pack driver and measures it: every alert is
// answered by its default button and printed, each phase is printed with its wall time.
//
// Usage: pack_driver_bench SOURCE_FOLDER OUTPUT_FOLDER (Windows paths)
// Prints: one line per alert, "phase P seconds T" per phase, then "package PATH", "log PATH"
// (or "log none"), "seconds T" for the whole pack and "peak_working_set_mb M".
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "bench/PeakMemory.h"
#include "content/package/VantleInfo.h"
#include "content/vfs/ItemDatabase.h"
#include "dlls/trellis/TrellisHeadless.h"
#include "filelib/FileLibWrappers.h"
#include "gui/TrellisInterface.h"
#include "packing/PackDriver.h"

#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace
{
using TClock = std::chrono::steady_clock;

double SecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double>(TClock::now() - start).count();
}

class CPrintingProgress final : public NSVantlePacking::IVantlePackingProgress
{
public:
    void BeginPhase(TPackJobHandle&, u32, u64) override { fPhaseStart = TClock::now(); }
    void Item(TPackJobHandle&, u64, const CSourceNode*, const NSTextPackage::TUTF16String&) override {}
    void EndPhase(TPackJobHandle&, u32 phase) override
    {
        std::printf("phase %u seconds %.3f\n", phase, SecondsSince(fPhaseStart));
    }

private:
    TClock::time_point fPhaseStart = TClock::now();
};

void PrintAlerts()
{
    u32 count = 0;
    TrellisHeadless_CountRecords(&count);
    for (u32 i = 0; i < count; ++i)
    {
        static TTrellisHeadlessRecord record{};
        TrellisHeadless_GetRecord(i, &record);
        std::printf("alert [%s] %s\n", NSTextPackage::UTF16ToUTF8(record.fAlert.fTitle).c_str(),
                    NSTextPackage::UTF16ToUTF8(record.fAlert.fMessage).c_str());
    }
}

// The newest packing log of the folder; "none" when it holds none.
std::string FindNewestLog(const wchar_t* folder)
{
    std::filesystem::path newest;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().wstring().find(L" packing log ") != std::wstring::npos &&
            (newest.empty() || entry.last_write_time() > std::filesystem::last_write_time(newest)))
            newest = entry.path();
    return newest.empty() ? "none" : NSTextPackage::UTF16ToUTF8(NSTextPackage::FromWide(newest.c_str()));
}

NSTextPackage::TUTF16String FolderPath(const wchar_t* path)
{
    std::wstring text(path);
    if (!text.empty() && text.back() != L'\\')
        text += L'\\';
    return NSTextPackage::FromWide(text.c_str());
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: pack_driver_bench SOURCE_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CreateTrellisInterface();
    TrellisHeadless_Enable(1);
    int status = 0;
    try
    {
        CItemDatabase database;
        gItemDatabase = &database;
        const NSFileLibSupport::TDirSpecPtr source =
            NSFileLibSupport::DirSpecFromWinPath(FolderPath(argv[1]));
        const NSFileLibSupport::TDirSpecPtr output =
            NSFileLibSupport::DirSpecFromWinPath(FolderPath(argv[2]));
        CVantleInfo info;
        std::shared_ptr<NSFerrant::CVRAMBitmap> splash;
        const auto outputFile = std::make_shared<NSFileLibSupport::CRobustFileSpec>(
            output.get(), NSTextPackage::FromUTF8("pack_driver_bench.vtl"));
        CPrintingProgress progress;
        const TClock::time_point start = TClock::now();
        try
        {
            NSVantlePacking::PackVantle(source, outputFile, info, splash, 0, &progress);
        }
        catch (const NSQuorral::XSilentAbort&)
        {
            status = 1;
        }
        const double seconds = SecondsSince(start);
        PrintAlerts();
        std::printf("package %s\n", NSTextPackage::UTF16ToUTF8(NSFileLibSupport::GetDirWinPath(output.get()) +
                                                               outputFile->GetFileName())
                                        .c_str());
        std::printf("log %s\nseconds %.3f\npeak_working_set_mb %.1f\n", FindNewestLog(argv[2]).c_str(),
                    seconds, NSBench::PeakWorkingSetMB());
        gItemDatabase = nullptr;
    }
    catch (const std::exception& failure)
    {
        PrintAlerts();
        std::fprintf(stderr, "pack failed: %s\n", failure.what());
        status = 1;
    }
    TrellisHeadless_Enable(0);
    ReleaseTrellisInterface();
    return status;
}
