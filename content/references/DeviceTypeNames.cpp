#include "content/references/DeviceTypeNames.h"

#include "base/Throw.h"
#include "content/references/ASCIIText.h"

namespace
{
const char* const kDeviceTypeNames[kDeviceTypeNameCount] = {
    "Tessaro Hardware Interface Device",
    "Mixer 12:4",
    "Carvel Analog Synth",
    "Pellin Digital Sampler",
    "Loopkin Loop Player",
    "Tamborin Drum Computer",
    "HL-3 Digital Reverb",
    "TDL Digital Delay Line",
    "F-23 Foldback Distortion",
    "Lattice Pattern Sequencer",
    "EF-61 Envelope Controlled Filter",
    "CH-202 Chorus/Flanger",
    "PZ-45 Phaser",
    "SQZ-07 Compressor",
    "EQT-2 Two Band Parametric EQ",
    "Vivify Input Machine",
    "MIDI Gate Converter",
    "Ondel Synth",
    "Ostrel Digital Sampler",
};

const u8 kDescriptionCodes[] = {19, 12, 6, 20, 4, 16, 14, 23, 26, 1, 2, 8, 11, 13, 21, 22};
} // namespace

NSTextPackage::TUTF16String GetDeviceTypeName(u8 code)
{
    if (code >= kDeviceTypeNameCount)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    return NSASCIIText::Widen(kDeviceTypeNames[code]);
}

u8 GetDeviceTypeFromName(const NSTextPackage::TUTF16String& name)
{
    for (u8 code = 0; code < kDeviceTypeNameCount; ++code)
    {
        if (NSASCIIText::Equals(name, kDeviceTypeNames[code]))
            return code;
    }
    return kNoDeviceType;
}

u8 MapDescriptionCode(u8 code)
{
    if (code >= sizeof(kDescriptionCodes))
        return 255;
    return kDescriptionCodes[code];
}
