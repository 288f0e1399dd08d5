#pragma once
// The creator block: the 256-byte stamp (a tag, a version and the maker's text) that follows the
// magic and the total size at the start of a package header.
#include "base/Types.h"
#include "base/VersionNumbers.h"

#include <cstddef>
#include <string>

namespace NSFerrant
{
class CMedia;

// The 256-byte stamp: tag, version (short form) and the maker's text of at most 128 bytes.
struct TCreatorBlock
{
    u32 fTag = 0;
    TVersion fVersion;
    std::string fText;
};

constexpr std::size_t kCreatorBlockSize = 256;

// The program's creator values, fixed for the whole run. The package reader accepts only
// packages whose creator text is kProgramCreatorText byte for byte.
constexpr u32 kProgramCreatorTag = 0x412BA309;
constexpr TVersion kProgramCreatorVersion{1, 2, 0};
constexpr char kProgramCreatorText[] = "Vantle Packer";

// The 256 bytes of a block: the text is cut to 128 bytes with its LFs left out. The version must
// have the short form (std::invalid_argument otherwise).
void EncodeCreatorBlock(const TCreatorBlock& block, u8 bytes[kCreatorBlockSize]);
// Writes the block of the program's creator values.
void WriteCreatorBlock(CMedia& media);
// Fills block from 256 bytes already read. The version stays as the caller set it when byte 4 is
// not 0xBC; an LF is inserted after every CR of the text.
void ParseCreatorBlock(TCreatorBlock& block, const u8 bytes[kCreatorBlockSize]);
} // namespace NSFerrant
