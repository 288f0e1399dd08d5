#include "dlls/corliss/AIFFFile.h"

#include "base/ByteOrder.h"
#include "base/FourCC.h"

#include <algorithm>
#include <map>

using namespace NSAudioCodec;

namespace NSCorlissLibrary
{
namespace
{
using NSFerrant::MakeFourCC;

constexpr u32 kTempoMapSignature = MakeFourCC("QMTp");

// Play modes of an INST loop.
constexpr i16 kPlayForward = 1;
constexpr i16 kPlayForwardBackward = 2;

struct TInstLoop
{
    i16 fPlayMode;
    u16 fBeginMarker;
    u16 fEndMarker;
};

struct TChunks
{
    bool fIsAIFC = false;
    bool fHasCommon = false;
    TChunk fCommon{};
    bool fHasSound = false;
    TChunk fSound{};
    bool fHasInstrument = false;
    TChunk fInstrument{};
    bool fHasMarkers = false;
    TChunk fMarkers{};
    bool fHasApplication = false;
    TChunk fApplication{};
    u32 fApplicationSignature = 0;
};

// The sample rate of an 80-bit IEEE extended value, truncated to whole hertz; anything not
// between 1 and 2^32 - 1 Hz breaks the format.
u32 ReadSampleRate(const u8* bytes)
{
    const u32 signAndExponent = NSByteOrder::ReadBE16(bytes);
    const u64 mantissa = NSByteOrder::ReadBE64(bytes + 2);
    const i32 shift = 16383 + 63 - i32(signAndExponent & 0x7FFF);
    if ((signAndExponent & 0x8000) || !(mantissa >> 63) || shift <= 31 || shift >= 64)
        ThrowFormatViolation();
    return u32(mantissa >> shift);
}

TChunks FindChunks(const CByteSource& source)
{
    u8 header[12];
    source.Read(0, 12, header);
    const u32 formType = NSByteOrder::ReadBE32(header + 8);
    if (NSByteOrder::ReadBE32(header) != MakeFourCC("FORM") || (formType != MakeFourCC("AIFF") && formType != MakeFourCC("AIFC")))
        ThrowFormatViolation();
    const i64 formEnd = 8 + i64(NSByteOrder::ReadBE32(header + 4));
    source.CheckRange(0, formEnd);

    TChunks chunks;
    chunks.fIsAIFC = formType == MakeFourCC("AIFC");
    VisitChunks(source, 12, formEnd, false, [&](const TChunk& chunk) {
        if (chunk.fId == MakeFourCC("COMM") && !chunks.fHasCommon)
        {
            chunks.fHasCommon = true;
            chunks.fCommon = chunk;
        }
        else if (chunk.fId == MakeFourCC("SSND") && !chunks.fHasSound)
        {
            chunks.fHasSound = true;
            chunks.fSound = chunk;
        }
        else if (chunk.fId == MakeFourCC("INST") && !chunks.fHasInstrument)
        {
            chunks.fHasInstrument = true;
            chunks.fInstrument = chunk;
        }
        else if (chunk.fId == MakeFourCC("MARK") && !chunks.fHasMarkers)
        {
            chunks.fHasMarkers = true;
            chunks.fMarkers = chunk;
        }
        else if (chunk.fId == MakeFourCC("APPL") && chunk.fSize >= 4 &&
                 !(chunks.fHasApplication && chunks.fApplicationSignature == kTempoMapSignature))
        {
            u8 signature[4];
            source.Read(chunk.fDataPosition, 4, signature);
            if (!chunks.fHasApplication || NSByteOrder::ReadBE32(signature) == kTempoMapSignature)
            {
                chunks.fHasApplication = true;
                chunks.fApplication = chunk;
                chunks.fApplicationSignature = NSByteOrder::ReadBE32(signature);
            }
        }
    });
    if (!chunks.fHasCommon)
        ThrowFormatViolation();
    return chunks;
}

void ReadCommonChunk(const CByteSource& source, const TChunks& chunks, TAIFFFile& file)
{
    // AIFF-C adds the compression type (and its name, not read).
    const u32 size = chunks.fIsAIFC ? 22 : 18;
    if (chunks.fCommon.fSize < size)
        ThrowFormatViolation();
    u8 common[22];
    source.Read(chunks.fCommon.fDataPosition, size, common);
    const i16 channels = i16(NSByteOrder::ReadBE16(common));
    const u32 frames = NSByteOrder::ReadBE32(common + 2);
    const i16 bits = i16(NSByteOrder::ReadBE16(common + 6));
    if (channels < 1)
        ThrowFormatViolation();
    if (bits < 1 || bits > 32)
        ThrowUnsupportedFormat();

    bool littleEndian = false;
    if (chunks.fIsAIFC)
    {
        const u32 compression = NSByteOrder::ReadBE32(common + 18);
        if (compression == MakeFourCC("sowt"))
            littleEndian = true;
        else if (compression != MakeFourCC("NONE") && compression != MakeFourCC("twos"))
            ThrowUnsupportedFormat();
    }

    file.fFormat.fChannelCount = u16(channels);
    file.fFormat.fSampleRate = ReadSampleRate(common + 8);
    file.fFormat.fFrameCount = frames;
    file.fFormat.fSampleFormat = littleEndian && bits <= 16 && bits > 8 ? kSampleFormatLittleEndian16 : u32(bits);

    file.fLayout.fChannelCount = u16(channels);
    file.fLayout.fBytesPerSample = u32(bits + 7) / 8;
    file.fLayout.fLittleEndian = littleEndian;
    file.fLayout.fFrameCount = frames;
}

void LocateFrames(const CByteSource& source, const TChunks& chunks, TAIFFFile& file)
{
    if (!chunks.fHasSound)
    {
        // Only a file without frames may leave out its sound data.
        if (file.fLayout.fFrameCount != 0)
            ThrowFormatViolation();
        file.fLayout.fDataPosition = 0;
    }
    else
    {
        if (chunks.fSound.fSize < 8)
            ThrowFormatViolation();
        u8 header[4];
        source.Read(chunks.fSound.fDataPosition, 4, header);
        const i64 dataPosition = chunks.fSound.fDataPosition + 8 + NSByteOrder::ReadBE32(header);
        const i64 dataSize = i64(file.fLayout.fFrameCount) * file.fLayout.fChannelCount * file.fLayout.fBytesPerSample;
        // The frames must lie inside the chunk, not just inside the file.
        if (dataPosition + dataSize > chunks.fSound.fDataPosition + chunks.fSound.fSize)
            ThrowFormatViolation();
        file.fLayout.fDataPosition = dataPosition;
    }
    CheckPCMLayout(file.fLayout, source);
}

// Marker ids and their positions in frames.
std::map<u16, u32> ReadMarkers(const CByteSource& source, const TChunk& chunk)
{
    std::map<u16, u32> markers;
    if (chunk.fSize < 2)
        return markers;
    u8 count[2];
    source.Read(chunk.fDataPosition, 2, count);
    i64 position = chunk.fDataPosition + 2;
    const i64 end = chunk.fDataPosition + chunk.fSize;
    for (u32 i = 0; i < NSByteOrder::ReadBE16(count); ++i)
    {
        // Id, position and the name's length byte; the name is padded to keep the next marker even.
        u8 marker[7];
        if (end - position < 7)
            ThrowFormatViolation();
        source.Read(position, 7, marker);
        markers.emplace(NSByteOrder::ReadBE16(marker), NSByteOrder::ReadBE32(marker + 2));
        const u32 nameLength = marker[6];
        position += 7 + nameLength + ((nameLength & 1) ? 0 : 1);
    }
    return markers;
}

TInstLoop ReadInstLoop(const u8* bytes)
{
    return TInstLoop{i16(NSByteOrder::ReadBE16(bytes)), NSByteOrder::ReadBE16(bytes + 2),
                     NSByteOrder::ReadBE16(bytes + 4)};
}

// The sustain loop when it plays, else the release loop when it plays. Marker positions lie
// between frames, so the end marker is the frame after the loop's last: loop ends are exclusive.
void ReadInstrument(const CByteSource& source, const TChunks& chunks, TAIFFFile& file)
{
    if (!chunks.fHasInstrument)
        return;
    if (chunks.fInstrument.fSize < 20)
        ThrowFormatViolation();
    u8 instrument[20];
    source.Read(chunks.fInstrument.fDataPosition, 20, instrument);
    file.fFormat.fHasPitch = 1;
    file.fFormat.fRootKey = instrument[0];
    file.fFormat.fFineTune = instrument[1];
    file.fFormat.fLowKey = instrument[2];
    file.fFormat.fHighKey = instrument[3];

    const std::map<u16, u32> markers =
        chunks.fHasMarkers ? ReadMarkers(source, chunks.fMarkers) : std::map<u16, u32>{};
    const struct
    {
        TInstLoop fLoop;
        u32 fKind;
    } candidates[] = {{ReadInstLoop(instrument + 8), kLoopKindSustain}, {ReadInstLoop(instrument + 14), kLoopKindOther}};
    for (const auto& candidate : candidates)
    {
        const TInstLoop& loop = candidate.fLoop;
        const auto begin = markers.find(loop.fBeginMarker);
        const auto end = markers.find(loop.fEndMarker);
        if ((loop.fPlayMode != kPlayForward && loop.fPlayMode != kPlayForwardBackward) || begin == markers.end() ||
            end == markers.end())
            continue;
        file.fFormat.fLoopKind = candidate.fKind;
        file.fFormat.fLoopVariant = loop.fPlayMode == kPlayForward ? kLoopVariantForward : kLoopVariantForwardBackward;
        // Positions past the signed range are cut there, never wrapped to a negative frame.
        file.fFormat.fLoopStart = i32(std::min<u32>(begin->second, 0x7FFFFFFF));
        file.fFormat.fLoopEnd = i32(std::min<u32>(end->second, 0x7FFFFFFF));
        return;
    }
}
} // namespace

TAIFFFile ReadAIFFFile(const CByteSource& source)
{
    TAIFFFile file{};
    file.fFormat.fLoopKind = kLoopKindNone;
    file.fFormat.fLoopVariant = kLoopVariantForward;
    file.fFormat.fRootKey = 60;
    file.fFormat.fHighKey = 127;

    const TChunks chunks = FindChunks(source);
    ReadCommonChunk(source, chunks, file);
    LocateFrames(source, chunks, file);
    ReadInstrument(source, chunks, file);
    if (chunks.fHasApplication)
    {
        file.fTempoMap.fSignature = chunks.fApplicationSignature;
        file.fTempoMap.fPosition = chunks.fApplication.fDataPosition + 4;
        file.fTempoMap.fSize = chunks.fApplication.fSize - 4;
    }
    return file;
}
} // namespace NSCorlissLibrary
