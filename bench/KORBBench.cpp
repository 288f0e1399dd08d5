// Measures the KORB codec on a corpus of raw PCM files: the coded size and the encoding and
// decoding throughput, checking that every file decodes to exactly its samples.
//
// Usage: korb_bench MANIFEST
// Each manifest line: GROUP BITS CHANNELS PATH, where PATH holds interleaved little-endian signed
// PCM (16-bit, or 24-bit in three bytes). Prints one line per group and one for the total:
//   korb GROUP files N pcm_bytes P coded_bytes C encode_seconds E decode_seconds D
// and exits 1 when any file fails its round trip. The seconds are the thread's CPU time (user and
// kernel), measured over batches of files: the system's thread times tick in steps of about 10 ms.
#include "base/Media.h"
#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/KORBHeader.h"
#include "media/codec/OutputBitStream.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The encoder's run length in the packer.
constexpr u32 kFramesPerRun = 4096;
// Files are measured in batches of at least this much PCM, so that each measured span is long
// against the tick of the thread times.
constexpr u64 kBatchBytes = 128 << 20;

struct TTotals
{
    u64 fFiles = 0;
    u64 fPCMBytes = 0;
    u64 fCodedBytes = 0;
    double fEncodeSeconds = 0;
    double fDecodeSeconds = 0;

    void Add(const TTotals& other)
    {
        fFiles += other.fFiles;
        fPCMBytes += other.fPCMBytes;
        fCodedBytes += other.fCodedBytes;
        fEncodeSeconds += other.fEncodeSeconds;
        fDecodeSeconds += other.fDecodeSeconds;
    }
};

// One file: its samples interleaved, one plane per channel as the packer hands them to the coder,
// and its codes once encoded.
struct TFile
{
    std::string fPath;
    u32 fBits = 0;
    u32 fChannels = 0;
    u32 fFrames = 0;
    std::vector<i32> fSamples;
    std::vector<std::vector<i16>> fPlanes16;
    std::vector<std::vector<i32>> fPlanes24;
    std::unique_ptr<NSFerrant::COwnedMemoryMedia> fCodes;
};

TFile ReadFile(const std::string& path, u32 bits, u32 channels)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        throw std::runtime_error("cannot open " + path);
    const std::vector<u8> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    const u32 width = bits / 8;
    TFile file{path, bits, channels, u32(bytes.size() / (width * channels)), {}, {}, {}, {}};
    file.fSamples.resize(size_t(file.fFrames) * channels);
    for (size_t i = 0; i < file.fSamples.size(); ++i)
    {
        const u8* p = bytes.data() + i * width;
        file.fSamples[i] =
            width == 2 ? i16(p[0] | (p[1] << 8)) : (i32(u32(p[0] | (p[1] << 8) | (p[2] << 16)) << 8) >> 8);
    }
    auto& planes16 = file.fPlanes16;
    auto& planes24 = file.fPlanes24;
    for (u32 c = 0; c < channels; ++c)
    {
        if (bits == 16)
            planes16.emplace_back(file.fFrames);
        else
            planes24.emplace_back(file.fFrames);
    }
    for (u32 i = 0; i < file.fFrames; ++i)
        for (u32 c = 0; c < channels; ++c)
        {
            const i32 sample = file.fSamples[size_t(i) * channels + c];
            if (bits == 16)
                planes16[c][i] = i16(sample);
            else
                planes24[c][i] = sample;
        }
    return file;
}

double ThreadSeconds()
{
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    const auto ticks = [](const FILETIME& time)
    { return (u64(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return double(ticks(kernel) + ticks(user)) * 1e-7;
}

template <typename TSample, typename TPlanes, typename TEncode>
void Encode(TFile& file, const std::vector<std::vector<TSample>>& planes, TEncode encode)
{
    COutputBitStream bits(*file.fCodes);
    TKORBEncoder encoder(bits, u8(file.fChannels));
    for (u32 done = 0; done < file.fFrames; done += kFramesPerRun)
    {
        const u32 n = std::min(kFramesPerRun, file.fFrames - done);
        encode(encoder, n,
               TPlanes{planes[0].data() + done, file.fChannels == 2 ? planes[1].data() + done : nullptr});
    }
    bits.Flush();
}

// Encodes, then decodes every file of a batch; answers false when a file does not come back.
bool MeasureBatch(std::vector<TFile>& batch, TTotals& totals)
{
    for (TFile& file : batch)
        file.fCodes = std::make_unique<NSFerrant::COwnedMemoryMedia>(i64(file.fSamples.size()) * 4 + 64);
    const double encodeStart = ThreadSeconds();
    for (TFile& file : batch)
    {
        if (file.fBits == 16)
            Encode<i16, TKORBPlanes16>(file, file.fPlanes16, EncodeKORBBlock16);
        else
            Encode<i32, TKORBPlanes24>(file, file.fPlanes24, EncodeKORBBlock24);
    }
    totals.fEncodeSeconds += ThreadSeconds() - encodeStart;

    std::vector<std::vector<i16>> decoded16(batch.size());
    std::vector<std::vector<i32>> decoded24(batch.size());
    for (size_t i = 0; i < batch.size(); ++i)
    {
        if (batch[i].fBits == 16)
            decoded16[i].resize(batch[i].fSamples.size());
        else
            decoded24[i].resize(batch[i].fSamples.size());
    }
    const double decodeStart = ThreadSeconds();
    for (size_t i = 0; i < batch.size(); ++i)
    {
        TFile& file = batch[i];
        TKORBHeader header;
        header.fFrameCount = file.fFrames;
        header.fChannelCount = u8(file.fChannels);
        header.fBitsPerSample = u8(file.fBits);
        file.fCodes->fPosition = 0;
        if (file.fBits == 16)
            DecodeKORBToInt16(header, *file.fCodes, decoded16[i].data());
        else
            DecodeKORBToInt32(header, *file.fCodes, decoded24[i].data());
    }
    totals.fDecodeSeconds += ThreadSeconds() - decodeStart;

    bool allExact = true;
    for (size_t i = 0; i < batch.size(); ++i)
    {
        const TFile& file = batch[i];
        totals.fCodedBytes += u64(file.fCodes->GetSize());
        const bool exact = file.fBits == 16
                               ? std::equal(decoded16[i].begin(), decoded16[i].end(), file.fSamples.begin())
                               : std::equal(decoded24[i].begin(), decoded24[i].end(), file.fSamples.begin());
        if (!exact)
        {
            std::printf("MISMATCH %s\n", file.fPath.c_str());
            allExact = false;
        }
    }
    batch.clear();
    return allExact;
}

void Print(const std::string& group, const TTotals& totals)
{
    std::printf(
        "korb %s files %llu pcm_bytes %llu coded_bytes %llu encode_seconds %.6f decode_seconds %.6f\n",
        group.c_str(), (unsigned long long)totals.fFiles, (unsigned long long)totals.fPCMBytes,
        (unsigned long long)totals.fCodedBytes, totals.fEncodeSeconds, totals.fDecodeSeconds);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: korb_bench MANIFEST\n");
        return 2;
    }
    try
    {
        std::ifstream manifest(argv[1]);
        if (!manifest)
            throw std::runtime_error(std::string("cannot open ") + argv[1]);
        std::map<std::string, TTotals> groups;
        std::vector<TFile> batch;
        std::string batchGroup;
        u64 batchBytes = 0;
        bool allExact = true;
        const auto flush = [&]
        {
            if (!batch.empty())
                allExact &= MeasureBatch(batch, groups[batchGroup]);
            batchBytes = 0;
        };
        std::string line;
        while (std::getline(manifest, line))
        {
            std::istringstream fields(line);
            std::string group, path;
            u32 bits = 0, channels = 0;
            if (!(fields >> group >> bits >> channels) || !std::getline(fields >> std::ws, path))
                continue;
            if (group != batchGroup || batchBytes >= kBatchBytes)
                flush();
            batchGroup = group;
            batch.push_back(ReadFile(path, bits, channels));
            const u64 bytes = u64(batch.back().fSamples.size()) * (bits / 8);
            batchBytes += bytes;
            TTotals& totals = groups[group];
            ++totals.fFiles;
            totals.fPCMBytes += bytes;
        }
        flush();
        TTotals all;
        for (const auto& [group, totals] : groups)
        {
            Print(group, totals);
            all.Add(totals);
        }
        Print("all", all);
        return allExact ? 0 : 1;
    }
    catch (const std::exception& failure)
    {
        std::fprintf(stderr, "korb_bench: %s\n", failure.what());
        return 2;
    }
}
