#include "media/codec/KIVLibrary.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/Media.h"
#include "media/codec/KIVCalls.h"

#include <algorithm>
#include <limits>

namespace
{
// The program's one thread counts the uses; no lock.
u32 gKIVUseCount = 0;

template <class TException> [[noreturn]] void Throw()
{
    NSQuorral::Throw<TException>();
}

// The whole loop file: the library reads it from memory, its size an i32.
std::vector<u8> ReadLoopFile(NSFerrant::CMedia& file)
{
    const i64 size = file.GetSize();
    if (size <= 0 || size > std::numeric_limits<i32>::max())
        Throw<NSQuorral::XFormatViolation>();
    std::vector<u8> bytes(size_t(size), 0);
    NSFerrant::ReadBytes(file, size, bytes.data());
    return bytes;
}

// A handle of the library, deleted when the owner goes.
class CKIVHandleOwner
{
public:
    CKIVHandleOwner() = default;
    ~CKIVHandleOwner()
    {
        if (fHandle)
            KIVCalls().KIVDelete(&fHandle);
    }
    CKIVHandleOwner(const CKIVHandleOwner&) = delete;
    CKIVHandleOwner& operator=(const CKIVHandleOwner&) = delete;

    TKIVHandle fHandle = nullptr;
};
} // namespace

void InitializeKIVLibrary()
{
    if (gKIVUseCount == 0)
        ThrowIfKIVFailure(KIVCalls().KIVInitializeDLL());
    ++gKIVUseCount;
}

void UninitializeKIVLibrary()
{
    if (gKIVUseCount == 0)
        return;
    if (gKIVUseCount == 1)
        KIVCalls().KIVUninitializeDLL();
    --gKIVUseCount;
}

void ThrowIfKIVFailure(i32 result)
{
    if (result < 1 || result > 3)
        ThrowKIVFailure(u32(result));
}

void CheckKIVInfo(const TKIVInfo& info)
{
    if (info.fSliceCount < 0)
        Throw<NSQuorral::XFormatViolation>();
    if (info.fChannelCount != 1 && info.fChannelCount != 2)
        Throw<NSQuorral::XUnsupportedFormat>();
}

TKIVInfo GetKIVInfoFromMedia(NSFerrant::CMedia& file)
{
    const CKIVLibraryUse use;
    const std::vector<u8> bytes = ReadLoopFile(file);
    TKIVInfo info{};
    ThrowIfKIVFailure(
        KIVCalls().KIVGetInfoFromBuffer(i32(bytes.size()), bytes.data(), i32(sizeof info), &info));
    CheckKIVInfo(info);
    return info;
}

std::vector<TKIVSliceInfo> GetKIVSliceInfos(NSFerrant::CMedia& file, TKIVInfo& info)
{
    const CKIVLibraryUse use;
    const std::vector<u8> bytes = ReadLoopFile(file);
    CKIVHandleOwner loop;
    ThrowIfKIVFailure(KIVCalls().KIVCreate(&loop.fHandle, bytes.data(), i32(bytes.size()), nullptr, nullptr));
    ThrowIfKIVFailure(KIVCalls().KIVGetInfo(loop.fHandle, i32(sizeof info), &info));
    CheckKIVInfo(info);

    // The count is the library's word on a file: room for more slices than the file has bytes
    // is never made ahead.
    std::vector<TKIVSliceInfo> slices;
    slices.reserve(std::min(size_t(info.fSliceCount), bytes.size()));
    for (i32 index = 0; index < info.fSliceCount; ++index)
    {
        TKIVSliceInfo slice{};
        ThrowIfKIVFailure(KIVCalls().KIVGetSliceInfo(loop.fHandle, index, i32(sizeof slice), &slice));
        slices.push_back(slice);
    }
    return slices;
}
