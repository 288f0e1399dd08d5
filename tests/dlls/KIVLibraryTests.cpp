// Our KIV loop library, called through its exports as the program calls them, over loop files
// made by its writer.
#include "dlls/kiv/KIV.h"

#include "base/FailureCodes.h"
#include "base/LibraryStatusTables.h"
#include "dlls/kiv/LoopFileFormat.h"
#include "tests/support/ByteMutation.h"
#include "tests/support/LoopFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>
#include <string>

using namespace NSTestSupport;

namespace
{
constexpr i32 kOK = kKIVOK;
constexpr i32 kDamagedFile = kKIVDamagedFile;
constexpr i32 kLaterVersion = kKIVVersionTooNew;
constexpr i32 kZeroLoop = kKIVZeroLoop;

// The status of a failure of a kind the table has no row for: its failure code in the range.
i32 Tunnelled(u32 kind)
{
    return i32(
        GetKIVStatusRange().fBase +
        NSQuorral::EncodeFailureCode({kind, {}}, NSQuorral::GetRegisteredApplicationObjectTypeTable()));
}

const u8* DataOf(const std::vector<u8>& bytes)
{
    // An empty file still has a buffer: the library must judge its size, not a null pointer.
    static const u8 kNothing = 0;
    return bytes.empty() ? &kNothing : bytes.data();
}

// What the library answers for a file through both of its ways in, which must agree.
i32 StatusOf(const std::vector<u8>& file)
{
    TKIVInfo info{};
    const i32 fromBuffer = KIVGetInfoFromBuffer(i32(file.size()), DataOf(file), sizeof info, &info);
    TKIVHandle handle = reinterpret_cast<TKIVHandle>(&info); // to see that a failure clears it
    const i32 created = KIVCreate(&handle, DataOf(file), i32(file.size()), nullptr, nullptr);
    EXPECT_EQ(created, fromBuffer);
    EXPECT_EQ(handle != nullptr, created == kOK);
    if (created == kOK)
        KIVDelete(&handle);
    EXPECT_EQ(handle, nullptr);
    return fromBuffer;
}

// An opened loop, deleted at the end.
struct TOpenedLoop
{
    explicit TOpenedLoop(const std::vector<u8>& file)
    {
        EXPECT_EQ(KIVCreate(&fHandle, DataOf(file), i32(file.size()), nullptr, nullptr), kOK);
    }
    ~TOpenedLoop() { KIVDelete(&fHandle); }
    TOpenedLoop(const TOpenedLoop&) = delete;

    TKIVHandle fHandle = nullptr;
};

void SetField(std::vector<u8>& file, size_t offset, u32 value)
{
    NSByteOrder::WriteBE32(file.data() + offset, value);
}

class KIVLibraryTests : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(KIVInitializeDLL(), kOK); }
};
} // namespace

TEST_F(KIVLibraryTests, GeneratedLoopsGiveTheirInformationSlicesAndFrames)
{
    std::vector<u32> many;
    for (u32 i = 0; i < 40; ++i)
        many.push_back(i % 7 == 3 ? 0 : i + 1);
    struct Case
    {
        u32 fChannels;
        std::vector<u32> fSliceFrames;
    };
    const Case kCases[] = {
        {1, {}}, {2, {}}, {1, {7}}, {2, {7}}, {1, {3, 0, 5, 300}}, {2, many},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.fChannels << " channels, " << c.fSliceFrames.size() << " slices");
        const std::vector<u8> file = MakeLoopFile(c.fChannels, c.fSliceFrames);
        TKIVInfo info{};
        ASSERT_EQ(KIVGetInfoFromBuffer(i32(file.size()), file.data(), sizeof info, &info), kOK);
        EXPECT_EQ(info.fChannelCount, c.fChannels);
        EXPECT_EQ(info.fSampleRate, 48000u);
        EXPECT_EQ(info.fSliceCount, i32(c.fSliceFrames.size()));
        EXPECT_EQ(info.fBarCount, 2u);
        EXPECT_EQ(info.fBeatsPerBar, 3u);
        EXPECT_EQ(info.fFormatVersion, NSKIV::kLoopFileVersion);
        EXPECT_EQ(info.fBitsPerSample, 16u);
        EXPECT_EQ(info.fTempo, 97500u);

        TOpenedLoop loop(file);
        TKIVInfo opened{};
        ASSERT_EQ(KIVGetInfo(loop.fHandle, sizeof opened, &opened), kOK);
        EXPECT_EQ(std::memcmp(&opened, &info, sizeof info), 0);

        u32 firstFrame = 0;
        for (size_t slice = 0; slice < c.fSliceFrames.size(); ++slice)
        {
            SCOPED_TRACE(slice);
            const u32 frames = c.fSliceFrames[slice];
            TKIVSliceInfo sliceInfo{};
            ASSERT_EQ(KIVGetSliceInfo(loop.fHandle, i32(slice), sizeof sliceInfo, &sliceInfo), kOK);
            EXPECT_EQ(sliceInfo.fFirstFrame, firstFrame);
            EXPECT_EQ(sliceInfo.fFrameCount, frames);
            firstFrame += frames;

            // One float more than the slice needs: the library must leave it alone.
            constexpr float kUntouched = -1.5f;
            std::vector<float> channels[2] = {std::vector<float>(frames + 1, kUntouched),
                                              std::vector<float>(frames + 1, kUntouched)};
            float* buffers[2] = {channels[0].data(), c.fChannels == 2 ? channels[1].data() : nullptr};
            ASSERT_EQ(KIVRenderSlice(loop.fHandle, i32(slice), i32(frames + 1), buffers), kOK);
            for (u32 channel = 0; channel < 2; ++channel)
            {
                for (u32 frame = 0; frame < frames; ++frame)
                {
                    const float expected =
                        channel < c.fChannels ? float(LoopSample(slice, frame, channel) * 256) : kUntouched;
                    ASSERT_EQ(channels[channel][frame], expected)
                        << "channel " << channel << ", frame " << frame;
                }
                EXPECT_EQ(channels[channel][frames], kUntouched);
            }
        }
        EXPECT_EQ(info.fFrameCount, firstFrame);
    }
}

TEST_F(KIVLibraryTests, DamagedFilesAnswerTheirStatus)
{
    // 2 channels, slices of 4 and 6 frames: the header, 8 bytes of slice table, 40 of frames.
    const std::vector<u8> valid = MakeLoopFile(2, {4, 6});
    ASSERT_EQ(valid.size(), 80u);
    using NSKIV::kHeaderSize;
    struct Case
    {
        const char* fName;
        std::function<void(std::vector<u8>&)> fDamage;
        i32 fStatus;
    };
    const Case kCases[] = {
        {"empty", [](auto& f) { f.clear(); }, kDamagedFile},
        {"cut in the magic", [](auto& f) { f.resize(3); }, kDamagedFile},
        {"cut in the header", [](auto& f) { f.resize(20); }, kDamagedFile},
        {"cut in the slice table", [](auto& f) { f.resize(kHeaderSize + 6); }, kDamagedFile},
        {"cut in the frames", [](auto& f) { f.pop_back(); }, kDamagedFile},
        {"a byte too many", [](auto& f) { f.push_back(0); }, kDamagedFile},
        {"a frame too many", [](auto& f) { f.insert(f.end(), 4, 0); }, kDamagedFile},
        {"another magic", [](auto& f) { f[3] = 'K'; }, kDamagedFile},
        {"version 0", [](auto& f) { SetField(f, NSKIV::kVersionOffset, 0); }, kDamagedFile},
        {"a later version", [](auto& f) { SetField(f, NSKIV::kVersionOffset, 2); }, kLaterVersion},
        {"a later version with a header of its own",
         [](auto& f)
         {
             SetField(f, NSKIV::kVersionOffset, 0x10000);
             f.resize(12);
         },
         kLaterVersion},
        {"no channels", [](auto& f) { SetField(f, NSKIV::kChannelCountOffset, 0); }, kDamagedFile},
        {"three channels", [](auto& f) { SetField(f, NSKIV::kChannelCountOffset, 3); }, kDamagedFile},
        {"a sample rate of 0", [](auto& f) { SetField(f, NSKIV::kSampleRateOffset, 0); }, kDamagedFile},
        {"a negative slice count", [](auto& f) { SetField(f, NSKIV::kSliceCountOffset, 0xFFFFFFFF); },
         kDamagedFile},
        {"one slice more than it holds", [](auto& f) { SetField(f, NSKIV::kSliceCountOffset, 3); },
         kDamagedFile},
        {"the most slices", [](auto& f) { SetField(f, NSKIV::kSliceCountOffset, 0x7FFFFFFF); }, kDamagedFile},
        {"one slice less than it holds", [](auto& f) { SetField(f, NSKIV::kSliceCountOffset, 1); },
         kDamagedFile},
        {"a slice claiming a frame more", [](auto& f) { SetField(f, kHeaderSize, 5); }, kDamagedFile},
        {"a slice claiming the most frames", [](auto& f) { SetField(f, kHeaderSize + 4, 0xFFFFFFFF); },
         kDamagedFile},
        {"two slices whose frames overflow 32 bits",
         [](auto& f)
         {
             SetField(f, kHeaderSize, 0x80000000);
             SetField(f, kHeaderSize + 4, 0x80000000 + 10);
         },
         kDamagedFile},
        {"a slice claiming a frame less", [](auto& f) { SetField(f, kHeaderSize + 4, 5); }, kDamagedFile},
        {"no bars", [](auto& f) { SetField(f, NSKIV::kBarCountOffset, 0); }, kZeroLoop},
        {"no beats", [](auto& f) { SetField(f, NSKIV::kBeatsPerBarOffset, 0); }, kZeroLoop},
        {"no bars and cut short",
         [](auto& f)
         {
             SetField(f, NSKIV::kBarCountOffset, 0);
             f.pop_back();
         },
         kDamagedFile},
    };
    ASSERT_EQ(StatusOf(valid), kOK);
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        std::vector<u8> file = valid;
        c.fDamage(file);
        EXPECT_EQ(StatusOf(file), c.fStatus);
    }
}

TEST_F(KIVLibraryTests, BadArgumentsAndCallsOutOfOrderAnswerTheirFailureCodes)
{
    const std::vector<u8> file = MakeLoopFile(2, {4, 6});
    TOpenedLoop loop(file);
    TKIVHandle created = nullptr;
    TKIVInfo info{};
    TKIVSliceInfo slice{};
    std::vector<float> left(6), right(6);
    float* stereo[2] = {left.data(), right.data()};
    float* leftOnly[2] = {left.data(), nullptr};
    int reserved = 0;
    const i32 kInvalidArgument = Tunnelled(NSQuorral::kFailureCode_LogicError_InvalidArgument);

    struct Case
    {
        const char* fName;
        std::function<i32()> fCall;
        i32 fStatus;
    };
    const Case kCases[] = {
        {"no buffer", [&] { return KIVGetInfoFromBuffer(80, nullptr, sizeof info, &info); },
         kInvalidArgument},
        {"a negative size", [&] { return KIVGetInfoFromBuffer(-1, file.data(), sizeof info, &info); },
         kInvalidArgument},
        {"a short info", [&] { return KIVGetInfoFromBuffer(80, file.data(), 32, &info); }, kInvalidArgument},
        {"no info", [&] { return KIVGetInfoFromBuffer(80, file.data(), sizeof info, nullptr); },
         kInvalidArgument},
        {"no handle to fill", [&] { return KIVCreate(nullptr, file.data(), 80, nullptr, nullptr); },
         kInvalidArgument},
        {"a reserved argument", [&] { return KIVCreate(&created, file.data(), 80, nullptr, &reserved); },
         kInvalidArgument},
        {"no handle", [&] { return KIVGetInfo(nullptr, sizeof info, &info); }, kInvalidArgument},
        {"a short slice info", [&] { return KIVGetSliceInfo(loop.fHandle, 0, 4, &slice); }, kInvalidArgument},
        {"slice -1", [&] { return KIVGetSliceInfo(loop.fHandle, -1, sizeof slice, &slice); },
         kInvalidArgument},
        {"slice past the last", [&] { return KIVGetSliceInfo(loop.fHandle, 2, sizeof slice, &slice); },
         kInvalidArgument},
        {"the last slice", [&] { return KIVGetSliceInfo(loop.fHandle, 1, sizeof slice, &slice); }, kOK},
        {"render into short buffers", [&] { return KIVRenderSlice(loop.fHandle, 1, 5, stereo); },
         kInvalidArgument},
        {"render with no buffers", [&] { return KIVRenderSlice(loop.fHandle, 0, 6, nullptr); },
         kInvalidArgument},
        {"render two channels into one", [&] { return KIVRenderSlice(loop.fHandle, 0, 6, leftOnly); },
         kInvalidArgument},
        {"render slice past the last", [&] { return KIVRenderSlice(loop.fHandle, 2, 6, stereo); },
         kInvalidArgument},
        {"render the last slice", [&] { return KIVRenderSlice(loop.fHandle, 1, 6, stereo); }, kOK},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        EXPECT_EQ(c.fCall(), c.fStatus);
    }
    EXPECT_EQ(created, nullptr);

    // Once uninitialised, nothing but deleting works until the library is initialised again.
    KIVUninitializeDLL();
    const i32 kOutOfOrder = Tunnelled(NSQuorral::kFailureCode_LogicError_IllegalCallSequence);
    EXPECT_EQ(KIVGetInfoFromBuffer(80, file.data(), sizeof info, &info), kOutOfOrder);
    EXPECT_EQ(KIVGetInfo(loop.fHandle, sizeof info, &info), kOutOfOrder);
    EXPECT_EQ(KIVCreate(&created, file.data(), 80, nullptr, nullptr), kOutOfOrder);
    EXPECT_EQ(created, nullptr);
    ASSERT_EQ(KIVInitializeDLL(), kOK);
    ASSERT_EQ(KIVInitializeDLL(), kOK);
    EXPECT_EQ(KIVGetInfo(loop.fHandle, sizeof info, &info), kOK);
}

TEST_F(KIVLibraryTests, MutatedFilesAnswerOnlyTheLibraryStatuses)
{
    const std::vector<std::vector<u8>> kValid = {
        MakeLoopFile(1, {9}),
        MakeLoopFile(2, {3, 0, 5, 8, 1}),
        MakeLoopFile(2, {}),
    };
    const std::set<i32> kRefusals = {kDamagedFile, kLaterVersion, kZeroLoop};
    u32 seed = 2201;
    for (const std::vector<u8>& valid : kValid)
    {
        // The fields that size things: the slice count and every slice's frame count.
        std::vector<size_t> sizeFields = {NSKIV::kSliceCountOffset};
        for (size_t at = NSKIV::kHeaderSize;
             at < NSKIV::kHeaderSize + 4 * valid[NSKIV::kSliceCountOffset + 3]; at += 4)
            sizeFields.push_back(at);
        CByteMutator mutator(seed++, EFieldOrder::kBigEndian, sizeFields);
        int opened = 0;
        for (int round = 0; round < 120; ++round)
        {
            SCOPED_TRACE(testing::Message() << "seed " << seed - 1 << ", round " << round);
            const std::vector<u8> file = mutator.Mutate(valid);
            const i32 status = StatusOf(file);
            if (status != kOK)
            {
                EXPECT_TRUE(kRefusals.count(status)) << "status " << status;
                continue;
            }
            ++opened;
            // An accepted file is whole: every slice it reports renders.
            TOpenedLoop loop(file);
            TKIVInfo info{};
            ASSERT_EQ(KIVGetInfo(loop.fHandle, sizeof info, &info), kOK);
            u64 frames = 0;
            for (i32 index = 0; index < info.fSliceCount; ++index)
            {
                TKIVSliceInfo slice{};
                ASSERT_EQ(KIVGetSliceInfo(loop.fHandle, index, sizeof slice, &slice), kOK);
                // Never empty: a slice of no frames still gets buffers.
                std::vector<float> left(slice.fFrameCount + 1), right(slice.fFrameCount + 1);
                float* buffers[2] = {left.data(), right.data()};
                EXPECT_EQ(KIVRenderSlice(loop.fHandle, index, i32(slice.fFrameCount), buffers), kOK);
                frames += slice.fFrameCount;
            }
            EXPECT_EQ(frames, info.fFrameCount);
        }
        EXPECT_GT(opened, 0);
        EXPECT_LT(opened, 120);
    }
}
