// The program's calls of the KIV loop library: the use count, the results turned into
// exceptions, and the information and slices of loop files in media. The library's own exports
// are wrapped by a call table that counts the calls and can make them fail.
#include "media/codec/KIVLibrary.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "dlls/kiv/LoopFileFormat.h"
#include "base/Media.h"
#include "media/codec/KIVCalls.h"
#include "tests/support/LoopFiles.h"
#include "tests/support/MediaBytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <new>
#include <stdexcept>
#include <optional>
#include <string>
#include <typeinfo>

using namespace NSFerrant;
using namespace NSTestSupport;

namespace
{
// What the wrapped calls did, and how a test wants them to deviate from the library.
struct TCallLog
{
    int fInitialized = 0;
    int fInitializedWell = 0; // answered 1, 2 or 3
    int fUninitialized = 0;
    int fInfoFromBuffer = 0;
    int fHandlesMade = 0;
    int fHandlesDeleted = 0;
    i32 fInitializeResult = kKIVOK;
    i32 fFailingSlice = -1; // answers kKIVDamagedFile for this slice
    std::optional<i32> fReportedSliceCount;
    std::optional<u32> fReportedChannels;
};
TCallLog gLog;

void Report(TKIVInfo* info)
{
    if (gLog.fReportedSliceCount)
        info->fSliceCount = *gLog.fReportedSliceCount;
    if (gLog.fReportedChannels)
        info->fChannelCount = *gLog.fReportedChannels;
}

const TKIVCalls kLoggingCalls = {
    []
    {
        ++gLog.fInitialized;
        const i32 result = RealKIVCalls().KIVInitializeDLL();
        if (gLog.fInitializeResult != i32(kKIVOK))
            return gLog.fInitializeResult;
        ++gLog.fInitializedWell;
        return result;
    },
    []
    {
        ++gLog.fUninitialized;
        RealKIVCalls().KIVUninitializeDLL();
    },
    [](i32 size, const void* buffer, i32 infoSize, TKIVInfo* info)
    {
        ++gLog.fInfoFromBuffer;
        const i32 result = RealKIVCalls().KIVGetInfoFromBuffer(size, buffer, infoSize, info);
        Report(info);
        return result;
    },
    [](TKIVHandle* handle, const void* buffer, i32 size, void* reserved1, void* reserved2)
    {
        const i32 result = RealKIVCalls().KIVCreate(handle, buffer, size, reserved1, reserved2);
        gLog.fHandlesMade += *handle ? 1 : 0;
        return result;
    },
    [](TKIVHandle handle, i32 infoSize, TKIVInfo* info)
    {
        const i32 result = RealKIVCalls().KIVGetInfo(handle, infoSize, info);
        Report(info);
        return result;
    },
    [](TKIVHandle handle, i32 index, i32 sliceInfoSize, TKIVSliceInfo* slice)
    {
        return index == gLog.fFailingSlice
                   ? i32(kKIVDamagedFile)
                   : RealKIVCalls().KIVGetSliceInfo(handle, index, sliceInfoSize, slice);
    },
    RealKIVCalls().KIVRenderSlice,
    [](TKIVHandle* handle)
    {
        ++gLog.fHandlesDeleted;
        RealKIVCalls().KIVDelete(handle);
    },
};

// The class of what an action throws, and its object type ("" for none); empty when nothing is
// thrown.
struct TThrown
{
    std::string fClass;
    std::string fObjectType;
    std::string fWhat;
};

TThrown Thrown(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (const std::exception& e)
    {
        const NSQuorral::TPropertyValue type =
            NSQuorral::GetProperty(NSQuorral::GetExceptionBody(e), NSQuorral::GetTargetObjectTypeKey());
        return {typeid(e).name(), type.GetText() ? type.GetText() : "", e.what()};
    }
    return {};
}

// A media of any size whose every read fails.
class CUnreadableMedia : public CMedia
{
public:
    explicit CUnreadableMedia(i64 size) : fSize(size) {}
    void Read(i64, i64, void*) const override
    {
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{}) << NSQuorral::XRead(""));
    }
    void Write(i64, i64, const void*) override {}
    i64 GetSize() const override { return fSize; }

private:
    i64 fSize;
};

class KIVLibraryTests : public testing::Test
{
protected:
    void SetUp() override { gLog = TCallLog{}; }
    // Every use taken was given back, every handle made deleted.
    void TearDown() override
    {
        EXPECT_EQ(gLog.fUninitialized, gLog.fInitializedWell);
        EXPECT_EQ(gLog.fHandlesDeleted, gLog.fHandlesMade);
    }

    CKIVCallsOverride fCalls{kLoggingCalls};
};

std::vector<TKIVSliceInfo> SliceInfosOf(const std::vector<u8>& file, TKIVInfo& info)
{
    COwnedMemoryMedia media = MediaOf(file);
    return GetKIVSliceInfos(media, info);
}

TKIVInfo InfoOf(const std::vector<u8>& file)
{
    COwnedMemoryMedia media = MediaOf(file);
    return GetKIVInfoFromMedia(media);
}
} // namespace

TEST_F(KIVLibraryTests, UsesNestAndTheLibraryIsInitialisedOnceForThem)
{
    // Giving back a use nobody holds neither uninitialises the library nor counts below 0.
    UninitializeKIVLibrary();
    EXPECT_EQ(gLog.fUninitialized, 0);
    {
        const CKIVLibraryUse application;
        EXPECT_EQ(gLog.fInitialized, 1);
        {
            const CKIVLibraryUse inner;
            InfoOf(MakeLoopFile(1, {4}));
        }
        EXPECT_EQ(gLog.fInitialized, 1);
        EXPECT_EQ(gLog.fUninitialized, 0);
    }
    EXPECT_EQ(gLog.fUninitialized, 1);
    UninitializeKIVLibrary();
    EXPECT_EQ(gLog.fUninitialized, 1);

    // Each operation on its own takes the library up and down again.
    InfoOf(MakeLoopFile(1, {4}));
    EXPECT_EQ(gLog.fInitialized, 2);
    EXPECT_EQ(gLog.fUninitialized, 2);
}

TEST_F(KIVLibraryTests, AFailedInitialisationLeavesNoUse)
{
    gLog.fInitializeResult = kKIVDamagedFile;
    const TThrown thrown = Thrown(InitializeKIVLibrary);
    EXPECT_EQ(thrown.fClass, typeid(NSQuorral::XFormatViolation).name());
    EXPECT_EQ(thrown.fObjectType, "kiv_file");
    // The count stayed at 0: the next use initialises again, and nothing is read without one.
    EXPECT_EQ(Thrown([] { InfoOf(MakeLoopFile(1, {4})); }).fClass,
              typeid(NSQuorral::XFormatViolation).name());
    EXPECT_EQ(gLog.fInitialized, 2);
    EXPECT_EQ(gLog.fInfoFromBuffer, 0);
    EXPECT_EQ(gLog.fUninitialized, 0);

    gLog.fInitializeResult = kKIVOK;
    InitializeKIVLibrary();
    UninitializeKIVLibrary();
    EXPECT_EQ(gLog.fInitialized, 3);
    EXPECT_EQ(gLog.fUninitialized, 1);
}

TEST_F(KIVLibraryTests, ResultsBecomeTheExceptionsOfTheKIVTable)
{
    for (i32 success : {1, 2, 3})
        EXPECT_NO_THROW(ThrowIfKIVFailure(success)) << success;

    const u32 notFoundDLL =
        GetKIVStatusRange().fBase +
        NSQuorral::EncodeFailureCode({NSQuorral::kFailureCode_RuntimeError_NotFound, "kiv_dll"},
                                     NSQuorral::GetRegisteredApplicationObjectTypeTable());
    struct Case
    {
        i32 fResult;
        const std::type_info& fClass;
        const char* fObjectType;
        bool fAnsweredBack; // the library answers the exception with this very result
    };
    const Case kCases[] = {
        {kKIVOutOfMemory, typeid(NSQuorral::XStdBadAlloc), "", true},
        {kKIVDamagedFile, typeid(NSQuorral::XFormatViolation), "kiv_file", true},
        {kKIVVersionTooNew, typeid(NSQuorral::XVersionTooNew), "kiv_file", true},
        {kKIVZeroLoop, typeid(NSQuorral::XUnsupportedFormat), "kiv_file_zeroloop", true},
        {kKIVRuntimeError, typeid(NSQuorral::XStdRuntimeError), "", true},
        {i32(notFoundDLL), typeid(NSQuorral::XNotFound), "kiv_dll", true},
        {0, typeid(NSQuorral::XStdException), "", false},
        {4, typeid(NSQuorral::XStdException), "", false},
        {-1, typeid(NSQuorral::XStdException), "", false},
        {667, typeid(NSQuorral::XStdException), "", false},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fResult);
        try
        {
            ThrowIfKIVFailure(c.fResult);
            ADD_FAILURE() << "nothing thrown";
        }
        catch (const std::exception& e)
        {
            EXPECT_EQ(typeid(e), c.fClass);
            const NSQuorral::TPropertyValue type =
                NSQuorral::GetProperty(NSQuorral::GetExceptionBody(e), NSQuorral::GetTargetObjectTypeKey());
            EXPECT_STREQ(type.GetText() ? type.GetText() : "", c.fObjectType);
            if (c.fAnsweredBack)
            {
                EXPECT_EQ(i32(KIVStatusFromCurrentException()), c.fResult);
            }
        }
    }

    // What the library answers for exceptions of its own making.
    const std::function<void()> kPlain[] = {
        [] { throw std::bad_alloc(); },
        [] { throw std::runtime_error("inside"); },
        [] { throw 7; },
    };
    const u32 kAnswers[] = {kKIVOutOfMemory, kKIVRuntimeError, kKIVRuntimeError};
    for (size_t i = 0; i < std::size(kPlain); ++i)
    {
        try
        {
            kPlain[i]();
        }
        catch (...)
        {
            EXPECT_EQ(KIVStatusFromCurrentException(), kAnswers[i]) << i;
        }
    }
}

TEST_F(KIVLibraryTests, LoopFilesGiveTheirInformationAndSlices)
{
    std::vector<u32> many;
    for (u32 i = 0; i < 30; ++i)
        many.push_back(2 * i + 1);
    struct Case
    {
        u32 fChannels;
        std::vector<u32> fSliceFrames;
    };
    const Case kCases[] = {{1, {}}, {2, {}}, {1, {12}}, {2, {12}}, {1, many}, {2, many}};
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.fChannels << " channels, " << c.fSliceFrames.size() << " slices");
        const std::vector<u8> file = MakeLoopFile(c.fChannels, c.fSliceFrames);
        const TKIVInfo info = InfoOf(file);
        EXPECT_EQ(info.fChannelCount, c.fChannels);
        EXPECT_EQ(info.fSampleRate, 48000u);
        EXPECT_EQ(info.fSliceCount, i32(c.fSliceFrames.size()));
        EXPECT_EQ(info.fTempo, 97500u);

        TKIVInfo fromHandle{};
        const std::vector<TKIVSliceInfo> slices = SliceInfosOf(file, fromHandle);
        EXPECT_EQ(std::memcmp(&fromHandle, &info, sizeof info), 0);
        ASSERT_EQ(slices.size(), c.fSliceFrames.size());
        u32 firstFrame = 0;
        for (size_t i = 0; i < slices.size(); ++i)
        {
            EXPECT_EQ(slices[i].fFirstFrame, firstFrame) << i;
            EXPECT_EQ(slices[i].fFrameCount, c.fSliceFrames[i]) << i;
            firstFrame += c.fSliceFrames[i];
        }
    }
    EXPECT_EQ(gLog.fHandlesMade, int(std::size(kCases)));
}

TEST_F(KIVLibraryTests, DamagedAndUnusableFilesAreRefusedAndReleaseWhatTheyHeld)
{
    const std::vector<u8> valid = MakeLoopFile(2, {4, 6, 2});
    auto withField = [&](size_t offset, u32 value)
    {
        std::vector<u8> file = valid;
        NSByteOrder::WriteBE32(file.data() + offset, value);
        return file;
    };
    auto cutTo = [&](size_t size) { return std::vector<u8>(valid.begin(), valid.begin() + long(size)); };
    struct Case
    {
        const char* fName;
        std::function<void(std::function<void(CMedia&)>)> fWithMedia;
        const std::type_info& fClass;
        const char* fObjectType;
        bool fLibraryAsked;
    };
    auto bytes = [](std::vector<u8> file)
    {
        return [file](std::function<void(CMedia&)> use)
        {
            COwnedMemoryMedia media = MediaOf(file);
            use(media);
        };
    };
    auto unreadable = [](i64 size)
    {
        return [size](std::function<void(CMedia&)> use)
        {
            CUnreadableMedia media(size);
            use(media);
        };
    };
    auto reporting = [&](std::optional<i32> slices, std::optional<u32> channels)
    {
        return [&valid, slices, channels](std::function<void(CMedia&)> use)
        {
            gLog.fReportedSliceCount = slices;
            gLog.fReportedChannels = channels;
            COwnedMemoryMedia media = MediaOf(valid);
            use(media);
            gLog.fReportedSliceCount.reset();
            gLog.fReportedChannels.reset();
        };
    };
    const Case kCases[] = {
        {"empty", bytes({}), typeid(NSQuorral::XFormatViolation), "", false},
        {"larger than the library's sizes", unreadable(i64(1) << 31), typeid(NSQuorral::XFormatViolation), "",
         false},
        {"unreadable", unreadable(80), typeid(NSQuorral::XRead), "", false},
        {"cut in the header", bytes(cutTo(30)), typeid(NSQuorral::XFormatViolation), "kiv_file", true},
        {"cut in the frames", bytes(cutTo(valid.size() - 1)), typeid(NSQuorral::XFormatViolation), "kiv_file",
         true},
        {"more slices than it holds", bytes(withField(NSKIV::kSliceCountOffset, 4)),
         typeid(NSQuorral::XFormatViolation), "kiv_file", true},
        {"more frames than it holds", bytes(withField(NSKIV::kHeaderSize + 8, 3)),
         typeid(NSQuorral::XFormatViolation), "kiv_file", true},
        {"a later version", bytes(withField(NSKIV::kVersionOffset, 2)), typeid(NSQuorral::XVersionTooNew),
         "kiv_file", true},
        {"no bars", bytes(withField(NSKIV::kBarCountOffset, 0)), typeid(NSQuorral::XUnsupportedFormat),
         "kiv_file_zeroloop", true},
        {"a negative slice count reported", reporting(-1, std::nullopt), typeid(NSQuorral::XFormatViolation),
         "", true},
        {"three channels reported", reporting(std::nullopt, 3), typeid(NSQuorral::XUnsupportedFormat), "",
         true},
        {"256 + 2 channels reported", reporting(std::nullopt, 258), typeid(NSQuorral::XUnsupportedFormat), "",
         true},
    };
    for (const Case& c : kCases)
    {
        SCOPED_TRACE(c.fName);
        gLog.fInfoFromBuffer = 0;
        const int handlesBefore = gLog.fHandlesMade;
        TThrown thrown[2];
        c.fWithMedia([&](CMedia& media) { thrown[0] = Thrown([&] { GetKIVInfoFromMedia(media); }); });
        c.fWithMedia(
            [&](CMedia& media)
            {
                TKIVInfo info{};
                thrown[1] = Thrown([&] { GetKIVSliceInfos(media, info); });
            });
        for (const TThrown& t : thrown)
        {
            EXPECT_EQ(t.fClass, c.fClass.name());
            EXPECT_EQ(t.fObjectType, c.fObjectType);
        }
        EXPECT_EQ(gLog.fInfoFromBuffer, c.fLibraryAsked ? 1 : 0);
        if (!c.fLibraryAsked)
        {
            EXPECT_EQ(gLog.fHandlesMade, handlesBefore);
        }
        EXPECT_EQ(gLog.fUninitialized, gLog.fInitializedWell);
    }
}

TEST_F(KIVLibraryTests, AFailureInTheSliceLoopDeletesTheHandleAndGivesBackTheUse)
{
    gLog.fFailingSlice = 2;
    TKIVInfo info{};
    const TThrown thrown = Thrown([&] { SliceInfosOf(MakeLoopFile(1, {3, 3, 3, 3}), info); });
    EXPECT_EQ(thrown.fClass, typeid(NSQuorral::XFormatViolation).name());
    EXPECT_EQ(thrown.fObjectType, "kiv_file");
    EXPECT_EQ(gLog.fHandlesMade, 1);
    EXPECT_EQ(gLog.fHandlesDeleted, 1);
    EXPECT_EQ(gLog.fUninitialized, 1);
}
