// Packs every WAVE file of a folder through the sample packer into one file (the way the packing
// phase fills its data file) and prints the PCM megabytes packed per second, process to process.
//
// Usage: pack_bench FOLDER OUTPUT_FILE
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "content/vfs/ItemDatabase.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileMedia.h"
#include "packing/SampleProcessors.h"

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

// The size of a file's PCM: its "data" chunk (the files are plain WAVE files).
u64 PCMBytes(const std::filesystem::path& file)
{
    constexpr u64 kPlainWAVEHeader = 44;
    const u64 size = std::filesystem::file_size(file);
    return size > kPlainWAVEHeader ? size - kPlainWAVEHeader : 0;
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
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(argv[1]))
            if (entry.path().extension() == L".wav")
                files.push_back(entry.path());
        CItemDatabase database;
        gItemDatabase = &database;
        const std::filesystem::path output(argv[2]);
        std::wstring folder = output.parent_path().wstring() + L"\\";
        const NSFileLibSupport::TDirSpecPtr outputFolder =
            NSFileLibSupport::DirSpecFromWinPath(NSTextPackage::FromWide(folder.c_str()));
        u64 pcm = 0;
        double packing = 0;
        {
            NSFileLibSupport::COpenFile destination(outputFolder.get(),
                                                    NSTextPackage::FromWide(output.filename().wstring().c_str()), 0, 0);
            CWAVEFileTypePacker packer;
            CNoRelocator relocator;
            for (const std::filesystem::path& file : files)
            {
                const CItemPtr item =
                    GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(file.wstring().c_str())));
                const auto packStart = std::chrono::steady_clock::now();
                packer.Pack(item, relocator, destination);
                packing += std::chrono::duration<double>(std::chrono::steady_clock::now() - packStart).count();
                pcm += PCMBytes(file);
            }
        }
        gItemDatabase = nullptr;
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("files %zu pcm_mb %.1f seconds %.2f mb_per_second %.1f (in the packer %.2f s)\n", files.size(),
                    pcm / 1e6, seconds, seconds > 0 ? pcm / 1e6 / seconds : 0.0, packing);
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
