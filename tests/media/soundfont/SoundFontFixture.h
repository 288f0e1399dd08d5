#pragma once
// A small SoundFont 2 bank assembled byte by byte, independently of the project's writer, so
// that tests can break one rule at a time. The lists hold their terminal entries explicitly and
// are written exactly as given.
#include "media/soundfont/SoundFontData.h"
#include "tests/support/MediaBytes.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace NSTestSupport
{
struct TFixtureChunk
{
    std::string fID; // four characters; "LIST" chunks hold their type in the first 4 data bytes
    TBytes fData;
};

struct TFixturePreset
{
    std::string fName;
    u16 fPreset = 0;
    u16 fBank = 0;
    u16 fBag = 0;
};

struct TFixtureBag
{
    u16 fGenerator = 0;
    u16 fModulator = 0;
};

struct TFixtureModulator
{
    u16 fSource = 0;
    u16 fDestination = 0;
    i16 fAmount = 0;
    u16 fAmountSource = 0;
    u16 fTransform = 0;
};

struct TFixtureGenerator
{
    u16 fOperator = 0;
    u16 fAmount = 0;
};

struct TFixtureInstrument
{
    std::string fName;
    u16 fBag = 0;
};

struct TFixtureSample
{
    std::string fName;
    u32 fStart = 0;
    u32 fEnd = 0;
    u32 fLoopStart = 0;
    u32 fLoopEnd = 0;
    u32 fRate = 0;
    u8 fRootKey = 0;
    i8 fCorrection = 0;
    u16 fLink = 0;
    u16 fType = 0;
};

struct TSoundFontFixture
{
    // The standard bank: two presets over three zones, two instruments, a left and right pair
    // and a mono sample over 64 sample words.
    TSoundFontFixture();

    // The whole file: fLeading, then the "sfbk" form with fBeforeInfo, INFO, sdta, fBeforePDTA,
    // pdta (each group left out when its flag says so).
    TBytes Build() const;

    std::vector<TFixtureChunk> fLeading;    // top-level chunks before the form
    std::vector<TFixtureChunk> fBeforeInfo; // chunks in the form before LIST "INFO"
    std::vector<TFixtureChunk> fBeforePDTA; // chunks in the form between "sdta" and "pdta"
    std::vector<TFixtureChunk> fInfo;
    bool fHasInfo = true;
    bool fHasSDTA = true;
    bool fHasPDTA = true;
    std::optional<TBytes> fSampleData; // the "smpl" chunk's data, when there is one
    std::vector<i16> fWords;           // the words fSampleData holds

    std::vector<TFixturePreset> fPresets;
    std::vector<TFixtureBag> fPresetBags;
    std::vector<TFixtureModulator> fPresetModulators;
    std::vector<TFixtureGenerator> fPresetGenerators;
    std::vector<TFixtureInstrument> fInstruments;
    std::vector<TFixtureBag> fInstrumentBags;
    std::vector<TFixtureModulator> fInstrumentModulators;
    std::vector<TFixtureGenerator> fInstrumentGenerators;
    std::vector<TFixtureSample> fSamples;

    // Per "pdta" chunk id: bytes appended to its entries, or the chunk left out.
    std::map<std::string, TBytes> fExtraBytes;
    std::vector<std::string> fOmitted;
    // Per "pdta" chunk id: the chunk's data replaced whole.
    std::map<std::string, TBytes> fReplaced;
};

// A plain chunk's bytes with its little-endian size and pad byte.
TBytes ChunkBytes(const std::string& id, const TBytes& data);
TBytes ListBytes(const std::string& type, const std::vector<TFixtureChunk>& chunks);
// A text INFO chunk: the text and one zero byte.
TFixtureChunk TextChunk(const std::string& id, const std::string& text);

// The fixture's bank through the lenient reader.
NSFerrant::TSoundFontData ReadFixture(const TSoundFontFixture& fixture);
} // namespace NSTestSupport
