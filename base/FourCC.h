#pragma once
// Four-character codes: chunk ids of IFF and RIFF files, creators and file types.
#include "base/Types.h"

namespace NSFerrant
{
// Four characters in a u32, the first in the most significant byte; stored in that order in
// IFF and RIFF alike.
using TFourCC = u32;

constexpr TFourCC MakeFourCC(const char (&text)[5])
{
    return (u32(u8(text[0])) << 24) | (u32(u8(text[1])) << 16) | (u32(u8(text[2])) << 8) | u32(u8(text[3]));
}
} // namespace NSFerrant
