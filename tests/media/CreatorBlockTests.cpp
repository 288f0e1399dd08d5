#include "media/CreatorBlock.h"

#include "base/Media.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
TEST(CreatorBlock, ProgramBlockByteForByte)
{
    COwnedMemoryMedia media(0);
    media.fPosition = 8;
    WriteCreatorBlock(media);
    EXPECT_EQ(media.fPosition, 8 + 256);
    const TBytes all = BytesOf(media);
    const TBytes block(all.begin() + 8, all.end());
    ASSERT_EQ(block.size(), 256u);

    const std::string text = kProgramCreatorText;
    TBytes expected = Concat({Bytes({0x41, 0x2B, 0xA3, 0x09, 0xBC, 1, 2, 0, 0}), Text(text)});
    expected.resize(256, 0);
    EXPECT_EQ(block, expected);
    EXPECT_LE(text.size(), 128u);
    EXPECT_EQ(text.find('\n'), std::string::npos);

    TCreatorBlock parsed;
    ParseCreatorBlock(parsed, block.data());
    EXPECT_EQ(parsed.fTag, kProgramCreatorTag);
    EXPECT_EQ(parsed.fVersion, kProgramCreatorVersion);
    EXPECT_EQ(parsed.fText, text);
}

TEST(CreatorBlock, TextIsCutTo128BytesWithoutItsLFs)
{
    std::string text(130, 'x');
    text[10] = '\n';
    text[100] = '\n';
    text[129] = 'y'; // the 128th byte that is not an LF
    u8 bytes[kCreatorBlockSize];
    EncodeCreatorBlock({0x01020304, {1, 2, 3}, text + "zzz"}, bytes);
    EXPECT_EQ(TBytes(bytes, bytes + 9), Bytes({1, 2, 3, 4, 0xBC, 1, 2, 3, 0}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes + 9), 128), std::string(127, 'x') + "y");
    EXPECT_EQ(TBytes(bytes + 137, bytes + 256), TBytes(119, 0));

    EXPECT_THROW(EncodeCreatorBlock({0, {1, 2, 3, kVersionStageBeta, 1}, ""}, bytes), std::invalid_argument);
}

TEST(CreatorBlock, ParsingAddsLFAfterCRAndKeepsAnUnknownVersion)
{
    TBytes block = Concat({Bytes({1, 2, 3, 4, 0xBD, 9, 9, 9, 0}), Text("a\rb")});
    block.resize(256, 0);
    TCreatorBlock parsed;
    parsed.fVersion = TVersion{7, 7, 7};
    ParseCreatorBlock(parsed, block.data());
    EXPECT_EQ(parsed.fTag, 0x01020304u);
    EXPECT_EQ(parsed.fVersion, (TVersion{7, 7, 7}));
    EXPECT_EQ(parsed.fText, "a\r\nb");

    // Without a zero byte the text runs to the end of the block.
    TBytes full(256, 'z');
    full[4] = 0xBC;
    ParseCreatorBlock(parsed, full.data());
    EXPECT_EQ(parsed.fText, std::string(247, 'z'));
}
} // namespace
