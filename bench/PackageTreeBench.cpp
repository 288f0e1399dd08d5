// Measures opening a large package as a folder and walking its whole entry tree through the item
// database in one batch: the time, the peak working set and the file reads made (counted at the
// file library's replaceable ReadFile).
//
// Usage: package_tree_bench WORK_DIR [ENTRIES] (a Windows path; the package is generated there
// when missing, 100000 entries by default, spread over 10 root folders of 100 folders each)
// Prints: entries N items I seconds T items_per_second R peak_before_mb B peak_after_mb A
//         read_calls C read_mb M peak_goal_mb 64 PASS|MISS
// The run that generates the package reports a higher peak before the walk. The goal is a peak
// of at most 64 MB for the default 100,000 entries.
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "bench/CountedReads.h"
#include "bench/ItemWalk.h"
#include "bench/PeakMemory.h"
#include "content/folders/ContentItemClasses.h"
#include "content/package/PackedFileTypes.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibWrappers.h"
#include "tests/support/VantlePackageWriter.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace
{
constexpr unsigned kRootFolders = 10;
constexpr unsigned kFoldersPerRoot = 100;
constexpr double kPeakGoalMB = 64;

void GeneratePackage(const std::filesystem::path& path, unsigned entries)
{
    NSTestSupport::TTestPackage package;
    package.fEntries.reserve(entries);
    const unsigned perFolder = std::max(1u, entries / (kRootFolders * kFoldersPerRoot));
    for (unsigned i = 0; i < entries; ++i)
    {
        const unsigned folder = i / perFolder;
        const std::string name = "Root" + std::to_string(folder / kFoldersPerRoot % kRootFolders) +
                                 ":Folder" + std::to_string(folder % kFoldersPerRoot) + ":Sample" +
                                 std::to_string(i) + ".wav";
        package.fEntries.push_back(
            {NSTextPackage::UTF8ToUTF16(name), kPackedTypeRaw, NSTestSupport::TBytes(16, u8(i)), false});
    }
    const NSTestSupport::TBytes bytes = NSTestSupport::WriteTestPackage(package).fBytes;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 && argc != 3)
    {
        std::fprintf(stderr, "usage: package_tree_bench WORK_DIR [ENTRIES]\n");
        return 2;
    }
    const unsigned entries = argc == 3 ? static_cast<unsigned>(std::wcstoul(argv[2], nullptr, 10)) : 100000;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try
    {
        const std::filesystem::path path =
            std::filesystem::path(argv[1]) / ("entries-" + std::to_string(entries) + ".vtl");
        if (!std::filesystem::exists(path))
            GeneratePackage(path, entries);

        const NSVirtualFS::CContentItemClassesInUse itemClasses;
        CItemDatabase database;
        gItemDatabase = &database;
        unsigned long long items = 0;
        double seconds = 0;
        const double peakBefore = NSBench::PeakWorkingSetMB();
        {
            const CWin32CallsOverride counting(NSBench::CountingReadCalls());
            const CItemDatabaseBatch batch;
            const auto start = std::chrono::steady_clock::now();
            const CItemPtr package =
                GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(path.c_str())));
            if (!package->IsFolder())
                throw std::runtime_error("the package does not open as a folder");
            items = NSBench::WalkItemTree(package);
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        const double peakAfter = NSBench::PeakWorkingSetMB();
        std::printf(
            "entries %u items %llu seconds %.3f items_per_second %.0f peak_before_mb %.1f peak_after_mb %.1f "
            "read_calls %llu read_mb %.1f peak_goal_mb %.0f %s\n",
            entries, items, seconds, seconds > 0 ? double(items) / seconds : 0.0, peakBefore, peakAfter,
            NSBench::gReadCounts.fCalls, double(NSBench::gReadCounts.fBytes) / (1024.0 * 1024.0), kPeakGoalMB,
            peakAfter <= kPeakGoalMB ? "PASS" : "MISS");
        gItemDatabase = nullptr;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
