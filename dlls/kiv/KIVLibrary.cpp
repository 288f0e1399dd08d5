// The exports of KIV.dll. Each runs its work inside one fence that turns every exception into a
// status of the KIV table.
#include "base/LibraryStatusTables.h"
#include "dlls/kiv/KIV.h"
#include "dlls/kiv/KIVFailures.h"
#include "dlls/kiv/LoopFile.h"

namespace
{
// The program calls the library from its one thread.
bool gInitialized = false;

template <class TWork> i32 AnswerStatus(TWork work)
{
    return i32(NSQuorral::FenceStatus(kKIVStatusMapping,
                                      [&]
                                      {
                                          if (!gInitialized)
                                              NSKIV::Throw<NSQuorral::XIllegalCallSequence>();
                                          work();
                                      }));
}

// An empty buffer is a damaged file; no buffer or a negative size is the caller's mistake.
void CheckBuffer(const void* buffer, i32 size)
{
    if (!buffer || size < 0)
        NSKIV::ThrowInvalidArgument();
}

const NSKIV::CLoopFile& LoopOf(TKIVHandle handle)
{
    if (!handle)
        NSKIV::ThrowInvalidArgument();
    return *handle;
}

template <class TRecord> void CheckRecordSize(i32 size, const TRecord* record)
{
    if (!record || size != i32(sizeof(TRecord)))
        NSKIV::ThrowInvalidArgument();
}
} // namespace

extern "C" i32 KIVInitializeDLL()
{
    gInitialized = true;
    return i32(kKIVOK);
}

extern "C" void KIVUninitializeDLL()
{
    gInitialized = false;
}

extern "C" i32 KIVGetInfoFromBuffer(i32 size, const void* buffer, i32 infoSize, TKIVInfo* info)
{
    return AnswerStatus(
        [&]
        {
            CheckBuffer(buffer, size);
            CheckRecordSize(infoSize, info);
            *info = NSKIV::ReadLoopLayout(static_cast<const u8*>(buffer), size_t(size)).fInfo;
        });
}

extern "C" i32 KIVCreate(TKIVHandle* handle, const void* buffer, i32 size, void* reserved1, void* reserved2)
{
    if (handle)
        *handle = nullptr;
    return AnswerStatus(
        [&]
        {
            CheckBuffer(buffer, size);
            if (!handle || reserved1 || reserved2)
                NSKIV::ThrowInvalidArgument();
            *handle = new NSKIV::CLoopFile(static_cast<const u8*>(buffer), size_t(size));
        });
}

extern "C" i32 KIVGetInfo(TKIVHandle handle, i32 infoSize, TKIVInfo* info)
{
    return AnswerStatus(
        [&]
        {
            CheckRecordSize(infoSize, info);
            *info = LoopOf(handle).GetInfo();
        });
}

extern "C" i32 KIVGetSliceInfo(TKIVHandle handle, i32 sliceIndex, i32 sliceInfoSize, TKIVSliceInfo* sliceInfo)
{
    return AnswerStatus(
        [&]
        {
            CheckRecordSize(sliceInfoSize, sliceInfo);
            *sliceInfo = LoopOf(handle).GetSliceInfo(sliceIndex);
        });
}

extern "C" i32 KIVRenderSlice(TKIVHandle handle, i32 sliceIndex, i32 frameCount, float* buffers[2])
{
    return AnswerStatus([&] { LoopOf(handle).RenderSlice(sliceIndex, frameCount, buffers); });
}

extern "C" void KIVDelete(TKIVHandle* handle)
{
    if (!handle)
        return;
    delete *handle;
    *handle = nullptr;
}
