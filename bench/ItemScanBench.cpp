// Measures a walk of a folder tree through the item database in one batch, as a pack scans its
// source folder: every folder listed and every item made and registered.
//
// Usage: item_scan_bench WORK_DIR [FILES FOLDERS] (a Windows path; the tree is generated there
// when missing, 50000 files in 500 folders by default)
// Prints: items N seconds T items_per_second R notifications_held H process_handles P
//         notifications_after_rebuild H2
#include "base/UTF16String.h"
#include "bench/ItemWalk.h"
#include "content/vfs/ItemDatabase.h"
#include "content/vfs/ShellFileCalls.h"
#include "filelib/FileLibWrappers.h"

#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
void GenerateTree(const std::filesystem::path& root, unsigned files, unsigned folders)
{
    for (unsigned folder = 0; folder < folders; ++folder)
    {
        const std::filesystem::path folderPath = root / ("folder" + std::to_string(folder));
        std::filesystem::create_directories(folderPath);
        for (unsigned file = folder; file < files; file += folders)
            std::ofstream(folderPath / ("sample" + std::to_string(file) + ".wav"), std::ios::binary) << "RIFF";
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 && argc != 4)
    {
        std::fprintf(stderr, "usage: item_scan_bench WORK_DIR [FILES FOLDERS]\n");
        return 2;
    }
    const unsigned files = argc == 4 ? static_cast<unsigned>(std::wcstoul(argv[2], nullptr, 10)) : 50000;
    const unsigned folders = argc == 4 ? static_cast<unsigned>(std::wcstoul(argv[3], nullptr, 10)) : 500;
    if (folders == 0)
        return 2;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try
    {
        const std::filesystem::path root = std::filesystem::path(argv[1]) /
                                           ("tree-" + std::to_string(files) + "-" + std::to_string(folders));
        if (!std::filesystem::exists(root))
            GenerateTree(root, files, folders);

        CItemDatabase database;
        gItemDatabase = &database;
        unsigned long long items = 0;
        double seconds = 0;
        {
            const CItemDatabaseBatch batch;
            const auto start = std::chrono::steady_clock::now();
            std::wstring folderPath = root.wstring() + L"\\";
            items = NSBench::WalkItemTree(GetItemForFolder(
                NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromWide(folderPath.c_str()))));
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        const unsigned held = NSVirtualFS::CFolderChangeNotification::GetOpenCount();
        DWORD processHandles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &processHandles);
        database.RebuildCache();
        std::printf("items %llu seconds %.3f items_per_second %.0f notifications_held %u process_handles %lu "
                    "notifications_after_rebuild %u\n",
                    items, seconds, seconds > 0 ? items / seconds : 0.0, held, processHandles,
                    NSVirtualFS::CFolderChangeNotification::GetOpenCount());
        gItemDatabase = nullptr;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
