// The KORB stream readers: header, decoder and trailer blocks with the tempo map they carry.
// Whatever the header accepts is decoded; a found tempo map is parsed, saved and parsed back
// equal. The first bytes also choose random PCM that must encode and decode back to itself.
#include "base/Media.h"
#include "media/TempoMap.h"
#include "media/codec/KORBDecoder.h"
#include "media/codec/KORBEncoder.h"
#include "media/codec/KORBHeader.h"
#include "media/codec/KORBTrailer.h"
#include "media/codec/OutputBitStream.h"
#include "tests/fuzz/support/FuzzChecks.h"

#include <vector>

using NSFerrant::COwnedMemoryMedia;
using NSFuzz::ReadsOrRefuses;
using NSFuzz::Require;

namespace
{
// Decoding is bounded by the input itself (a sample takes at least one code bit), but a fuzzer
// input of a few kilobytes should not decode megabytes of frames.
constexpr u64 kMaxDecodedValues = u64(1) << 20;

void DecodeStream(const u8* data, size_t size)
{
    COwnedMemoryMedia stream(i64(size), data);
    TKORBHeader header;
    if (!ReadsOrRefuses([&] { ReadKORBHeader(header, stream); }))
        return;
    const u64 values = u64(header.fFrameCount) * header.fChannelCount;
    if (values <= kMaxDecodedValues)
    {
        const i64 codeStart = stream.fPosition;
        std::vector<i32> wide(values);
        ReadsOrRefuses([&] { DecodeKORBToInt32(header, stream, wide.data()); });
        stream.fPosition = codeStart;
        std::vector<i16> narrow(values);
        ReadsOrRefuses([&] { DecodeKORBToInt16(header, stream, narrow.data()); });
    }
    COwnedMemoryMedia block(0);
    bool found = false;
    ReadsOrRefuses([&] { found = FindKORBTempoMapBlock(stream, kKORBTempoMapTag, block); });
    if (!found)
        return;
    const std::vector<u8>& bytes = block.GetBytes();
    NSTempoMap::TTempoMapChunk chunk;
    if (!ReadsOrRefuses([&] { chunk = NSTempoMap::ParseTempoMapChunk(bytes.data(), bytes.size()); }))
        return;
    const NSTempoMap::CTempoMap map(chunk.fPoints, 44100);
    const std::vector<u8> saved = NSTempoMap::SaveTempoMap(map, chunk.fValue);
    const NSTempoMap::TTempoMapChunk again = NSTempoMap::ParseTempoMapChunk(saved.data(), saved.size());
    Require(again.fPoints == map.GetPoints() && again.fValue == chunk.fValue, "tempo map round trip");
}

// The input read as PCM: a mode byte (bits, channels), then samples of the chosen width.
void RoundTripPCM(const u8* data, size_t size)
{
    if (size < 1)
        return;
    const bool wide = data[0] & 1;
    const u8 channels = (data[0] & 2) ? 2 : 1;
    const u32 bytesPerSample = wide ? 3 : 2;
    const u32 frames = u32((size - 1) / (bytesPerSample * channels));
    if (frames == 0)
        return;
    std::vector<i32> planes[2];
    const u8* next = data + 1;
    for (u32 frame = 0; frame < frames; ++frame)
        for (u8 channel = 0; channel < channels; ++channel, next += bytesPerSample)
        {
            i32 value = wide ? i32(u32(next[0]) << 24 | u32(next[1]) << 16 | u32(next[2]) << 8) >> 8
                             : i16(u16(next[0] << 8 | next[1]));
            planes[channel].push_back(value);
        }

    TKORBHeader header;
    header.fFrameCount = frames;
    header.fChannelCount = channels;
    header.fLoopEnd = frames;
    header.fSampleRate = 44100;
    header.fBitsPerSample = wide ? 24 : 16;
    COwnedMemoryMedia stream(0);
    WriteKORBHeader(header, stream);
    {
        COutputBitStream bits(stream);
        TKORBEncoder encoder(bits, channels);
        std::vector<i16> narrow[2];
        for (u8 channel = 0; channel < channels; ++channel)
            narrow[channel].assign(planes[channel].begin(), planes[channel].end());
        // A 24-bit parameter of 0 is refused by the coder on purpose: such input is not encodable.
        const bool encoded = ReadsOrRefuses([&] {
            if (wide)
                EncodeKORBBlock24(encoder, frames, {planes[0].data(), channels == 2 ? planes[1].data() : nullptr});
            else
                EncodeKORBBlock16(encoder, frames, {narrow[0].data(), channels == 2 ? narrow[1].data() : nullptr});
            bits.Flush();
        });
        if (!encoded)
            return;
    }
    stream.fPosition = 0;
    TKORBHeader read;
    ReadKORBHeader(read, stream);
    std::vector<i32> decoded(u64(frames) * channels);
    DecodeKORBToInt32(read, stream, decoded.data());
    for (u32 frame = 0; frame < frames; ++frame)
        for (u8 channel = 0; channel < channels; ++channel)
            Require(decoded[u64(frame) * channels + channel] == planes[channel][frame], "PCM round trip");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    DecodeStream(data, size);
    RoundTripPCM(data, size);
    return 0;
}
