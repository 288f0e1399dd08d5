// The SoundFont writer: what it writes, and that both readers take back what it wrote.
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontWriter.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using namespace NSTestSupport;
using namespace NSFerrant;

TBytes Written(const TSoundFontData& data, const std::vector<i16>& words = {})
{
    COwnedMemoryMedia media(0);
    WriteSoundFont(media, data, words);
    EXPECT_EQ(media.fPosition, media.GetSize());
    return BytesOf(media);
}

bool Holds(const TBytes& bytes, const TBytes& part)
{
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

TEST(SoundFontWriter, RoundTripsThroughBothReaders)
{
    const TSoundFontFixture fixture;
    const TSoundFontData data = ReadFixture(fixture);
    COwnedMemoryMedia media = MediaOf(Written(data, fixture.fWords));

    EXPECT_EQ(ReadSoundFont(media), data);
    const CSoundFontBank bank(media);
    EXPECT_EQ(bank.GetSampleWordCount(), fixture.fWords.size());
    EXPECT_TRUE(Holds(BytesOf(media), Concat({Text("smpl"), Bytes({128, 0, 0, 0}), *fixture.fSampleData})));
}

TEST(SoundFontWriter, GroupSizesCoverTheirDataAndTheBankIsAppended)
{
    const TBytes prefix = ChunkBytes("RIFF", Text("WAVE"));
    COwnedMemoryMedia media = MediaOf(prefix);
    media.fPosition = media.GetSize();
    const TSoundFontData data = ReadFixture(TSoundFontFixture());
    WriteSoundFont(media, data, {});

    EXPECT_EQ(media.fPosition, media.GetSize());
    const TBytes bytes = BytesOf(media);
    ASSERT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin()));
    const size_t form = prefix.size();
    const u32 formSize =
        bytes[form + 4] | (bytes[form + 5] << 8) | (bytes[form + 6] << 16) | (bytes[form + 7] << 24);
    EXPECT_EQ(formSize, bytes.size() - form - 8);
    // The lenient reader walks past the leading form; the written bank carries no "smpl".
    EXPECT_EQ(ReadSoundFont(media), data);
    EXPECT_TRUE(Holds(bytes, Concat({Text("LIST"), Bytes({4, 0, 0, 0}), Text("sdta")})));
    EXPECT_FALSE(Holds(bytes, Text("smpl")));
}

TEST(SoundFontWriter, ABankAppendedAtAnOddOffsetIsTheBankWrittenAlone)
{
    // As in a document that embeds a bank after 13 bytes: pad bytes count from the bank's start,
    // so no stray pad byte follows the form.
    const TSoundFontFixture fixture;
    TSoundFontData data = ReadFixture(fixture);
    data.fSoundEngine.clear(); // "isng" of one byte, then its pad byte
    const TBytes prefix = Bytes({0xBC, 0, 0, 0, 0});
    COwnedMemoryMedia media = MediaOf(prefix);
    media.fPosition = media.GetSize();
    WriteSoundFont(media, data, fixture.fWords);

    EXPECT_EQ(media.fPosition, media.GetSize());
    const TBytes bytes = BytesOf(media);
    const TBytes bank(bytes.begin() + i64(prefix.size()), bytes.end());
    EXPECT_EQ(bank, Written(data, fixture.fWords));
    EXPECT_TRUE(Holds(bank, Concat({Text("isng"), Bytes({1, 0, 0, 0, 0, 0}), Text("INAM")})));
    const u32 formSize = bank[4] | (bank[5] << 8) | (bank[6] << 16) | (bank[7] << 24);
    EXPECT_EQ(formSize, bank.size() - 8);
    COwnedMemoryMedia bankMedia = MediaOf(bank);
    EXPECT_EQ(CSoundFontBank(bankMedia).GetSampleWordCount(), fixture.fWords.size());
}

TEST(SoundFontWriter, EmptyListsHoldOnlyTheirTerminalEntries)
{
    TSoundFontData data;
    data.fPresetBags.resize(2); // no presets: the terminal preset's bag index still counts the bags
    const TBytes bytes = Written(data);

    TBytes terminalPreset(38, 0);
    terminalPreset[24] = 2;
    EXPECT_TRUE(Holds(bytes, Concat({Text("phdr"), Bytes({38, 0, 0, 0}), terminalPreset})));
    EXPECT_TRUE(Holds(bytes, Concat({Text("pmod"), Bytes({10, 0, 0, 0}), TBytes(10, 0), Text("pgen")})));
    EXPECT_TRUE(Holds(bytes, Concat({Text("inst"), Bytes({22, 0, 0, 0}), TBytes(22, 0), Text("ibag")})));
    TBytes terminalSample(46, 0);
    std::copy_n("EOS", 3, terminalSample.begin());
    EXPECT_TRUE(Holds(bytes, Concat({Text("shdr"), Bytes({46, 0, 0, 0}), terminalSample})));
}

TEST(SoundFontWriter, TerminalEntriesCloseTheLastZone)
{
    TSoundFontData data = ReadFixture(TSoundFontFixture());
    // The last preset has three zones; its last zone has five generators.
    data.fPresetHeaders[1].fFirstBag = 1;
    data.fPresetBags = {{0, 0}, {1, 0}, {2, 0}, {4, 0}};
    data.fPresetGenerators.assign(9, TSoundFontGenerator{41, 0});

    COwnedMemoryMedia media = MediaOf(Written(data));
    const TSoundFontData back = ReadSoundFont(media);
    EXPECT_EQ(back, data);
    EXPECT_EQ(back.fPresetGenerators.size() - back.fPresetBags.back().fFirstGenerator, 5u);
}

TEST(SoundFontWriter, TextsAndNamesAreCutToTheirFields)
{
    TSoundFontData data = ReadFixture(TSoundFontFixture());
    data.fSoundEngine.clear();
    data.fBankName = NSTextPackage::TUTF16String(300, u'n');
    data.fROMVersionMajor = 9; // without a ROM name neither "irom" nor "iver" is written
    data.fPresetHeaders[0].fName = MakeText(u"A preset name of 25 bytes");
    data.fSampleHeaders[0].fName = MakeText(u"\u4E2D\u00E9");
    const TBytes bytes = Written(data);

    EXPECT_TRUE(Holds(bytes, Concat({Text("isng"), Bytes({1, 0, 0, 0, 0, 0}), Text("INAM")})));
    EXPECT_TRUE(Holds(bytes, Concat({Text("INAM"), Bytes({0, 1, 0, 0}), TBytes(255, 'n'), Bytes({0})})));
    EXPECT_FALSE(Holds(bytes, Text("irom")));
    EXPECT_FALSE(Holds(bytes, Text("iver")));
    EXPECT_TRUE(Holds(bytes, Concat({Text("A preset name of 25 "), Bytes({0, 0})})));

    COwnedMemoryMedia media = MediaOf(bytes);
    const TSoundFontData back = ReadSoundFont(media);
    EXPECT_TRUE(back.fSoundEngine.empty());
    EXPECT_EQ(back.fBankName, NSTextPackage::TUTF16String(255, u'n'));
    EXPECT_EQ(back.fROMVersionMajor, 0);
    EXPECT_EQ(back.fPresetHeaders[0].fName, MakeText(u"A preset name of 25 "));
    EXPECT_EQ(back.fSampleHeaders[0].fName, MakeText(u"?\u00E9"));
}

TEST(SoundFontWriter, ROMNameBringsItsVersion)
{
    TSoundFontData data = ReadFixture(TSoundFontFixture());
    data.fROMName = MakeText(u"1MGM");
    data.fROMVersionMajor = 1;
    data.fROMVersionMinor = 2;
    const TBytes bytes = Written(data);
    EXPECT_TRUE(Holds(bytes, Concat({Text("irom"), Bytes({5, 0, 0, 0}), Text("1MGM"), Bytes({0, 0}),
                                     Text("iver"), Bytes({4, 0, 0, 0, 1, 0, 2, 0})})));
    COwnedMemoryMedia media = MediaOf(bytes);
    EXPECT_EQ(ReadSoundFont(media), data);
}
} // namespace
