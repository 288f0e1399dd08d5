// Measures reading every entry out of a large package against a plain read of the same file.
// The entries are read the way the packing engine reads a package's files: the package opened
// as a folder through the item database in one batch, each entry's media read front to back in
// pieces of one size. The plain read is one handle and ReadFile in pieces of the same size.
// The goal is entries read at least 0.8 as fast as the plain read, the package's opening and the
// walk of its tree included.
//
// Usage: package_read_bench WORK_DIR [MB [PIECE_KB]] (a Windows path; the package, MB MiB of
// 4 MiB entries in 16 folders, 2048 by default, is generated there when missing; pieces of
// 1024 KiB by default)
// Prints: entries N entry_mb M piece_kb K entry_mb_per_second E plain_mb_per_second P
//         ratio R goal 0.80 PASS|MISS read_calls C plain_at_offsets_mb_per_second O
// The plain read runs before and after the entry read and the faster run counts, so the system
// cache warmed by one pass favours neither side. read_calls counts the file library's ReadFile
// calls during the entry read. The last figure is the plain read again with every piece at an
// explicit offset, which the file library avoids: it tells the cost of such reads on this
// platform.
#include "base/Media.h"
#include "base/TextConversions.h"
#include "base/UTF16String.h"
#include "base/WinHandles.h"
#include "bench/CountedReads.h"
#include "bench/ItemWalk.h"
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
#include <vector>

namespace
{
constexpr u32 kEntrySize = 4u << 20;
constexpr unsigned kFolders = 16;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kRatioGoal = 0.8;

// Every byte of entry i: a read that lands in the wrong entry shows.
u8 EntryByte(unsigned i)
{
    return u8(i * 7 + 1);
}

void GeneratePackage(const std::filesystem::path& path, unsigned entries)
{
    NSTestSupport::TTestPackage package;
    for (unsigned i = 0; i < entries; ++i)
    {
        const std::string name = "Part" + std::to_string(i % kFolders) + ":Take" + std::to_string(i) + ".wav";
        package.fEntries.push_back({NSTextPackage::UTF8ToUTF16(name), kPackedTypeRaw, {}, false});
    }
    const NSTestSupport::TBytes head =
        NSTestSupport::WriteTestPackageHead(package, std::vector<u32>(entries, kEntrySize)).fBytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
    std::vector<char> entry(kEntrySize);
    for (unsigned i = 0; i < entries; ++i)
    {
        std::fill(entry.begin(), entry.end(), char(EntryByte(i)));
        out.write(entry.data(), std::streamsize(entry.size()));
    }
    if (!out.flush())
        throw std::runtime_error("the package could not be written");
}

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads one entry's media front to back in pieces; answers the bytes read.
unsigned long long ReadEntry(const CItemPtr& item, std::vector<u8>& piece)
{
    // The entry's index is in its name, "TakeN.wav".
    const std::string name = NSTextPackage::ToUTF8(item->GetName());
    const u8 expected = EntryByte(unsigned(std::stoul(name.substr(4))));
    const std::shared_ptr<NSFerrant::CMedia> media = OpenItemMedia(item);
    const i64 size = media->GetSize();
    for (i64 offset = 0; offset < size; offset += i64(piece.size()))
    {
        const i64 count = std::min(i64(piece.size()), size - offset);
        media->Read(offset, count, piece.data());
        if (piece[0] != expected || piece[size_t(count) - 1] != expected)
            throw std::runtime_error("an entry read gave another entry's bytes: " + name);
    }
    return u64(size);
}

// Reads every entry of the package through its folder item; answers the bytes read.
unsigned long long ReadEntries(const std::filesystem::path& path, std::vector<u8>& piece, unsigned& entries)
{
    const CItemDatabaseBatch batch;
    const CItemPtr package =
        GetItemForFile(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(path.c_str())));
    if (!package->IsFolder())
        throw std::runtime_error("the package does not open as a folder");
    unsigned long long bytes = 0;
    NSBench::WalkItemTree(package,
                          [&](const CItemPtr& item)
                          {
                              if (!item->IsFolder())
                              {
                                  bytes += ReadEntry(item, piece);
                                  ++entries;
                              }
                          });
    return bytes;
}

// Reads the whole file with ReadFile in pieces, each from the handle's own position or, at
// offsets, at its offset given in an OVERLAPPED; answers the bytes read.
unsigned long long ReadPlainly(const std::filesystem::path& path, std::vector<u8>& piece, bool atOffsets)
{
    const CWinFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        throw std::runtime_error("the package could not be opened");
    unsigned long long bytes = 0;
    DWORD read = 0;
    for (;;)
    {
        OVERLAPPED at = {};
        at.Offset = DWORD(bytes);
        at.OffsetHigh = DWORD(bytes >> 32);
        if (!ReadFile(file.Get(), piece.data(), DWORD(piece.size()), &read, atOffsets ? &at : nullptr) ||
            read == 0)
            break;
        bytes += read;
    }
    return bytes;
}

double TimedPlainMBPerSecond(const std::filesystem::path& path, std::vector<u8>& piece, bool atOffsets)
{
    const auto start = std::chrono::steady_clock::now();
    const unsigned long long bytes = ReadPlainly(path, piece, atOffsets);
    if (bytes != std::filesystem::file_size(path))
        throw std::runtime_error("the plain read stopped short");
    return double(bytes) / kMiB / SecondsSince(start);
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || argc > 4)
    {
        std::fprintf(stderr, "usage: package_read_bench WORK_DIR [MB [PIECE_KB]]\n");
        return 2;
    }
    const unsigned megabytes = argc >= 3 ? unsigned(std::wcstoul(argv[2], nullptr, 10)) : 2048;
    const unsigned pieceKB = argc >= 4 ? unsigned(std::wcstoul(argv[3], nullptr, 10)) : 1024;
    const unsigned expectedEntries = megabytes / (kEntrySize >> 20);
    if (expectedEntries == 0 || pieceKB == 0 || megabytes >= 4000)
    {
        std::fprintf(stderr, "MB must lie in [4, 4000) and PIECE_KB must not be 0\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    try
    {
        const std::filesystem::path path =
            std::filesystem::path(argv[1]) / ("read-" + std::to_string(megabytes) + "mb.vtl");
        if (!std::filesystem::exists(path))
            GeneratePackage(path, expectedEntries);

        const NSVirtualFS::CContentItemClassesInUse itemClasses;
        CItemDatabase database;
        gItemDatabase = &database;
        std::vector<u8> piece(size_t(pieceKB) * 1024);

        const double plainBefore = TimedPlainMBPerSecond(path, piece, false);
        unsigned entries = 0;
        unsigned long long entryBytes = 0;
        double entrySeconds = 0;
        {
            const CWin32CallsOverride counting(NSBench::CountingReadCalls());
            const auto start = std::chrono::steady_clock::now();
            entryBytes = ReadEntries(path, piece, entries);
            entrySeconds = SecondsSince(start);
        }
        if (entries != expectedEntries || entryBytes != u64(expectedEntries) * kEntrySize)
            throw std::runtime_error("the package's entries were not all read");
        const double plain = std::max(plainBefore, TimedPlainMBPerSecond(path, piece, false));
        const double plainAtOffsets = TimedPlainMBPerSecond(path, piece, true);
        const double entryRate = double(entryBytes) / kMiB / entrySeconds;
        const double ratio = entryRate / plain;
        std::printf("entries %u entry_mb %.1f piece_kb %u entry_mb_per_second %.1f plain_mb_per_second %.1f "
                    "ratio %.2f goal %.2f %s read_calls %llu plain_at_offsets_mb_per_second %.1f\n",
                    entries, double(entryBytes) / kMiB, pieceKB, entryRate, plain, ratio, kRatioGoal,
                    ratio >= kRatioGoal ? "PASS" : "MISS", NSBench::gReadCounts.fCalls, plainAtOffsets);
        gItemDatabase = nullptr;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
