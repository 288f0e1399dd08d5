// Packs every WAVE file below a folder, at every depth, through the sample packer into one file
// the way the packing phase fills its data file (samples coded ahead on worker threads, written
// in order) and prints the PCM megabytes packed per second, process to process.
// The files' items come from listings of the folders inside an item-database batch, as the
// packing phases have them from their collect phase; a lookup by path per file would cost more
// than the packing itself under Wine.
//
// Usage: pack_bench FOLDER OUTPUT_FILE
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "bench/ItemWalk.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileMedia.h"
#include "packing/SamplePackAhead.h"

#include <objbase.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <vector>

namespace
{
// Sample files carry no references: nothing is ever relocated.
class CNoRelocator : public IReferenceRelocator
{
public:
    CSF10ReferenceChunk Relocate(const CItemPtr&, const CSF10ReferenceChunk& reference) override { return reference; }
};

// The size of a file's PCM: its "data" chunk (the files are plain WAVE files). Taken from the
// file's attributes by path: the item's own size looks the file up in its folder, which under
// Wine costs more than packing a small sample.
u64 PCMBytes(const CItemPtr& file)
{
    constexpr u64 kPlainWAVEHeader = 44;
    const std::wstring path =
        NSTextPackage::AsWide(NSFileLibSupport::GetFileWinPath(file->GetFileSpec().get()));
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes))
        return 0;
    const u64 size = (u64(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    return size > kPlainWAVEHeader ? size - kPlainWAVEHeader : 0;
}

bool IsWAVEFile(const CItemPtr& item)
{
    const std::filesystem::path name(NSTextPackage::AsWide(item->GetName()));
    return item->IsRegularFile() && _wcsicmp(name.extension().c_str(), L".wav") == 0;
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: pack_bench FOLDER OUTPUT_FILE\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try
    {
        const auto start = std::chrono::steady_clock::now();
        CItemDatabase database;
        gItemDatabase = &database;
        const std::filesystem::path output(argv[2]);
        const std::wstring outputFolderPath = output.parent_path().wstring() + L"\\";
        const NSFileLibSupport::TDirSpecPtr outputFolder =
            NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromWide(outputFolderPath.c_str()));
        std::wstring input(argv[1]);
        if (input.empty() || input.back() != L'\\')
            input += L'\\';
        std::size_t fileCount = 0;
        u64 pcm = 0;
        double finding = 0;
        double packing = 0;
        {
            const CItemDatabaseBatch batch;
            std::vector<CItemPtr> files;
            NSBench::WalkItemTree(
                GetItemForFolder(NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromWide(input.c_str()))),
                [&](const CItemPtr& item) {
                    if (IsWAVEFile(item))
                        files.push_back(item);
                });
            fileCount = files.size();
            finding = SecondsSince(start);
            NSFileLibSupport::COpenFile destination(outputFolder.get(),
                                                    NSTextPackage::FromWide(output.filename().wstring().c_str()), 0, 0);
            // The sizes the packing phase has from the verifying phase before it.
            NSVantlePacking::TSourceFileSizes sizes;
            for (const CItemPtr& item : files)
            {
                pcm += PCMBytes(item);
                sizes[item.Get()] = item->GetSize();
            }
            const auto packStart = std::chrono::steady_clock::now();
            NSVantlePacking::CSamplePackAhead packAhead(files, sizes);
            CNoRelocator relocator;
            for (std::size_t i = 0; i < files.size(); ++i)
                packAhead.Pack(i, relocator, destination);
            packing = SecondsSince(packStart);
        }
        gItemDatabase = nullptr;
        const double seconds = SecondsSince(start);
        std::printf("files %zu pcm_mb %.1f seconds %.2f mb_per_second %.1f (finding the items %.2f s, in the packer "
                    "%.2f s)\n",
                    fileCount, pcm / 1e6, seconds, seconds > 0 ? pcm / 1e6 / seconds : 0.0, finding, packing);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
