// A loop file as a folder of slices: the slice items, the one rendering of the whole loop into
// blocks of a temporary file, and the failures of rendering.
#include "tests/content/folders/FolderTestSupport.h"

#include "base/ByteOrder.h"
#include "base/ExceptionClasses.h"
#include "content/package/PackedFileTypes.h"
#include "base/Media.h"
#include "media/codec/KIVCalls.h"
#include "tests/support/LoopFiles.h"

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <optional>

namespace NSContentTests
{
namespace
{
using NSTestSupport::LoopSample;
using NSTestSupport::MakeLoopFile;
using LoopFolderTest = CFolderTest;

// Counts the slices rendered; can report a slice of no frames or another channel count.
struct TRenderLog
{
    int fRendered = 0;
    i32 fEmptySlice = -1;
    std::optional<u32> fReportedChannels;
};
TRenderLog gRenderLog;

TKIVCalls RenderCountingCalls()
{
    TKIVCalls calls = RealKIVCalls();
    calls.KIVGetInfo = [](TKIVHandle handle, i32 infoSize, TKIVInfo* info) {
        const i32 result = RealKIVCalls().KIVGetInfo(handle, infoSize, info);
        if (gRenderLog.fReportedChannels)
            info->fChannelCount = *gRenderLog.fReportedChannels;
        return result;
    };
    calls.KIVGetSliceInfo = [](TKIVHandle handle, i32 index, i32 size, TKIVSliceInfo* slice) {
        const i32 result = RealKIVCalls().KIVGetSliceInfo(handle, index, size, slice);
        if (index == gRenderLog.fEmptySlice)
            slice->fFrameCount = 0;
        return result;
    };
    calls.KIVRenderSlice = [](TKIVHandle handle, i32 index, i32 frameCount, float* buffers[2]) {
        ++gRenderLog.fRendered;
        return RealKIVCalls().KIVRenderSlice(handle, index, frameCount, buffers);
    };
    return calls;
}

class CRenderCountingTest : public LoopFolderTest
{
protected:
    void SetUp() override
    {
        LoopFolderTest::SetUp();
        gRenderLog = {};
    }

private:
    CKIVCallsOverride fCalls{RenderCountingCalls()};
};

u32 BE32At(const std::string& bytes, size_t offset)
{
    return NSByteOrder::ReadBE32(reinterpret_cast<const u8*>(bytes.data()) + offset);
}

float FloatAt(const std::string& bytes, size_t offset)
{
    float value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The temporary files of the kind the rendering makes.
size_t TemporaryFileCount()
{
    wchar_t folder[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, folder);
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().extension() == ".tmp" ? 1 : 0;
    return count;
}

TEST_F(LoopFolderTest, ALoopFileIsAFolderOfItsSlicesNamedAfterIt)
{
    WriteBytes("Beat.kiv", MakeLoopFile(1, {3, 4, 5}));
    const CItemPtr loop = FileItem("Beat.kiv");
    EXPECT_TRUE(loop->IsFolder());
    EXPECT_TRUE(loop->IsBrowsableFile());
    EXPECT_EQ(loop->GetSecondaryText(), Text(""));
    const std::vector<CItemPtr> slices = GetChildItems(loop);
    EXPECT_EQ(NamesOf(slices), (std::vector<TUTF16String>{Text("Beat.kiv [0]"), Text("Beat.kiv [1]"),
                                                           Text("Beat.kiv [2]")}));
    EXPECT_EQ(slices[1]->GetDisplayName(), slices[1]->GetName());
    EXPECT_EQ(slices[1]->GetParent(), loop);
    EXPECT_TRUE(slices[1]->IsOfType(NSFileLibSupport::MakeFileTypeDescriptor(".kivs", 0)));
    EXPECT_EQ(slices[1]->GetTypeName(), Text("Kiv Slice"));
    EXPECT_EQ(GetChildItems(loop)[1], slices[1]);

    WriteBytes("Other.kiv", MakeLoopFile(1, {3, 4, 5}));
    EXPECT_NE(GetChildItems(FileItem("Other.kiv"))[1], slices[1]);
    EXPECT_NE(slices[0], slices[1]);
}

TEST_F(LoopFolderTest, ALoopWithoutSlicesIsAnEmptyFolder)
{
    WriteBytes("Empty.kiv", MakeLoopFile(2, {}));
    const CItemPtr loop = FileItem("Empty.kiv");
    EXPECT_TRUE(loop->IsFolder());
    EXPECT_TRUE(GetChildItems(loop).empty());
}

TEST_F(CRenderCountingTest, EverySliceIsRenderedOnceIntoItsBlock)
{
    struct TCase
    {
        u32 fChannels;
        std::vector<u32> fFrames;
    };
    for (const TCase& loopCase : {TCase{1, {3, 7, 2}}, TCase{2, {5, 1, 4}}})
    {
        gRenderLog = {};
        const std::string name = "loop" + std::to_string(loopCase.fChannels) + ".kiv";
        WriteBytes(name, MakeLoopFile(loopCase.fChannels, loopCase.fFrames));
        const std::vector<CItemPtr> slices = GetChildItems(FileItem(name));
        ASSERT_EQ(slices.size(), loopCase.fFrames.size());
        for (size_t index = slices.size(); index-- > 0;)
        {
            const u32 frames = loopCase.fFrames[index];
            EXPECT_EQ(slices[index]->GetSize(), 25u + 4u * loopCase.fChannels * frames);
            const std::string block = BytesOf(*OpenItemMedia(slices[index]));
            EXPECT_EQ(block.substr(0, 5), std::string("\xBC\x02\x00\x00\x00", 5));
            EXPECT_EQ(BE32At(block, 5), index);
            EXPECT_EQ(BE32At(block, 9), 97500u); // tempo
            EXPECT_EQ(BE32At(block, 13), 48000u);
            EXPECT_EQ(BE32At(block, 17), loopCase.fChannels);
            EXPECT_EQ(BE32At(block, 21), frames);
            for (u32 channel = 0; channel < loopCase.fChannels; ++channel)
            {
                EXPECT_EQ(FloatAt(block, 25 + 4 * (channel * frames + frames - 1)),
                          256.0f * LoopSample(index, frames - 1, channel));
            }
        }
        EXPECT_EQ(gRenderLog.fRendered, int(slices.size()));
    }
}

TEST_F(CRenderCountingTest, ASliceOfNoFramesFailsEveryTimeAndLeavesNoFile)
{
    WriteBytes("Beat.kiv", MakeLoopFile(1, {3, 4}));
    gRenderLog.fEmptySlice = 1;
    const std::vector<CItemPtr> slices = GetChildItems(FileItem("Beat.kiv"));
    ASSERT_EQ(slices.size(), 2u);
    const size_t filesBefore = TemporaryFileCount();
    EXPECT_THROW(OpenItemMedia(slices[0]), NSQuorral::XUnsupportedFormat);
    EXPECT_EQ(gRenderLog.fRendered, 1);
    EXPECT_THROW(slices[0]->GetSize(), NSQuorral::XUnsupportedFormat);
    EXPECT_EQ(gRenderLog.fRendered, 2);
    EXPECT_EQ(TemporaryFileCount(), filesBefore);

    gRenderLog.fEmptySlice = -1;
    EXPECT_EQ(slices[1]->GetSize(), 25u + 4u * 4u);
}

TEST_F(CRenderCountingTest, ALoopOfThreeChannelsIsRefusedBeforeRendering)
{
    WriteBytes("Beat.kiv", MakeLoopFile(2, {3}));
    const std::vector<CItemPtr> slices = GetChildItems(FileItem("Beat.kiv"));
    gRenderLog.fReportedChannels = 3;
    EXPECT_THROW(OpenItemMedia(slices[0]), NSQuorral::XUnsupportedFormat);
    EXPECT_EQ(gRenderLog.fRendered, 0);
}

TEST_F(LoopFolderTest, ASlicesMediaReadsAfterTheLoopIsGone)
{
    WriteBytes("Beat.kiv", MakeLoopFile(1, {3, 4}));
    std::shared_ptr<NSFerrant::CMedia> media;
    {
        const CItemPtr loop = FileItem("Beat.kiv");
        media = OpenItemMedia(GetChildItems(loop)[1]);
    }
    const std::string block = BytesOf(*media);
    ASSERT_EQ(block.size(), 25u + 16u);
    EXPECT_EQ(BE32At(block, 5), 1u);
    EXPECT_EQ(FloatAt(block, 25), 256.0f * LoopSample(1, 0, 0));
}

TEST_F(LoopFolderTest, LoopEntriesOfAPackageAreFoldersOfSlices)
{
    const std::vector<u8> loop = MakeLoopFile(2, {3, 4});
    const std::string bytes(loop.begin(), loop.end());
    WritePackage("a.vtl", [&] {
        NSTestSupport::TTestPackage package;
        package.fEntries = {Entry("L:Two.kv2", kPackedTypeKIV2, bytes), Entry("L:One.kiv", kPackedTypeKIV, bytes),
                            Entry("L:Cut.cpw", kPackedTypeChopwell, bytes), Entry("L:Raw", kPackedTypeRaw, bytes)};
        return package;
    }());
    const CItemPtr folder = FindChildItem(PackageItem("a.vtl"), Text("L"));
    EXPECT_EQ(TreeOf(folder), "Two.kv2,One.kiv,Cut.cpw,Raw");
    const std::vector<CItemPtr> entries = GetChildItems(folder);
    for (size_t index = 0; index < 3; ++index)
    {
        EXPECT_TRUE(entries[index]->IsBrowsableFile());
        EXPECT_EQ(NamesOf(GetChildItems(entries[index])),
                  (std::vector<TUTF16String>{entries[index]->GetName() + Text(" [0]"),
                                             entries[index]->GetName() + Text(" [1]")}));
    }
    EXPECT_FALSE(entries[3]->IsFolder());
    const CItemPtr slice = GetChildItems(entries[1])[1];
    EXPECT_EQ(slice->GetSize(), 25u + 8u * 4u);
    EXPECT_EQ(slice->GetParent()->GetParent(), folder);
}
} // namespace
} // namespace NSContentTests
