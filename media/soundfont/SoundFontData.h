#pragma once
// The in-memory form of a SoundFont 2 bank and the conventions every SoundFont reader and writer
// shares. Texts and names are UTF-16 in memory and bytes of the system ANSI code page in a file.
#include "base/FixedName.h"
#include "base/Types.h"
#include "base/UTF16String.h"

#include <vector>

namespace NSFerrant
{
using NSTextPackage::TUTF16String;

// Sample header types; a type of kSoundFontROMMono or above names a sample whose words are not
// in the file.
constexpr u32 kSoundFontMonoSample = 1;
constexpr u32 kSoundFontRightSample = 2;
constexpr u32 kSoundFontLeftSample = 4;
constexpr u32 kSoundFontLinkedSample = 8;
constexpr u32 kSoundFontROMMono = 0x8001;
// Set in the type of a sample whose words are not in the file.
constexpr u32 kSoundFontROMFlag = 0x8000;

// A mono, right, left or linked sample, in the file or not: the types the format names.
constexpr bool IsStandardSampleType(u32 type)
{
    const u32 kind = type & ~kSoundFontROMFlag;
    return kind == kSoundFontMonoSample || kind == kSoundFontRightSample || kind == kSoundFontLeftSample ||
           kind == kSoundFontLinkedSample;
}

// A standard type of a sample whose words are not in the file.
constexpr bool IsROMSampleType(u32 type)
{
    return (type & kSoundFontROMFlag) != 0 && IsStandardSampleType(type);
}

struct TSoundFontPresetHeader
{
    TUTF16String fName;
    u16 fPresetNumber = 0;
    u16 fBankNumber = 0;
    u16 fFirstBag = 0;

    bool operator==(const TSoundFontPresetHeader&) const = default;
};

struct TSoundFontBag
{
    u16 fFirstGenerator = 0;
    u16 fFirstModulator = 0;

    bool operator==(const TSoundFontBag&) const = default;
};

// The file's 16-bit operators are zero-extended, never sign-extended.
struct TSoundFontModulator
{
    u16 fSourceOperator = 0;
    u32 fDestinationGenerator = 0;
    i16 fAmount = 0;
    u16 fAmountSourceOperator = 0;
    u32 fTransform = 0;

    bool operator==(const TSoundFontModulator&) const = default;
};

struct TSoundFontGenerator
{
    u32 fOperator = 0;
    u16 fAmount = 0; // the raw 16 bits: signed, unsigned or a low and a high byte

    bool operator==(const TSoundFontGenerator&) const = default;
};

struct TSoundFontInstrument
{
    TUTF16String fName;
    u16 fFirstBag = 0;

    bool operator==(const TSoundFontInstrument&) const = default;
};

// Positions count 16-bit words from the start of the "smpl" data. After reading, the pitch
// correction lies within -50..+50 cents.
struct TSoundFontSampleHeader
{
    TUTF16String fName;
    u32 fStart = 0;
    u32 fEnd = 0;
    u32 fLoopStart = 0;
    u32 fLoopEnd = 0;
    u32 fSampleRate = 0;
    u8 fRootKey = 0;
    i8 fPitchCorrection = 0;
    u16 fLinkedSample = 0;
    u32 fSampleType = 0;

    bool operator==(const TSoundFontSampleHeader&) const = default;
};

// A bank's texts and lists, without sample words. Read leniently, the lists hold no terminal
// entries (index fields keep the file's values, so the last entry's range ends at the size of
// the list it indexes); inside a CSoundFontBank they keep them.
struct TSoundFontData
{
    u16 fFileVersionMajor = 2;
    u16 fFileVersionMinor = 1;
    TUTF16String fSoundEngine;
    TUTF16String fBankName;
    TUTF16String fROMName;
    u16 fROMVersionMajor = 0;
    u16 fROMVersionMinor = 0;
    TUTF16String fCreationDate;
    TUTF16String fEngineers;
    TUTF16String fProduct;
    TUTF16String fCopyright;
    TUTF16String fComment;
    TUTF16String fCreatingTools;

    std::vector<TSoundFontPresetHeader> fPresetHeaders;
    std::vector<TSoundFontBag> fPresetBags;
    std::vector<TSoundFontModulator> fPresetModulators;
    std::vector<TSoundFontGenerator> fPresetGenerators;
    std::vector<TSoundFontInstrument> fInstruments;
    std::vector<TSoundFontBag> fInstrumentBags;
    std::vector<TSoundFontModulator> fInstrumentModulators;
    std::vector<TSoundFontGenerator> fInstrumentGenerators;
    std::vector<TSoundFontSampleHeader> fSampleHeaders;

    bool operator==(const TSoundFontData&) const = default;
};

// The bytes of a 20-byte name field up to its first zero byte (all 20 without one), converted
// from the ANSI code page.
TUTF16String DecodeSoundFontName(const u8* field);

// True for the generator operators the format assigns, the end operator 60 included.
bool IsDefinedGenerator(u32 generatorOperator);

// "sound_font_file_format": the object type of every SoundFont format error.
NSQuorral::TFixedName GetSoundFontFileFormatObjectType();

// Every rule a bank breaks ends here, so all SoundFont format errors look alike to a caller:
// XFormatViolation with an empty message and the object type above.
[[noreturn]] void ThrowSoundFontFormatError();
} // namespace NSFerrant
