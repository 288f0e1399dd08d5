#include "media/soundfont/AudioAccessor.h"
#include "media/soundfont/WaveSample.h"

#include "base/Quorral.h"
#include "base/Media.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace NSFerrant;

namespace
{
// A memory media that records the size of every read, to show how operations split a range.
class CCountingMedia : public COwnedMemoryMedia
{
public:
    using COwnedMemoryMedia::COwnedMemoryMedia;
    void Read(i64 offset, i64 size, void* destination) const override
    {
        fReadSizes.push_back(size);
        COwnedMemoryMedia::Read(offset, size, destination);
    }
    mutable std::vector<i64> fReadSizes;
};

std::vector<i16> StoredSamples(const CMedia& media)
{
    std::vector<i16> samples(size_t(media.GetSize() / 2));
    media.Read(0, media.GetSize(), samples.data());
    return samples;
}

CCountingMedia MediaOfSamples(const std::vector<i16>& samples)
{
    return CCountingMedia(i64(samples.size() * 2), samples.data());
}
} // namespace

TEST(AudioAccessorTests, ConversionsFromStoredSamples)
{
    CCountingMedia media = MediaOfSamples({-32768, 0, 32767, -2});
    CNative16BitAccessor accessor(media, 4, 1);

    float floats[4];
    accessor.ReadFloatChannel(0, 4, floats, kFirstChannel);
    EXPECT_EQ(floats[0], -1.0f);
    EXPECT_EQ(floats[1], 0.0f);
    EXPECT_EQ(floats[2], 0.999969482421875f);

    i32 values[4];
    accessor.ReadInt24Channel(0, 4, values, kFirstChannel);
    EXPECT_EQ(values[3], -512);
    EXPECT_EQ(values[2], 32767 * 256);
    EXPECT_EQ(media.fPosition, 8) << "the position ends behind the transfer";
}

TEST(AudioAccessorTests, ConversionsToStoredSamplesClampInsteadOfWrapping)
{
    struct Case
    {
        float fFloat;
        i32 fInt24;
        i16 fStored16FromFloat;
        i16 fStored16FromInt24;
    };
    const Case kCases[] = {
        {-1.0f, 74565, -32768, 291},
        {0.99999f, -1, 32767, -1},
        {-0.00001f, 0, 0, 0},
        // Full scale and beyond would wrap to the other end of the range; they clamp.
        {1.0f, 8388608, 32767, 32767},
        {-1.5f, -8388609, -32768, -32768},
        {1e30f, 0x7FFFFFFF, 32767, 32767},
    };
    for (const Case& c : kCases)
    {
        COwnedMemoryMedia media(0);
        CNative16BitAccessor accessor(media, 1, 1);
        accessor.WriteFloatChannel(0, 1, &c.fFloat, kFirstChannel);
        EXPECT_EQ(StoredSamples(media), std::vector<i16>{c.fStored16FromFloat}) << c.fFloat;
        accessor.WriteInt24Channel(0, 1, &c.fInt24, kFirstChannel);
        EXPECT_EQ(StoredSamples(media), std::vector<i16>{c.fStored16FromInt24}) << c.fInt24;
    }
}

TEST(AudioAccessorTests, ChannelWritesKeepTheOtherChannel)
{
    COwnedMemoryMedia media(0);
    CNative16BitAccessor accessor(media, 3, 2);
    // The second channel first, over frames the media does not hold yet: the first reads as 0.
    const i16 second[] = {4, 5, 6};
    accessor.WriteInt16Channel(0, 3, second, 100);
    EXPECT_EQ(StoredSamples(media), (std::vector<i16>{0, 4, 0, 5, 0, 6}));

    const float first[] = {0.5f, -0.5f, 0.25f};
    accessor.WriteFloatChannel(0, 3, first, kFirstChannel);
    EXPECT_EQ(StoredSamples(media), (std::vector<i16>{16384, 4, -16384, 5, 8192, 6}));

    for (i32 selector : {0, 100})
    {
        i16 out[3];
        accessor.ReadInt16Channel(0, 3, out, selector);
        EXPECT_EQ(std::vector<i16>(out, out + 3), (std::vector<i16>{4, 5, 6})) << selector;
    }
    i32 pairs[6];
    accessor.ReadInt24Stereo(0, 3, pairs);
    EXPECT_EQ(std::vector<i32>(pairs, pairs + 6), (std::vector<i32>{16384 * 256, 1024, -16384 * 256, 1280, 8192 * 256, 1536}));
}

TEST(AudioAccessorTests, RangesRunThroughFixedBlocks)
{
    std::vector<i16> samples(3000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = i16(i);
    struct Case
    {
        u16 fChannels;
        i32 fFrames;
        std::vector<i64> fReadSizes;
    };
    // Mono: blocks of 1,024 frames; stereo: 512 frames of 4 bytes.
    const Case kCases[] = {
        {1, 1500, {2048, 952}},
        {2, 1500, {2048, 2048, 1904}},
        {1, 0, {}},
    };
    for (const Case& c : kCases)
    {
        CCountingMedia media = MediaOfSamples(samples);
        CNative16BitAccessor accessor(media, 1500, c.fChannels);
        std::vector<float> out(size_t(c.fFrames));
        accessor.ReadFloatChannel(0, c.fFrames, out.data(), 100);
        EXPECT_EQ(media.fReadSizes, c.fReadSizes) << c.fChannels;
        if (c.fFrames > 0)
        {
            EXPECT_EQ(out.back() * 32768.0f, float(c.fChannels == 1 ? 1499 : 2999));
        }
    }

    // The direct 16-bit and raw paths make one transfer, of 0 bytes for no frames.
    CCountingMedia media = MediaOfSamples(samples);
    CNative16BitAccessor accessor(media, 3000, 1);
    std::vector<i16> out(3000);
    accessor.ReadInt16Channel(0, 3000, out.data(), 0);
    accessor.ReadNativeFrames(5, 0, out.data());
    EXPECT_EQ(media.fReadSizes, (std::vector<i64>{6000, 0}));
    EXPECT_EQ(out, samples);
}

TEST(AudioAccessorTests, UnsupportedShapesAreRefused)
{
    COwnedMemoryMedia media(0);
    // The stack buffers hold at most two 16-bit channels per frame.
    EXPECT_THROW(CNative16BitAccessor(media, 10, 4), std::invalid_argument);
    EXPECT_THROW(CNative16BitAccessor(media, 10, 0), std::invalid_argument);

    CNative16BitAccessor mono(media, 10, 1);
    float pairs[4] = {};
    EXPECT_THROW(mono.WriteFloatStereo(0, 2, pairs), std::invalid_argument);
}

TEST(AudioAccessorTests, WaveSampleOwnsItsFrames)
{
    TSampleFormat format;
    format.fChannelCount = 2;
    format.fBitsPerSample = 24;
    format.fSampleRate = 22050;
    format.fFrameCount = 600;
    CWaveSample sample(format);
    EXPECT_EQ(sample.GetFrameCount(), 600u);
    EXPECT_EQ(sample.GetChannelCount(), 2);
    EXPECT_EQ(sample.GetSampleRate(), 22050u);
    EXPECT_EQ(sample.GetBitsPerSample(), 24u);

    std::vector<i16> left(600), right(600);
    for (i32 i = 0; i < 600; ++i)
    {
        left[size_t(i)] = i16(i);
        right[size_t(i)] = i16(-i);
    }
    sample.WriteInt16Channel(0, 600, left.data(), kFirstChannel);
    sample.WriteInt16Channel(0, 600, right.data(), 0);
    std::vector<i16> frames(1200);
    sample.ReadNativeFrames(0, 600, frames.data());
    EXPECT_EQ(frames[598], 299);
    EXPECT_EQ(frames[599], -299);
    EXPECT_EQ(frames[1199], -599);
}

TEST(AudioAccessorTests, WaveSampleRefusesCountsBeyondItsAddressing)
{
    struct Case
    {
        u16 fChannels;
        u32 fFrames;
    };
    // Channels × frames of 2^31 and beyond, and channel counts the accessor cannot hold.
    const Case kCases[] = {{2, 0x40000000}, {1, 0x80000000}, {2, 0xFFFFFFFF}};
    for (const Case& c : kCases)
    {
        TSampleFormat format;
        format.fChannelCount = c.fChannels;
        format.fFrameCount = c.fFrames;
        EXPECT_THROW(CWaveSample{format}, NSQuorral::XFormatViolation) << c.fFrames;
    }
    TSampleFormat quad;
    quad.fChannelCount = 4;
    quad.fFrameCount = 10;
    EXPECT_THROW(CWaveSample{quad}, std::invalid_argument);
}
