// Debian's General MIDI banks (installed by scripts/setup) against both readers and the writer.
// Their numbers are checked against a listing made here from the file's raw chunks.
#include "base/TextConversions.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/FileMedia.h"
#include "media/soundfont/SoundFontBank.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"
#include "media/soundfont/SoundFontWriter.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
using namespace NSTestSupport;
using namespace NSFerrant;
using NSFileLibSupport::COpenFile;

// The banks as Wine sees them.
std::filesystem::path GetSystemSoundFontPath(const char* name)
{
    return std::filesystem::path(L"Z:\\usr\\share\\sounds\\sf2") / name;
}

// The bank file opened for reading through the file library.
struct TBankFile
{
    explicit TBankFile(const std::filesystem::path& path)
        : fSpec(NSFileLibSupport::FileSpecFromWinPath(NSTextPackage::FromWide(path.c_str()))),
          fMedia(fSpec.get())
    {
    }

    NSFileLibSupport::TFileSpecPtr fSpec;
    COpenFile fMedia;
};

// What a plain walk over the file's chunks finds, independently of the project's readers.
struct TListing
{
    std::string fBankName;
    u64 fPresets = 0; // terminal entries not counted
    u64 fSamples = 0;
    u64 fSampleWords = 0;
    u64 fSampleDataOffset = 0;      // of the "smpl" data in the file
    std::string fFirstSampleHeader; // the 46 bytes of the first "shdr" entry
};

u32 LE32(const std::string& bytes, size_t at)
{
    return u32(u8(bytes[at])) | u32(u8(bytes[at + 1])) << 8 | u32(u8(bytes[at + 2])) << 16 |
           u32(u8(bytes[at + 3])) << 24;
}

TListing ListBank(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    const auto readAt = [&file](u64 offset, size_t size)
    {
        std::string bytes(size, '\0');
        file.seekg(std::streamoff(offset));
        file.read(bytes.data(), std::streamsize(size));
        return bytes;
    };
    TListing listing;
    const u64 formEnd = 8 + u64(LE32(readAt(0, 8), 4));
    for (u64 list = 12; list + 12 <= formEnd;)
    {
        const std::string header = readAt(list, 12);
        const u64 listEnd = list + 8 + LE32(header, 4);
        for (u64 chunk = list + 12; header.substr(0, 4) == "LIST" && chunk + 8 <= listEnd;)
        {
            const std::string chunkHeader = readAt(chunk, 8);
            const std::string id = chunkHeader.substr(0, 4);
            const u32 size = LE32(chunkHeader, 4);
            if (id == "INAM")
                listing.fBankName = readAt(chunk + 8, size).c_str();
            else if (id == "phdr")
                listing.fPresets = size / 38 - 1;
            else if (id == "shdr")
            {
                listing.fSamples = size / 46 - 1;
                listing.fFirstSampleHeader = readAt(chunk + 8, 46);
            }
            else if (id == "smpl")
            {
                listing.fSampleWords = size / 2;
                listing.fSampleDataOffset = chunk + 8;
            }
            chunk += 8 + size + (size & 1);
        }
        list = listEnd + (listEnd & 1);
    }
    return listing;
}

struct BankCase
{
    const char* fFile;
    u64 fPresets;
    u64 fSamples;
};

// The counts as the Debian packages' banks hold them (fluid-soundfont-gm 3.1, timgm6mb 1.3).
const BankCase kBanks[] = {
    {"TimGM6mb.sf2", 136, 520},
    {"FluidR3_GM.sf2", 189, 1418},
};

class SystemSoundFontBank : public testing::TestWithParam<BankCase>
{
};

TEST_P(SystemSoundFontBank, BothReadersAgreeWithARawListing)
{
    const auto path = GetSystemSoundFontPath(GetParam().fFile);
    const TListing listing = ListBank(path);
    EXPECT_EQ(listing.fPresets, GetParam().fPresets);
    EXPECT_EQ(listing.fSamples, GetParam().fSamples);

    TBankFile file(path);
    CMedia& media = file.fMedia;
    const CSoundFontBank bank(media);
    const TSoundFontData& strict = bank.GetContents();
    EXPECT_EQ(strict.fPresetHeaders.size() - 1, listing.fPresets);
    EXPECT_EQ(strict.fSampleHeaders.size() - 1, listing.fSamples);
    EXPECT_EQ(bank.GetSampleWordCount(), listing.fSampleWords);
    EXPECT_EQ(NSTextPackage::UTF16ToWindows1252(strict.fBankName), listing.fBankName);

    const TSoundFontData lenient = ReadSoundFont(media);
    EXPECT_EQ(lenient.fPresetHeaders.size(), listing.fPresets);
    EXPECT_EQ(lenient.fSampleHeaders.size(), listing.fSamples);
    EXPECT_EQ(lenient.fBankName, strict.fBankName);
}

TEST_P(SystemSoundFontBank, ContentsSurviveTheWriter)
{
    TBankFile file(GetSystemSoundFontPath(GetParam().fFile));
    const TSoundFontData data = ReadSoundFont(file.fMedia);
    COwnedMemoryMedia written(0);
    WriteSoundFont(written, data, {});
    EXPECT_EQ(ReadSoundFont(written), data);
}

// The header's words as the file holds them.
std::vector<i16> RawWords(const std::filesystem::path& path, const TListing& listing,
                          const TSoundFontSampleHeader& header)
{
    std::ifstream file(path, std::ios::binary);
    file.seekg(std::streamoff(listing.fSampleDataOffset + u64(header.fStart) * 2));
    std::string bytes(size_t(header.fEnd - header.fStart) * 2, '\0');
    file.read(bytes.data(), std::streamsize(bytes.size()));
    std::vector<i16> words(bytes.size() / 2);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = i16(u8(bytes[2 * i]) | (u8(bytes[2 * i + 1]) << 8));
    return words;
}

TEST_P(SystemSoundFontBank, ExtractedSamplesAreTheFilesWords)
{
    const auto path = GetSystemSoundFontPath(GetParam().fFile);
    const TListing listing = ListBank(path);
    TBankFile file(path);
    const TSoundFontData data = ReadSoundFont(file.fMedia);

    for (const TSoundFontSampleHeader& header : {data.fSampleHeaders.front(), data.fSampleHeaders.back()})
    {
        const std::unique_ptr<CWaveSample> sample = CreateMonoWaveSample(file.fMedia, header);
        std::vector<i16> frames(sample->GetFrameCount());
        sample->ReadInt16Channel(0, i32(frames.size()), frames.data(), kFirstChannel);
        EXPECT_EQ(frames, RawWords(path, listing, header));
    }

    // The first header's loop, from the raw entry: loop start and end less the sample's start.
    const std::string& raw = listing.fFirstSampleHeader;
    const TSampleLoop loop = GetSampleLoop(data.fSampleHeaders.front());
    EXPECT_EQ(loop.fLoopMode, kSampleLoopNotStored);
    EXPECT_EQ(loop.fLoopStart, LE32(raw, 28) - LE32(raw, 20));
    EXPECT_EQ(loop.fLoopEnd, LE32(raw, 32) - LE32(raw, 20));
    EXPECT_EQ(loop.fRootKey, u8(raw[40]));

    // Stereo halves are named "...(L)" and "...(R)" (their link fields are not filled in);
    // TimGM6mb holds mono samples only.
    const auto& headers = data.fSampleHeaders;
    const auto left =
        std::find_if(headers.begin(), headers.end(),
                     [](const TSoundFontSampleHeader& h) { return h.fSampleType == kSoundFontLeftSample; });
    if (left == headers.end())
        return;
    NSTextPackage::TUTF16String rightName = left->fName;
    rightName[rightName.rfind(u'L')] = u'R';
    const auto rightHeader =
        std::find_if(headers.begin(), headers.end(),
                     [&](const TSoundFontSampleHeader& h)
                     { return h.fSampleType == kSoundFontRightSample && h.fName == rightName; });
    ASSERT_NE(rightHeader, headers.end());
    const TSoundFontSampleHeader& right = *rightHeader;
    const std::unique_ptr<CWaveSample> stereo = CreateStereoWaveSample(file.fMedia, *left, right);
    std::vector<i16> frames(size_t(stereo->GetFrameCount()) * 2);
    stereo->ReadNativeFrames(0, i32(stereo->GetFrameCount()), frames.data());
    const std::vector<i16> leftWords = RawWords(path, listing, *left);
    const std::vector<i16> rightWords = RawWords(path, listing, right);
    ASSERT_EQ(frames.size(), leftWords.size() * 2);
    for (size_t i = 0; i < leftWords.size(); ++i)
    {
        ASSERT_EQ(frames[2 * i], leftWords[i]) << i;
        ASSERT_EQ(frames[2 * i + 1], rightWords[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Debian, SystemSoundFontBank, testing::ValuesIn(kBanks),
                         [](const testing::TestParamInfo<BankCase>& info)
                         { return std::string(info.param.fFile).substr(0, 5); });
} // namespace
