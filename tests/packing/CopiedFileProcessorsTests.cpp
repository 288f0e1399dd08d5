#include "packing/CopiedFileProcessors.h"
#include "packing/ProcessorSupport.h"

#include "base/ExceptionClasses.h"
#include "content/package/PackedFileTypes.h"
#include "tests/media/soundfont/SoundFontFixture.h"
#include "tests/packing/ProcessorTestSupport.h"
#include "tests/support/MediaBytes.h"
#include "tests/support/FixtureFiles.h"
#include "tests/support/ImageFixtures.h"
#include "tests/support/LoopFiles.h"

#include <utility>

namespace
{
using namespace NSPackingTests;
using NSTestSupport::Concat;
using NSTestSupport::Text;

TEST(ReadProbe, ReadsTheBeginningTheMiddleAndTheEnd)
{
    using TReads = std::vector<std::pair<i64, i64>>;
    const std::pair<i64, TReads> kCases[] = {
        {0, {}},
        {1, {{0, 1}}},
        {4096, {{0, 4096}}},
        {4097, {{0, 4096}, {2048, 2049}, {1, 4096}}},
        {100000, {{0, 4096}, {50000, 4096}, {95904, 4096}}},
    };
    for (const auto& [size, reads] : kCases)
    {
        NSTestSupport::CPieceRecordingMedia media(size, TBytes(size_t(size), 7).data());
        NSVantlePacking::ReadProbe(media);
        EXPECT_EQ(media.fPieces->fReads, reads) << size;
        EXPECT_EQ(media.fPosition, size) << size;
    }
}

TBytes MIDIHeader(const std::string& id, u16 format, u16 tracks, u16 division)
{
    TBytes bytes = Text(id);
    NSTestSupport::PutBE32(bytes, 6);
    NSTestSupport::PutBE16(bytes, format);
    NSTestSupport::PutBE16(bytes, tracks);
    NSTestSupport::PutBE16(bytes, division);
    return bytes;
}

TEST(MIDIVerification, FollowsTheHeaderRules)
{
    struct TCase
    {
        const char* what;
        TBytes file;
        bool valid;
    };
    const TBytes valid = MIDIHeader("MThd", 1, 1, 96);
    const TCase kCases[] = {
        {"format 2, one track, 96 ticks", MIDIHeader("MThd", 2, 1, 96), true},
        {"format 0 with a track after the header", Concat({MIDIHeader("MThd", 0, 1, 480), Text("MTrk")}), true},
        {"-30 frames, 40 ticks a frame", MIDIHeader("MThd", 1, 3, 0xE228), true},
        {"-24 frames, 1 tick a frame", MIDIHeader("MThd", 1, 3, 0xE801), true},
        {"format 3", MIDIHeader("MThd", 3, 1, 96), false},
        {"no tracks", MIDIHeader("MThd", 1, 0, 96), false},
        {"0 ticks", MIDIHeader("MThd", 1, 1, 0), false},
        {"0 ticks, high bit only", MIDIHeader("MThd", 1, 1, 0x8000), false},
        {"-24 frames, 0 ticks a frame", MIDIHeader("MThd", 1, 1, 0xE800), false},
        {"-23 frames", MIDIHeader("MThd", 1, 1, 0xE901), false},
        {"another id", MIDIHeader("RIFF", 1, 1, 96), false},
        {"13 bytes", TBytes(valid.begin(), valid.end() - 1), false},
        {"empty", {}, false},
    };
    CMIDIFileTypeProcessor midi;
    for (const TCase& c : kCases)
    {
        if (c.valid)
            EXPECT_NO_THROW(Verify(midi, c.file)) << c.what;
        else
            EXPECT_THROW(Verify(midi, c.file), NSQuorral::XFormatViolation) << c.what;
    }
}

TEST(CopiedFileVerification, ChecksLoopsImagesGroovesAndRawData)
{
    CKIVFileTypeProcessor kiv(kPackedTypeKIV);
    EXPECT_NO_THROW(Verify(kiv, NSTestSupport::MakeLoopFile(2, {100, 50})));
    EXPECT_THROW(Verify(kiv, NSTestSupport::MakeLoopFile(2, {})), NSQuorral::XFormatViolation);
    EXPECT_ANY_THROW(Verify(kiv, Text("not a loop")));

    CJPEGFileTypeProcessor jpeg;
    const TBytes image = NSTestSupport::ReadImageFixture("baseline.jpg");
    EXPECT_NO_THROW(Verify(jpeg, image));
    EXPECT_ANY_THROW(Verify(jpeg, TBytes(image.begin(), image.begin() + 100)));
    // A size the file's data cannot fill is refused before anything is decoded.
    EXPECT_THROW(Verify(jpeg, NSTestSupport::JPEGClaiming(4096, 32767)), NSQuorral::XFormatViolation);

    CGroovePatchFileTypeProcessor groove;
    EXPECT_NO_THROW(Verify(groove, Text("<?xml version=\"1.0\"?><Groove><Step n=\"1\"/></Groove>")));
    EXPECT_THROW(Verify(groove, {}), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(groove, Text("<?xml version=\"1.0\"?><A/><B/>")), NSQuorral::XFormatViolation);
    EXPECT_THROW(Verify(groove, Text("<Groove/>")), NSQuorral::XFormatViolation);

    CRawFileTypeProcessor raw(kPackedTypeRaw);
    EXPECT_NO_THROW(Verify(raw, {}));
    EXPECT_NO_THROW(Verify(raw, TBytes(10000, 3)));
}

TEST(SoundFontVerification, ReportsTheSamplerOnlyWhenItIsProhibited)
{
    CSoundFontFileTypeProcessor soundFont;
    const TBytes tiny = NSTestSupport::TSoundFontFixture().Build();
    const TBytes timGM = NSTestSupport::ReadFixtureFile("/usr/share/sounds/sf2", "TimGM6mb.sf2");
    for (const TBytes* bank : {&tiny, &timGM})
    {
        EXPECT_TRUE(Verify(soundFont, *bank).devices.empty());
        EXPECT_TRUE(Verify(soundFont, *bank, {"ostrel digital sampler", "Other"}).devices.empty());
        EXPECT_EQ(Verify(soundFont, *bank, {"Other", "Ostrel Digital Sampler"}).devices,
                  std::vector<std::string>{"Ostrel Digital Sampler"});
    }
    NSTestSupport::TSoundFontFixture broken;
    broken.fHasPDTA = false;
    EXPECT_ANY_THROW(Verify(soundFont, broken.Build(), {"Ostrel Digital Sampler"}));
}

class CopiedFiles : public CProcessorTest
{
};

TEST_F(CopiedFiles, ArePackedByteForByteAtTheDestinationsPosition)
{
    CRawFileTypeProcessor raw(kPackedTypeRaw);
    CKIVFileTypeProcessor kiv(kPackedTypeKIV2);
    CJPEGFileTypeProcessor jpeg;
    CMIDIFileTypeProcessor midi;
    CSoundFontFileTypeProcessor soundFont;
    CGroovePatchFileTypeProcessor groove;
    TBytes large(200000);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = u8(i * 7);
    const std::pair<CABCCopiedFileProcessor*, TBytes> kFiles[] = {
        {&raw, {}},
        {&raw, large},
        {&kiv, NSTestSupport::MakeLoopFile(1, {10})},
        {&jpeg, NSTestSupport::ReadImageFixture("progressive.jpg")},
        {&midi, MIDIHeader("MThd", 0, 1, 96)},
        {&soundFont, NSTestSupport::ReadFixtureFile("/usr/share/sounds/sf2", "TimGM6mb.sf2")},
        {&groove, Text("<?xml version=\"1.0\"?><Groove/>")},
    };
    for (const auto& [processor, file] : kFiles)
        EXPECT_EQ(Pack(*processor, SourceFile("copied.bin", file), 100), file) << processor->GetPackedType();
    EXPECT_THROW(NSVantlePacking::CopyFileToMedia(FolderItem(""), *std::make_unique<NSFerrant::COwnedMemoryMedia>(0)),
                 NSQuorral::XOpen);
}
} // namespace
