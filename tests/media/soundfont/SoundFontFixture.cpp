#include "tests/media/soundfont/SoundFontFixture.h"

#include "media/soundfont/SoundFontReader.h"

#include <algorithm>

namespace NSTestSupport
{
namespace
{
void PutName(TBytes& bytes, const std::string& name)
{
    std::string field = name;
    field.resize(20, '\0');
    bytes.insert(bytes.end(), field.begin(), field.end());
}

TBytes Encode(const std::vector<TFixturePreset>& presets)
{
    TBytes bytes;
    for (const TFixturePreset& preset : presets)
    {
        PutName(bytes, preset.fName);
        PutLE16(bytes, preset.fPreset);
        PutLE16(bytes, preset.fBank);
        PutLE16(bytes, preset.fBag);
        bytes.resize(bytes.size() + 12, 0);
    }
    return bytes;
}

TBytes Encode(const std::vector<TFixtureBag>& bags)
{
    TBytes bytes;
    for (const TFixtureBag& bag : bags)
    {
        PutLE16(bytes, bag.fGenerator);
        PutLE16(bytes, bag.fModulator);
    }
    return bytes;
}

TBytes Encode(const std::vector<TFixtureModulator>& modulators)
{
    TBytes bytes;
    for (const TFixtureModulator& modulator : modulators)
    {
        PutLE16(bytes, modulator.fSource);
        PutLE16(bytes, modulator.fDestination);
        PutLE16(bytes, u16(modulator.fAmount));
        PutLE16(bytes, modulator.fAmountSource);
        PutLE16(bytes, modulator.fTransform);
    }
    return bytes;
}

TBytes Encode(const std::vector<TFixtureGenerator>& generators)
{
    TBytes bytes;
    for (const TFixtureGenerator& generator : generators)
    {
        PutLE16(bytes, generator.fOperator);
        PutLE16(bytes, generator.fAmount);
    }
    return bytes;
}

TBytes Encode(const std::vector<TFixtureInstrument>& instruments)
{
    TBytes bytes;
    for (const TFixtureInstrument& instrument : instruments)
    {
        PutName(bytes, instrument.fName);
        PutLE16(bytes, instrument.fBag);
    }
    return bytes;
}

TBytes Encode(const std::vector<TFixtureSample>& samples)
{
    TBytes bytes;
    for (const TFixtureSample& sample : samples)
    {
        PutName(bytes, sample.fName);
        PutLE32(bytes, sample.fStart);
        PutLE32(bytes, sample.fEnd);
        PutLE32(bytes, sample.fLoopStart);
        PutLE32(bytes, sample.fLoopEnd);
        PutLE32(bytes, sample.fRate);
        bytes.push_back(sample.fRootKey);
        bytes.push_back(u8(sample.fCorrection));
        PutLE16(bytes, sample.fLink);
        PutLE16(bytes, sample.fType);
    }
    return bytes;
}

} // namespace

TBytes ChunkBytes(const std::string& id, const TBytes& data)
{
    TBytes bytes = Text(id);
    PutLE32(bytes, u32(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        bytes.push_back(0);
    return bytes;
}

TBytes ListBytes(const std::string& type, const std::vector<TFixtureChunk>& chunks)
{
    TBytes data = Text(type);
    for (const TFixtureChunk& chunk : chunks)
    {
        const TBytes bytes = ChunkBytes(chunk.fID, chunk.fData);
        data.insert(data.end(), bytes.begin(), bytes.end());
    }
    return ChunkBytes("LIST", data);
}

TFixtureChunk TextChunk(const std::string& id, const std::string& text)
{
    TBytes data = Text(text);
    data.push_back(0);
    return {id, data};
}

TSoundFontFixture::TSoundFontFixture()
{
    fInfo = {{"ifil", Bytes({2, 0, 1, 0})},
             TextChunk("isng", "EMU8000"),
             TextChunk("INAM", "Fixture Bank"),
             TextChunk("ICMT", "Made by the tests")};

    for (i32 i = 0; i < 64; ++i)
        fWords.push_back(i16(i * 1021 - 32000));
    fSampleData = TBytes();
    for (i16 word : fWords)
        PutLE16(*fSampleData, u16(word));

    fPresets = {{"Piano", 0, 0, 0}, {"Strings", 1, 0, 2}, {"EOP", 0, 0, 3}};
    fPresetBags = {{0, 0}, {2, 0}, {3, 0}, {4, 0}};
    fPresetModulators = {{}};
    fPresetGenerators = {{43, 0x7F00}, {41, 0}, {41, 1}, {41, 1}, {}};
    fInstruments = {{"Inst A", 0}, {"Inst B", 2}, {"EOI", 3}};
    fInstrumentBags = {{0, 0}, {2, 0}, {3, 0}, {5, 1}};
    fInstrumentModulators = {{0x0502, 48, 960, 0, 0}, {}};
    fInstrumentGenerators = {{17, u16(-500)}, {53, 0}, {53, 1}, {43, 0x7F00}, {53, 2}, {}};
    fSamples = {{"Left", 0, 20, 4, 16, 22050, 60, 0, 1, 4},
                {"Right", 24, 44, 28, 40, 22050, 60, 0, 0, 2},
                {"Mono", 48, 60, 50, 58, 44100, 64, -20, 0, 1},
                {"EOS", 0, 0, 0, 0, 0, 0, 0, 0, 0}};
}

TBytes TSoundFontFixture::Build() const
{
    const std::pair<std::string, TBytes> lists[] = {
        {"phdr", Encode(fPresets)},
        {"pbag", Encode(fPresetBags)},
        {"pmod", Encode(fPresetModulators)},
        {"pgen", Encode(fPresetGenerators)},
        {"inst", Encode(fInstruments)},
        {"ibag", Encode(fInstrumentBags)},
        {"imod", Encode(fInstrumentModulators)},
        {"igen", Encode(fInstrumentGenerators)},
        {"shdr", Encode(fSamples)},
    };
    std::vector<TFixtureChunk> pdta;
    for (const auto& [id, entries] : lists)
    {
        if (std::find(fOmitted.begin(), fOmitted.end(), id) != fOmitted.end())
            continue;
        TBytes data = entries;
        if (const auto extra = fExtraBytes.find(id); extra != fExtraBytes.end())
            data.insert(data.end(), extra->second.begin(), extra->second.end());
        if (const auto replaced = fReplaced.find(id); replaced != fReplaced.end())
            data = replaced->second;
        pdta.push_back({id, data});
    }

    std::vector<TFixtureChunk> sdta;
    if (fSampleData)
        sdta.push_back({"smpl", *fSampleData});

    TBytes form = Text("sfbk");
    const auto append = [&form](const TBytes& bytes) { form.insert(form.end(), bytes.begin(), bytes.end()); };
    for (const TFixtureChunk& chunk : fBeforeInfo)
        append(ChunkBytes(chunk.fID, chunk.fData));
    if (fHasInfo)
        append(ListBytes("INFO", fInfo));
    if (fHasSDTA)
        append(ListBytes("sdta", sdta));
    for (const TFixtureChunk& chunk : fBeforePDTA)
        append(ChunkBytes(chunk.fID, chunk.fData));
    if (fHasPDTA)
        append(ListBytes("pdta", pdta));

    TBytes file;
    for (const TFixtureChunk& chunk : fLeading)
    {
        const TBytes bytes = ChunkBytes(chunk.fID, chunk.fData);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    const TBytes bank = ChunkBytes("RIFF", form);
    file.insert(file.end(), bank.begin(), bank.end());
    return file;
}

NSFerrant::TSoundFontData ReadFixture(const TSoundFontFixture& fixture)
{
    NSFerrant::COwnedMemoryMedia media = MediaOf(fixture.Build());
    return NSFerrant::ReadSoundFont(media);
}
} // namespace NSTestSupport
