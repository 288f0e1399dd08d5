#include "media/soundfont/SoundFontWriter.h"

#include "base/ByteOrder.h"
#include "base/TextConversions.h"
#include "media/IFFWriter2.h"
#include "media/soundfont/SoundFontChunks.h"

#include <algorithm>
#include <memory>
#include <string>

namespace NSFerrant
{
namespace
{
using NSByteOrder::WriteLE16;
using NSByteOrder::WriteLE32;
using TEntryBytes = std::vector<u8>;

constexpr size_t kNameFieldSize = 20;
constexpr size_t kWordsPerBlock = 4096;

// A group begun in the parent, with a writer on its data; End sets its size from the media's
// current end, since the bank is appended.
class CGroupWriter
{
public:
    CGroupWriter(CIFFWriter2& parent, u32 kind, TFourCC groupID, TFourCC type)
        : fParent(parent), fWriter(parent, parent.BeginGroup(kind, groupID, type))
    {
    }

    CIFFWriter2& Writer() { return fWriter; }

    void End()
    {
        CMedia& window = fWriter.GetMedia();
        fParent.EndChunk(fWriter.GetChunk(), window.GetSize());
    }

private:
    CIFFWriter2& fParent;
    CRIFFWriter2 fWriter;
};

void WriteVersionChunk(CIFFWriter2& info, const char (&id)[5], u16 major, u16 minor)
{
    u8 bytes[4];
    WriteLE16(bytes, major);
    WriteLE16(bytes + 2, minor);
    info.WriteChunk(MakeFourCC(id), 4, bytes);
}

// The text cut to limit bytes, then one zero byte.
void WriteTextChunk(CIFFWriter2& info, const char (&id)[5], const TUTF16String& text, size_t limit)
{
    std::string bytes = NSTextPackage::UTF16ToANSI(text);
    bytes.resize(std::min(bytes.size(), limit));
    bytes.push_back('\0');
    info.WriteChunk(MakeFourCC(id), i64(bytes.size()), bytes.data());
}

void WriteOptionalTextChunk(CIFFWriter2& info, const char (&id)[5], const TUTF16String& text, size_t limit)
{
    if (!text.empty())
        WriteTextChunk(info, id, text, limit);
}

// The name cut or zero-filled to its 20-byte field.
void AppendName(TEntryBytes& bytes, const TUTF16String& name)
{
    std::string field = NSTextPackage::UTF16ToANSI(name);
    field.resize(kNameFieldSize, '\0');
    bytes.insert(bytes.end(), field.begin(), field.end());
}

void AppendU16(TEntryBytes& bytes, u16 value)
{
    u8 field[2];
    WriteLE16(field, value);
    bytes.insert(bytes.end(), field, field + 2);
}

void AppendU32(TEntryBytes& bytes, u32 value)
{
    u8 field[4];
    WriteLE32(field, value);
    bytes.insert(bytes.end(), field, field + 4);
}

void WriteEntries(CIFFWriter2& pdta, const char (&id)[5], const TEntryBytes& bytes)
{
    pdta.WriteChunk(MakeFourCC(id), i64(bytes.size()), bytes.data());
}

// The terminal bag closes the generator and modulator ranges of the last real bag.
void WriteBags(CIFFWriter2& pdta, const char (&id)[5], const std::vector<TSoundFontBag>& bags,
               size_t generatorCount, size_t modulatorCount)
{
    TEntryBytes bytes;
    for (const TSoundFontBag& bag : bags)
    {
        AppendU16(bytes, bag.fFirstGenerator);
        AppendU16(bytes, bag.fFirstModulator);
    }
    AppendU16(bytes, u16(generatorCount));
    AppendU16(bytes, u16(modulatorCount));
    WriteEntries(pdta, id, bytes);
}

void WriteModulators(CIFFWriter2& pdta, const char (&id)[5],
                     const std::vector<TSoundFontModulator>& modulators)
{
    TEntryBytes bytes;
    for (const TSoundFontModulator& modulator : modulators)
    {
        AppendU16(bytes, modulator.fSourceOperator);
        AppendU16(bytes, u16(modulator.fDestinationGenerator));
        AppendU16(bytes, u16(modulator.fAmount));
        AppendU16(bytes, modulator.fAmountSourceOperator);
        AppendU16(bytes, u16(modulator.fTransform));
    }
    bytes.resize(bytes.size() + 10, 0);
    WriteEntries(pdta, id, bytes);
}

void WriteGenerators(CIFFWriter2& pdta, const char (&id)[5],
                     const std::vector<TSoundFontGenerator>& generators)
{
    TEntryBytes bytes;
    for (const TSoundFontGenerator& generator : generators)
    {
        AppendU16(bytes, u16(generator.fOperator));
        AppendU16(bytes, generator.fAmount);
    }
    bytes.resize(bytes.size() + 4, 0);
    WriteEntries(pdta, id, bytes);
}
} // namespace

void WriteSoundFontInfo(CIFFWriter2& form, const TSoundFontData& data)
{
    CGroupWriter info(form, kChunkKindLIST, kFourCC_LIST, kFourCC_INFO);
    CIFFWriter2& writer = info.Writer();
    WriteVersionChunk(writer, "ifil", data.fFileVersionMajor, data.fFileVersionMinor);
    WriteTextChunk(writer, "isng", data.fSoundEngine, kSoundFontTextLimit);
    WriteTextChunk(writer, "INAM", data.fBankName, kSoundFontTextLimit);
    if (!data.fROMName.empty())
    {
        WriteTextChunk(writer, "irom", data.fROMName, kSoundFontTextLimit);
        WriteVersionChunk(writer, "iver", data.fROMVersionMajor, data.fROMVersionMinor);
    }
    WriteOptionalTextChunk(writer, "ICRD", data.fCreationDate, kSoundFontTextLimit);
    WriteOptionalTextChunk(writer, "IENG", data.fEngineers, kSoundFontTextLimit);
    WriteOptionalTextChunk(writer, "IPRD", data.fProduct, kSoundFontTextLimit);
    WriteOptionalTextChunk(writer, "ICOP", data.fCopyright, kSoundFontTextLimit);
    WriteOptionalTextChunk(writer, "ICMT", data.fComment, kSoundFontCommentLimit);
    WriteOptionalTextChunk(writer, "ISFT", data.fCreatingTools, kSoundFontTextLimit);
    info.End();
}

void WriteSoundFontSampleData(CIFFWriter2& form, const std::vector<i16>& words)
{
    CGroupWriter sdta(form, kChunkKindLIST, kFourCC_LIST, kFourCC_sdta);
    if (!words.empty())
    {
        CIFFWriter2& writer = sdta.Writer();
        const TIFFChunk smpl = writer.BeginChunk(kFourCC_smpl);
        {
            // Block by block, so the words are never held twice.
            const std::unique_ptr<CPartialMedia> window = writer.OpenChunkData(smpl);
            u8 block[kWordsPerBlock * 2];
            for (size_t first = 0; first < words.size(); first += kWordsPerBlock)
            {
                const size_t count = std::min(kWordsPerBlock, words.size() - first);
                for (size_t i = 0; i < count; ++i)
                    WriteLE16(block + 2 * i, u16(words[first + i]));
                WriteBytes(*window, i64(count * 2), block);
            }
        }
        writer.EndChunk(smpl, i64(words.size()) * 2);
    }
    sdta.End();
}

void WriteSoundFontPresetHeaders(CIFFWriter2& pdta, const TSoundFontData& data)
{
    TEntryBytes bytes;
    for (const TSoundFontPresetHeader& header : data.fPresetHeaders)
    {
        AppendName(bytes, header.fName);
        AppendU16(bytes, header.fPresetNumber);
        AppendU16(bytes, header.fBankNumber);
        AppendU16(bytes, header.fFirstBag);
        bytes.resize(bytes.size() + 12, 0); // library, genre and morphology
    }
    bytes.resize(bytes.size() + 24, 0);
    AppendU16(bytes, u16(data.fPresetBags.size()));
    bytes.resize(bytes.size() + 12, 0);
    WriteEntries(pdta, "phdr", bytes);
}

void WriteSoundFontInstruments(CIFFWriter2& pdta, const TSoundFontData& data)
{
    TEntryBytes bytes;
    for (const TSoundFontInstrument& instrument : data.fInstruments)
    {
        AppendName(bytes, instrument.fName);
        AppendU16(bytes, instrument.fFirstBag);
    }
    bytes.resize(bytes.size() + kNameFieldSize, 0);
    AppendU16(bytes, u16(data.fInstrumentBags.size()));
    WriteEntries(pdta, "inst", bytes);
}

void WriteSoundFontSampleHeaders(CIFFWriter2& pdta, const TSoundFontData& data)
{
    TEntryBytes bytes;
    for (const TSoundFontSampleHeader& header : data.fSampleHeaders)
    {
        AppendName(bytes, header.fName);
        AppendU32(bytes, header.fStart);
        AppendU32(bytes, header.fEnd);
        AppendU32(bytes, header.fLoopStart);
        AppendU32(bytes, header.fLoopEnd);
        AppendU32(bytes, header.fSampleRate);
        bytes.push_back(header.fRootKey);
        bytes.push_back(u8(header.fPitchCorrection));
        AppendU16(bytes, header.fLinkedSample);
        AppendU16(bytes, u16(header.fSampleType));
    }
    const size_t terminal = bytes.size();
    bytes.resize(terminal + 46, 0);
    std::copy_n("EOS", 3, bytes.begin() + i64(terminal));
    WriteEntries(pdta, "shdr", bytes);
}

void WriteSoundFont(CMedia& media, const TSoundFontData& data, const std::vector<i16>& sampleWords)
{
    // The writer pads odd ends by their offset in its media, so the bank gets a window of its
    // own: appended at an odd offset it would otherwise gain a pad byte after its form.
    CPartialMedia bank(&media, media.fPosition, CPartialMedia::kOpenEnded);
    CRIFFWriter2 root(bank);
    CGroupWriter form(root, kChunkKindFORM, kFourCC_RIFF, kFourCC_sfbk);
    WriteSoundFontInfo(form.Writer(), data);
    WriteSoundFontSampleData(form.Writer(), sampleWords);

    CGroupWriter pdta(form.Writer(), kChunkKindLIST, kFourCC_LIST, kFourCC_pdta);
    CIFFWriter2& lists = pdta.Writer();
    WriteSoundFontPresetHeaders(lists, data);
    WriteBags(lists, "pbag", data.fPresetBags, data.fPresetGenerators.size(), data.fPresetModulators.size());
    WriteModulators(lists, "pmod", data.fPresetModulators);
    WriteGenerators(lists, "pgen", data.fPresetGenerators);
    WriteSoundFontInstruments(lists, data);
    WriteBags(lists, "ibag", data.fInstrumentBags, data.fInstrumentGenerators.size(),
              data.fInstrumentModulators.size());
    WriteModulators(lists, "imod", data.fInstrumentModulators);
    WriteGenerators(lists, "igen", data.fInstrumentGenerators);
    WriteSoundFontSampleHeaders(lists, data);
    pdta.End();
    form.End();
    bank.PropagatePosition(false);
}
} // namespace NSFerrant
