#include "tests/support/AudioFileBuilder.h"

#include "tests/support/MediaBytes.h"

#include <utility>

namespace NSTestSupport
{
namespace
{
void PutText(TBytes& bytes, const std::string& text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

void PutChunk(TBytes& bytes, const std::string& id, const TBytes& data, bool littleEndian)
{
    PutText(bytes, id);
    littleEndian ? PutLE32(bytes, u32(data.size())) : PutBE32(bytes, u32(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    if (data.size() & 1)
        bytes.push_back(0);
}

// An 80-bit IEEE extended value of a whole, non-zero rate.
void PutExtended(TBytes& bytes, u32 rate)
{
    int exponent = 31;
    while (!(rate & 0x80000000u))
    {
        rate <<= 1;
        --exponent;
    }
    PutBE16(bytes, u16(16383 + exponent));
    PutBE32(bytes, rate);
    PutBE32(bytes, 0);
}

void PutSample(TBytes& bytes, i32 value, u32 containerBytes, bool littleEndian)
{
    for (u32 i = 0; i < containerBytes; ++i)
    {
        const u32 shift = littleEndian ? 8 * i : 8 * (containerBytes - 1 - i);
        bytes.push_back(u8(u32(value) >> shift));
    }
}
} // namespace

std::vector<u8> BuildAIFF(const TAIFFSpec& spec)
{
    const bool isAIFC = !spec.fCompression.empty();
    const u32 containerBytes = u32(spec.fBits + 7) / 8;
    TBytes body;
    PutText(body, isAIFC ? "AIFC" : "AIFF");

    TBytes common;
    PutBE16(common, spec.fChannels);
    PutBE32(common, u32(spec.fSamples.size() / (spec.fChannels ? spec.fChannels : 1)));
    PutBE16(common, u16(spec.fBits));
    PutExtended(common, spec.fRate);
    if (isAIFC)
    {
        PutText(common, spec.fCompression);
        common.push_back(0); // an empty name, padded
        common.push_back(0);
    }
    PutChunk(body, "COMM", common, false);

    if (!spec.fMarkers.empty())
    {
        TBytes markers;
        PutBE16(markers, u16(spec.fMarkers.size()));
        for (const TAIFFMarker& marker : spec.fMarkers)
        {
            PutBE16(markers, marker.fId);
            PutBE32(markers, marker.fPosition);
            PutText(markers, "\3mk"); // a name of 3 characters: no pad byte
            markers.push_back('1');
        }
        PutChunk(body, "MARK", markers, false);
    }
    if (spec.fHasInstrument)
    {
        const TAIFFInstrument& instrument = spec.fInstrument;
        TBytes inst = {instrument.fBaseNote, u8(instrument.fDetune), instrument.fLowNote, instrument.fHighNote, 0, 127};
        PutBE16(inst, 0); // gain
        for (const TAIFFLoop& loop : {instrument.fSustain, instrument.fRelease})
        {
            PutBE16(inst, u16(loop.fPlayMode));
            PutBE16(inst, loop.fBeginMarker);
            PutBE16(inst, loop.fEndMarker);
        }
        PutChunk(body, "INST", inst, false);
    }
    for (const TApplicationChunk& application : spec.fApplications)
    {
        TBytes appl;
        PutText(appl, application.fSignature);
        appl.insert(appl.end(), application.fData.begin(), application.fData.end());
        PutChunk(body, "APPL", appl, false);
    }

    TBytes sound;
    PutBE32(sound, 0); // offset
    PutBE32(sound, 0); // block size
    const bool littleEndian = spec.fCompression == "sowt";
    for (i32 sample : spec.fSamples)
        PutSample(sound, sample, containerBytes, littleEndian);
    PutChunk(body, "SSND", sound, false);

    TBytes file;
    PutText(file, "FORM");
    PutBE32(file, u32(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<u8> BuildWAVE(const TWAVESpec& spec)
{
    const u32 containerBytes = spec.fContainerBits / 8u;
    TBytes body;
    PutText(body, "WAVE");

    TBytes format;
    const bool extensible = spec.fValidBits != 0;
    PutLE16(format, extensible ? 0xFFFE : spec.fFormatTag);
    PutLE16(format, spec.fChannels);
    PutLE32(format, spec.fRate);
    PutLE32(format, spec.fRate * spec.fChannels * containerBytes);
    PutLE16(format, u16(spec.fChannels * containerBytes));
    PutLE16(format, spec.fContainerBits);
    if (extensible)
    {
        PutLE16(format, 22);
        PutLE16(format, spec.fValidBits);
        PutLE32(format, 0); // channel mask
        PutLE16(format, spec.fFormatTag);
        for (u8 byte : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            format.push_back(byte);
    }
    PutChunk(body, "fmt ", format, true);

    if (spec.fHasSampler)
    {
        TBytes sampler;
        for (u32 field : {0u, 0u, 22675u, spec.fUnityNote, spec.fPitchFraction, 0u, 0u, u32(spec.fLoops.size()), 0u})
            PutLE32(sampler, field);
        for (const TWAVELoop& loop : spec.fLoops)
            for (u32 field : {0u, loop.fType, loop.fStart, loop.fEnd, 0u, 0u})
                PutLE32(sampler, field);
        PutChunk(body, "smpl", sampler, true);
    }
    if (!spec.fTempoMap.empty())
        PutChunk(body, "QMTp", spec.fTempoMap, true);

    TBytes data;
    for (i32 sample : spec.fSamples)
        PutSample(data, containerBytes == 1 ? sample + 128 : sample, containerBytes, true);
    PutChunk(body, "data", data, true);

    TBytes file;
    PutText(file, "RIFF");
    PutLE32(file, u32(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<u8> BuildTempoMapData(i32 value, const std::vector<std::pair<i32, i32>>& points)
{
    TBytes data;
    PutText(data, "TEMPOMAP");
    PutBE16(data, 1);
    PutBE16(data, 0);
    PutBE32(data, u32(value));
    PutBE32(data, u32(points.size()));
    for (const auto& [position, tempo] : points)
    {
        PutBE32(data, u32(position));
        PutBE32(data, u32(tempo));
    }
    return data;
}
} // namespace NSTestSupport
