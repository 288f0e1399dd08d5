#include "media/soundfont/SoundFontChunks.h"

#include "base/ByteOrder.h"
#include "base/TextConversions.h"

#include <algorithm>
#include <string>
#include <vector>

namespace NSFerrant
{
namespace
{
using NSByteOrder::ReadLE16;
using NSByteOrder::ReadLE32;

struct TTextChunk
{
    TFourCC fID;
    TUTF16String TSoundFontData::*fText;
    size_t fLimit;
};

const TTextChunk kTextChunks[] = {
    {MakeFourCC("isng"), &TSoundFontData::fSoundEngine, kSoundFontTextLimit},
    {MakeFourCC("INAM"), &TSoundFontData::fBankName, kSoundFontTextLimit},
    {MakeFourCC("irom"), &TSoundFontData::fROMName, kSoundFontTextLimit},
    {MakeFourCC("ICRD"), &TSoundFontData::fCreationDate, kSoundFontTextLimit},
    {MakeFourCC("IENG"), &TSoundFontData::fEngineers, kSoundFontTextLimit},
    {MakeFourCC("IPRD"), &TSoundFontData::fProduct, kSoundFontTextLimit},
    {MakeFourCC("ICOP"), &TSoundFontData::fCopyright, kSoundFontTextLimit},
    {MakeFourCC("ICMT"), &TSoundFontData::fComment, kSoundFontCommentLimit},
    {MakeFourCC("ISFT"), &TSoundFontData::fCreatingTools, kSoundFontTextLimit},
};

// "ifil" and "iver": exactly 4 bytes, major then minor. Absent, the defaults stay.
void ReadVersionChunk(CRIFFReader2& info, TFourCC id, u16& major, u16& minor)
{
    TIFFChunk chunk;
    if (!info.FindChunk(id, chunk))
        return;
    if (GetChunkDataSize(chunk) != 4)
        ThrowSoundFontFormatError();
    u8 bytes[4];
    info.ReadChunkData(chunk, bytes);
    major = ReadLE16(bytes);
    minor = ReadLE16(bytes + 2);
}

// The chunk's data up to its first zero byte, cut to limit bytes. A chunk may hold one byte more
// than the limit (the text's zero byte); a longer one is a format error.
void ReadTextChunk(CRIFFReader2& info, const TTextChunk& text, TSoundFontData& data,
                   ESoundFontReading reading)
{
    TIFFChunk chunk;
    if (!info.FindChunk(text.fID, chunk))
        return;
    const i64 size = GetChunkDataSize(chunk);
    if (size > i64(text.fLimit) + 1)
        ThrowSoundFontFormatError();
    std::string bytes(size_t(size), '\0');
    info.ReadChunkData(chunk, bytes.data());
    // Without a zero byte find answers npos: the text is then all of the data.
    bytes.resize(std::min({bytes.find('\0'), bytes.size(), text.fLimit}));
    TUTF16String& target = data.*text.fText;
    target = NSTextPackage::ANSIToUTF16(bytes);
    if (reading == ESoundFontReading::kLenient && target.size() > text.fLimit)
        ThrowSoundFontFormatError();
}

// Moves whole semitones of the pitch correction into the root key, so the correction ends
// within -50..+50 cents.
void NormaliseSampleHeader(TSoundFontSampleHeader& header)
{
    i32 correction = header.fPitchCorrection;
    while (correction > 50)
    {
        if (header.fRootKey == 0)
            ThrowSoundFontFormatError();
        --header.fRootKey;
        correction -= 100;
    }
    while (correction < -50)
    {
        if (header.fRootKey >= 127)
            ThrowSoundFontFormatError();
        ++header.fRootKey;
        correction += 100;
    }
    header.fPitchCorrection = i8(correction);
}

TSoundFontPresetHeader ParsePresetHeader(const u8* entry)
{
    TSoundFontPresetHeader header;
    header.fName = DecodeSoundFontName(entry);
    header.fPresetNumber = ReadLE16(entry + 20);
    header.fBankNumber = ReadLE16(entry + 22);
    header.fFirstBag = ReadLE16(entry + 24);
    return header;
}

TSoundFontBag ParseBag(const u8* entry)
{
    return {ReadLE16(entry), ReadLE16(entry + 2)};
}

TSoundFontModulator ParseModulator(const u8* entry)
{
    TSoundFontModulator modulator;
    modulator.fSourceOperator = ReadLE16(entry);
    modulator.fDestinationGenerator = ReadLE16(entry + 2);
    modulator.fAmount = i16(ReadLE16(entry + 4));
    modulator.fAmountSourceOperator = ReadLE16(entry + 6);
    modulator.fTransform = ReadLE16(entry + 8);
    return modulator;
}

TSoundFontGenerator ParseGenerator(const u8* entry)
{
    return {ReadLE16(entry), ReadLE16(entry + 2)};
}

TSoundFontInstrument ParseInstrument(const u8* entry)
{
    return {DecodeSoundFontName(entry), ReadLE16(entry + 20)};
}

TSoundFontSampleHeader ParseSampleHeader(const u8* entry)
{
    TSoundFontSampleHeader header;
    header.fName = DecodeSoundFontName(entry);
    header.fStart = ReadLE32(entry + 20);
    header.fEnd = ReadLE32(entry + 24);
    header.fLoopStart = ReadLE32(entry + 28);
    header.fLoopEnd = ReadLE32(entry + 32);
    header.fSampleRate = ReadLE32(entry + 36);
    header.fRootKey = entry[40];
    header.fPitchCorrection = i8(entry[41]);
    header.fLinkedSample = ReadLE16(entry + 42);
    header.fSampleType = ReadLE16(entry + 44);
    NormaliseSampleHeader(header);
    return header;
}

// Reads one "pdta" chunk whole into the reused buffer and parses its entries.
class CEntryListReader
{
public:
    CEntryListReader(CRIFFReader2& pdta, ESoundFontReading reading) : fPDTA(pdta), fReading(reading) {}

    // minimumEntries counts the terminal entry; the lenient reader asks for at least one entry
    // in every list whatever the caller's minimum.
    template <class TEntry>
    void Read(const char (&id)[5], size_t entrySize, size_t minimumEntries, TEntry (*parse)(const u8*),
              std::vector<TEntry>& entries)
    {
        if (fReading == ESoundFontReading::kLenient)
            minimumEntries = std::max<size_t>(minimumEntries, 1);
        TIFFChunk chunk;
        if (!fPDTA.FindChunk(MakeFourCC(id), chunk))
            ThrowSoundFontFormatError();
        // The chunk reader has checked that the data lies within the media.
        const u64 size = u64(GetChunkDataSize(chunk));
        if (size % entrySize != 0 || size < minimumEntries * entrySize)
            ThrowSoundFontFormatError();
        fBuffer.resize(size_t(size));
        fPDTA.ReadChunkData(chunk, fBuffer.data());

        size_t count = size_t(size / entrySize);
        if (fReading == ESoundFontReading::kLenient)
            --count; // the terminal entry only closes the ranges of the last real one
        entries.clear();
        entries.reserve(count);
        for (size_t i = 0; i < count; ++i)
            entries.push_back(parse(fBuffer.data() + i * entrySize));
    }

private:
    CRIFFReader2& fPDTA;
    ESoundFontReading fReading;
    std::vector<u8> fBuffer;
};

template <class THeader>
bool AreFirstBagsOrdered(const std::vector<THeader>& headers, size_t minimumHeaders, bool strictlyIncreasing,
                         size_t bagCount)
{
    if (headers.size() < minimumHeaders || headers.empty() || headers.front().fFirstBag != 0)
        return false;
    for (size_t i = 1; i < headers.size(); ++i)
    {
        const u16 previous = headers[i - 1].fFirstBag;
        const u16 current = headers[i].fFirstBag;
        if (current < previous || (strictlyIncreasing && current == previous))
            return false;
    }
    return headers.back().fFirstBag <= bagCount;
}

bool AreBagsOrdered(const std::vector<TSoundFontBag>& bags, size_t generatorCount, size_t modulatorCount)
{
    if (bags.empty())
        return false;
    for (size_t i = 1; i < bags.size(); ++i)
    {
        if (bags[i].fFirstGenerator < bags[i - 1].fFirstGenerator ||
            bags[i].fFirstModulator < bags[i - 1].fFirstModulator)
            return false;
    }
    return bags.back().fFirstGenerator <= generatorCount && bags.back().fFirstModulator <= modulatorCount;
}
} // namespace

TIFFChunk WalkToSoundFontGroup(CRIFFReader2& reader, u32 kind, TFourCC type)
{
    TIFFChunk chunk;
    if (!reader.FirstChunk(chunk))
        ThrowSoundFontFormatError();
    while (chunk.fKind != kind || chunk.fFourCC != type)
    {
        if (!reader.NextChunk(chunk, chunk))
            ThrowSoundFontFormatError();
    }
    return chunk;
}

void ReadSoundFontInfo(CRIFFReader2& formReader, const TIFFChunk& infoList, TSoundFontData& data,
                       ESoundFontReading reading)
{
    CRIFFReader2 info(formReader, infoList);
    ReadVersionChunk(info, MakeFourCC("ifil"), data.fFileVersionMajor, data.fFileVersionMinor);
    ReadVersionChunk(info, MakeFourCC("iver"), data.fROMVersionMajor, data.fROMVersionMinor);
    for (const TTextChunk& text : kTextChunks)
        ReadTextChunk(info, text, data, reading);
}

void ReadSoundFontLists(CRIFFReader2& formReader, const TIFFChunk& pdtaList, TSoundFontData& data,
                        ESoundFontReading reading)
{
    CRIFFReader2 pdta(formReader, pdtaList);
    CEntryListReader lists(pdta, reading);
    lists.Read("phdr", 38, 2, &ParsePresetHeader, data.fPresetHeaders);
    lists.Read("pbag", 4, 0, &ParseBag, data.fPresetBags);
    lists.Read("pmod", 10, 0, &ParseModulator, data.fPresetModulators);
    lists.Read("pgen", 4, 0, &ParseGenerator, data.fPresetGenerators);
    lists.Read("inst", 22, 2, &ParseInstrument, data.fInstruments);
    lists.Read("ibag", 4, 0, &ParseBag, data.fInstrumentBags);
    lists.Read("imod", 10, 0, &ParseModulator, data.fInstrumentModulators);
    lists.Read("igen", 4, 0, &ParseGenerator, data.fInstrumentGenerators);
    lists.Read("shdr", 46, 0, &ParseSampleHeader, data.fSampleHeaders);
}

bool AreSoundFontTextLengthsValid(const TSoundFontData& data)
{
    return std::all_of(std::begin(kTextChunks), std::end(kTextChunks),
                       [&](const TTextChunk& text) { return (data.*text.fText).size() <= text.fLimit; });
}

bool AreSoundFontIndexesValid(const TSoundFontData& data, size_t minimumHeaders)
{
    return AreFirstBagsOrdered(data.fPresetHeaders, minimumHeaders, true, data.fPresetBags.size()) &&
           AreBagsOrdered(data.fPresetBags, data.fPresetGenerators.size(), data.fPresetModulators.size()) &&
           AreFirstBagsOrdered(data.fInstruments, minimumHeaders, false, data.fInstrumentBags.size()) &&
           AreBagsOrdered(data.fInstrumentBags, data.fInstrumentGenerators.size(),
                          data.fInstrumentModulators.size());
}

namespace
{
template <class TEntry> bool DropTerminalEntry(std::vector<TEntry>& entries)
{
    if (entries.empty())
        return false;
    entries.pop_back();
    return true;
}
} // namespace

bool AreListedSoundFontRulesMet(const TSoundFontData& listed)
{
    return std::all_of(listed.fSampleHeaders.begin(), listed.fSampleHeaders.end(),
                       [](const TSoundFontSampleHeader& header) { return IsStandardSampleType(header.fSampleType); }) &&
           AreSoundFontIndexesValid(listed, 1);
}

std::optional<TSoundFontData> WithoutTerminalEntries(const TSoundFontData& data)
{
    TSoundFontData listed = data;
    if (DropTerminalEntry(listed.fPresetHeaders) && DropTerminalEntry(listed.fPresetBags) &&
        DropTerminalEntry(listed.fPresetModulators) && DropTerminalEntry(listed.fPresetGenerators) &&
        DropTerminalEntry(listed.fInstruments) && DropTerminalEntry(listed.fInstrumentBags) &&
        DropTerminalEntry(listed.fInstrumentModulators) && DropTerminalEntry(listed.fInstrumentGenerators) &&
        DropTerminalEntry(listed.fSampleHeaders))
        return listed;
    return std::nullopt;
}
} // namespace NSFerrant
