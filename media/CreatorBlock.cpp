#include "media/CreatorBlock.h"

#include "base/ByteOrder.h"
#include "base/TextUtilities.h"
#include "base/Throw.h"
#include "base/Media.h"

#include <cstring>
#include <stdexcept>

namespace NSFerrant
{
void EncodeCreatorBlock(const TCreatorBlock& block, u8 bytes[kCreatorBlockSize])
{
    std::memset(bytes, 0, kCreatorBlockSize);
    NSByteOrder::WriteBE32(bytes, block.fTag);
    u8 version[kLongVersionSize];
    if (EncodeVersion(block.fVersion, version) != kShortVersionSize)
        NSQuorral::Throw(std::invalid_argument("A creator version needs the short form"));
    std::memcpy(bytes + 4, version, kShortVersionSize);
    char text[kDroppedNewlinesBufferSize];
    CopyTextDroppingNewlines(text, block.fText);
    std::memcpy(bytes + 9, text, kDroppedNewlinesBufferSize - 1);
}

void WriteCreatorBlock(CMedia& media)
{
    u8 bytes[kCreatorBlockSize];
    EncodeCreatorBlock({kProgramCreatorTag, kProgramCreatorVersion, kProgramCreatorText}, bytes);
    WriteBytes(media, kCreatorBlockSize, bytes);
}

void ParseCreatorBlock(TCreatorBlock& block, const u8 bytes[kCreatorBlockSize])
{
    block.fTag = NSByteOrder::ReadBE32(bytes);
    DecodeVersion(block.fVersion, bytes + 4);
    const char* text = reinterpret_cast<const char*>(bytes + 9);
    const std::string stored(text, strnlen(text, kCreatorBlockSize - 9));
    block.fText = ConvertCRToCRLF(stored.c_str());
}
} // namespace NSFerrant
