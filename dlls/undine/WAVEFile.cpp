#include "dlls/undine/WAVEFile.h"

#include "base/ByteOrder.h"
#include "base/FourCC.h"

#include <algorithm>
#include <cstring>

using namespace NSAudioCodec;

namespace NSUndineLibrary
{
namespace
{
using NSFerrant::MakeFourCC;

constexpr u16 kFormatPCM = 1;
constexpr u16 kFormatExtensible = 0xFFFE;
// The sub-format GUID of integer PCM after its first two bytes (01 00).
constexpr u8 kPCMSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Loop types of a "smpl" loop.
constexpr u32 kLoopForward = 0;
constexpr u32 kLoopAlternating = 1;

struct TChunks
{
    bool fHasFormat = false;
    TChunk fFormat{};
    bool fHasData = false;
    TChunk fData{};
    bool fHasSampler = false;
    TChunk fSampler{};
    bool fHasTempoMap = false;
    TChunk fTempoMap{};
};

void Keep(bool& found, TChunk& kept, const TChunk& chunk)
{
    if (!found)
    {
        found = true;
        kept = chunk;
    }
}

TChunks FindChunks(const CByteSource& source)
{
    u8 header[12];
    source.Read(0, 12, header);
    if (NSByteOrder::ReadBE32(header) != MakeFourCC("RIFF") || NSByteOrder::ReadBE32(header + 8) != MakeFourCC("WAVE"))
        ThrowFormatViolation();
    const i64 riffEnd = 8 + i64(NSByteOrder::ReadLE32(header + 4));
    source.CheckRange(0, riffEnd);

    TChunks chunks;
    VisitChunks(source, 12, riffEnd, true, [&](const TChunk& chunk) {
        if (chunk.fId == MakeFourCC("fmt "))
            Keep(chunks.fHasFormat, chunks.fFormat, chunk);
        else if (chunk.fId == MakeFourCC("data"))
            Keep(chunks.fHasData, chunks.fData, chunk);
        else if (chunk.fId == MakeFourCC("smpl"))
            Keep(chunks.fHasSampler, chunks.fSampler, chunk);
        else if (chunk.fId == MakeFourCC("QMTp"))
            Keep(chunks.fHasTempoMap, chunks.fTempoMap, chunk);
    });
    if (!chunks.fHasFormat || !chunks.fHasData)
        ThrowFormatViolation();
    return chunks;
}

void ReadFormatChunk(const CByteSource& source, const TChunks& chunks, TWAVEFile& file)
{
    if (chunks.fFormat.fSize < 16)
        ThrowFormatViolation();
    u8 format[40] = {};
    source.Read(chunks.fFormat.fDataPosition, std::min<i64>(chunks.fFormat.fSize, 40), format);
    const u16 tag = NSByteOrder::ReadLE16(format);
    const u16 channels = NSByteOrder::ReadLE16(format + 2);
    const u32 rate = NSByteOrder::ReadLE32(format + 4);
    const u16 blockAlign = NSByteOrder::ReadLE16(format + 12);
    const u16 containerBits = NSByteOrder::ReadLE16(format + 14);
    u32 bits = containerBits;
    if (tag == kFormatExtensible)
    {
        if (chunks.fFormat.fSize < 40)
            ThrowFormatViolation();
        if (NSByteOrder::ReadLE16(format + 24) != kFormatPCM ||
            std::memcmp(format + 26, kPCMSubFormatTail, sizeof kPCMSubFormatTail) != 0)
            ThrowUnsupportedFormat();
        // The bits that carry the sample; 0 means all of the container's.
        if (const u16 validBits = NSByteOrder::ReadLE16(format + 18); validBits != 0)
            bits = validBits;
    }
    else if (tag != kFormatPCM)
        ThrowUnsupportedFormat();

    if (channels < 1 || rate < 1 || blockAlign % channels != 0)
        ThrowFormatViolation();
    const u32 bytesPerSample = blockAlign / channels;
    if (bits < 1 || bits > bytesPerSample * 8 || containerBits > bytesPerSample * 8)
        ThrowFormatViolation();

    file.fFormat.fChannelCount = channels;
    file.fFormat.fSampleFormat = bits;
    file.fFormat.fSampleRate = rate;
    file.fLayout.fChannelCount = channels;
    file.fLayout.fBytesPerSample = bytesPerSample;
    file.fLayout.fLittleEndian = true;
    file.fLayout.fUnsigned = bytesPerSample == 1;
}

void LocateFrames(const CByteSource& source, const TChunks& chunks, TWAVEFile& file)
{
    if (file.fLayout.fBytesPerSample < 1 || file.fLayout.fBytesPerSample > 4)
        ThrowUnsupportedFormat();
    // Whole frames only: a partial frame at the end is not delivered.
    const u64 frames = chunks.fData.fSize / (u64(file.fLayout.fChannelCount) * file.fLayout.fBytesPerSample);
    file.fFormat.fFrameCount = u32(frames);
    file.fLayout.fFrameCount = u32(frames);
    file.fLayout.fDataPosition = chunks.fData.fDataPosition;
    CheckPCMLayout(file.fLayout, source);
}

// The first loop of the "smpl" chunk: played forward or alternating it is the sustain loop,
// any other way it is another kind. The chunk's loop end names the loop's last frame; the
// format info's end is exclusive, so it is one further.
void ReadSampler(const CByteSource& source, const TChunks& chunks, TWAVEFile& file)
{
    if (!chunks.fHasSampler)
        return;
    if (chunks.fSampler.fSize < 36)
        ThrowFormatViolation();
    u8 sampler[60] = {};
    source.Read(chunks.fSampler.fDataPosition, std::min<i64>(chunks.fSampler.fSize, 60), sampler);
    file.fFormat.fHasPitch = 1;
    file.fFormat.fRootKey = std::min<u32>(NSByteOrder::ReadLE32(sampler + 12), 127);
    // The pitch fraction is a part of a semitone in units of 2^-32; fine tune is in cents.
    file.fFormat.fFineTune = u32((u64(NSByteOrder::ReadLE32(sampler + 16)) * 100) >> 32);

    const u32 loopCount = NSByteOrder::ReadLE32(sampler + 28);
    if (loopCount == 0)
        return;
    if (chunks.fSampler.fSize < 60)
        ThrowFormatViolation();
    const u32 type = NSByteOrder::ReadLE32(sampler + 40);
    file.fFormat.fLoopKind = type == kLoopForward || type == kLoopAlternating ? kLoopKindSustain : kLoopKindOther;
    file.fFormat.fLoopVariant = type == kLoopAlternating ? kLoopVariantForwardBackward : kLoopVariantForward;
    file.fFormat.fLoopStart = i32(std::min<u32>(NSByteOrder::ReadLE32(sampler + 44), 0x7FFFFFFF));
    file.fFormat.fLoopEnd = i32(std::min<u64>(u64(NSByteOrder::ReadLE32(sampler + 48)) + 1, 0x7FFFFFFF));
}
} // namespace

TWAVEFile ReadWAVEFile(const CByteSource& source)
{
    TWAVEFile file{};
    file.fFormat.fLoopKind = kLoopKindNone;
    file.fFormat.fLoopVariant = kLoopVariantForward;
    file.fFormat.fRootKey = 60;
    file.fFormat.fHighKey = 127;

    const TChunks chunks = FindChunks(source);
    ReadFormatChunk(source, chunks, file);
    LocateFrames(source, chunks, file);
    ReadSampler(source, chunks, file);
    if (chunks.fHasTempoMap)
    {
        // A RIFF file ends before 2^32 + 8 bytes; positions past 32 bits cannot be reported.
        if (chunks.fTempoMap.fDataPosition <= 0xFFFFFFFF)
        {
            file.fTempoMap.fPosition = u32(chunks.fTempoMap.fDataPosition);
            file.fTempoMap.fSize = chunks.fTempoMap.fSize;
        }
    }
    return file;
}
} // namespace NSUndineLibrary
