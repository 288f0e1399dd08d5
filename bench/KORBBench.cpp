// Measures the KORB codec on a corpus of raw PCM files: the coded size and the encoding and
// decoding throughput, checking that every file decodes to exactly its samples.
//
// Usage: korb_bench MANIFEST
// Each manifest line: GROUP BITS CHANNELS PATH, where PATH holds interleaved little-endian signed
// PCM (16-bit, or 24-bit in three bytes). Prints one line per group and one for the total:
//   korb GROUP files N pcm_bytes P coded_bytes C encode_seconds E decode_seconds D
// and exits 1 when any file fails its round trip.
#include "media/Media.h"
#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/KORBHeader.h"
#include "media/codec/OutputBitStream.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The encoder's run length in the packer.
constexpr u32 kFramesPerRun = 4096;

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

struct TPCM
{
    u32 fBits = 0;
    u32 fChannels = 0;
    u32 fFrames = 0;
    std::vector<i32> fSamples; // interleaved
};

TPCM ReadPCM(const std::string& path, u32 bits, u32 channels)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot open " + path);
    const std::vector<u8> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const u32 width = bits / 8;
    TPCM pcm{bits, channels, u32(bytes.size() / (width * channels)), {}};
    pcm.fSamples.resize(size_t(pcm.fFrames) * channels);
    for (size_t i = 0; i < pcm.fSamples.size(); ++i)
    {
        const u8* p = bytes.data() + i * width;
        pcm.fSamples[i] =
            width == 2 ? i16(p[0] | (p[1] << 8)) : (i32(u32(p[0] | (p[1] << 8) | (p[2] << 16)) << 8) >> 8);
    }
    return pcm;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One plane per channel, as the packer hands them to the coder.
template <typename TSample> std::vector<std::vector<TSample>> Planes(const TPCM& pcm)
{
    std::vector<std::vector<TSample>> planes(pcm.fChannels, std::vector<TSample>(pcm.fFrames));
    for (u32 i = 0; i < pcm.fFrames; ++i)
        for (u32 c = 0; c < pcm.fChannels; ++c)
            planes[c][i] = TSample(pcm.fSamples[size_t(i) * pcm.fChannels + c]);
    return planes;
}

template <typename TSample, typename TPlanes, typename TEncode, typename TDecode>
bool Measure(const TPCM& pcm, NSFerrant::COwnedMemoryMedia& coded, TTotals& totals, TEncode encode,
             TDecode decode)
{
    const auto planes = Planes<TSample>(pcm);
    coded.fPosition = 0;
    const auto encodeStart = std::chrono::steady_clock::now();
    {
        COutputBitStream bits(coded);
        TKORBEncoder encoder(bits, u8(pcm.fChannels));
        for (u32 done = 0; done < pcm.fFrames; done += kFramesPerRun)
        {
            const u32 n = std::min(kFramesPerRun, pcm.fFrames - done);
            encode(encoder, n,
                   TPlanes{planes[0].data() + done, pcm.fChannels == 2 ? planes[1].data() + done : nullptr});
        }
        bits.Flush();
    }
    totals.fEncodeSeconds += Seconds(encodeStart);
    totals.fCodedBytes += u64(coded.fPosition);

    TKORBHeader header;
    header.fFrameCount = pcm.fFrames;
    header.fChannelCount = u8(pcm.fChannels);
    header.fBitsPerSample = u8(pcm.fBits);
    std::vector<TSample> decoded(pcm.fSamples.size());
    coded.fPosition = 0;
    const auto decodeStart = std::chrono::steady_clock::now();
    decode(header, coded, decoded.data());
    totals.fDecodeSeconds += Seconds(decodeStart);
    return std::equal(decoded.begin(), decoded.end(), pcm.fSamples.begin());
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
        NSFerrant::COwnedMemoryMedia coded(64 << 20);
        bool allExact = true;
        std::string line;
        while (std::getline(manifest, line))
        {
            std::istringstream fields(line);
            std::string group, path;
            u32 bits = 0, channels = 0;
            if (!(fields >> group >> bits >> channels) || !std::getline(fields >> std::ws, path))
                continue;
            const TPCM pcm = ReadPCM(path, bits, channels);
            TTotals& totals = groups[group];
            ++totals.fFiles;
            totals.fPCMBytes += u64(pcm.fSamples.size()) * (bits / 8);
            const bool exact =
                bits == 16
                    ? Measure<i16, TKORBPlanes16>(pcm, coded, totals, EncodeKORBBlock16, DecodeKORBToInt16)
                    : Measure<i32, TKORBPlanes24>(pcm, coded, totals, EncodeKORBBlock24, DecodeKORBToInt32);
            if (!exact)
            {
                std::printf("MISMATCH %s\n", path.c_str());
                allExact = false;
            }
        }
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
