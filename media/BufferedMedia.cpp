#include "media/BufferedMedia.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace NSFerrant
{
namespace
{
// Buffers of the default size are kept for reuse, a few at most. A large allocation is a fresh
// mapping whose pages fault in at first touch, and a pack that buffers each of thousands of small
// files paid that twice per file. The store is the process's, under a lock, since samples are
// coded on several threads: a store per thread would need a thread_local with a destructor, and
// this runtime runs such a destructor after the ending thread's storage is gone.
constexpr size_t kKeptBufferCount = 16;
std::mutex gKeptBuffersLock;
std::vector<std::unique_ptr<u8[]>> gKeptBuffers;

std::unique_ptr<u8[]> TakeBuffer(i64 capacity)
{
    if (capacity == CBufferedMedia::kDefaultBufferSize)
    {
        const std::lock_guard<std::mutex> lock(gKeptBuffersLock);
        if (!gKeptBuffers.empty())
        {
            std::unique_ptr<u8[]> buffer = std::move(gKeptBuffers.back());
            gKeptBuffers.pop_back();
            return buffer;
        }
    }
    return std::unique_ptr<u8[]>(new u8[size_t(capacity)]);
}

void KeepBuffer(i64 capacity, std::unique_ptr<u8[]> buffer) noexcept
{
    if (capacity != CBufferedMedia::kDefaultBufferSize)
        return;
    const std::lock_guard<std::mutex> lock(gKeptBuffersLock);
    if (gKeptBuffers.size() >= kKeptBufferCount)
        return;
    try
    {
        gKeptBuffers.push_back(std::move(buffer));
    }
    catch (...)
    {
        // No room to keep it: it is freed like any other.
    }
}
} // namespace

CBufferedMedia::CBufferedMedia(CMedia& base, i64 bufferSize)
    : fBase(base), fCapacity(std::max(bufferSize, kMinimumBufferSize)), fBuffer(TakeBuffer(fCapacity))
{
    fPosition = base.fPosition;
}

CBufferedMedia::~CBufferedMedia()
{
    try
    {
        FlushPending();
    }
    catch (...)
    {
    }
    KeepBuffer(fCapacity, std::move(fBuffer));
}

void CBufferedMedia::Read(i64 offset, i64 size, void* destination) const
{
    if (size < 1)
        return;
    FlushPending();
    if (offset >= fStart && offset <= fStart + fLength && size <= fStart + fLength - offset)
    {
        std::memcpy(destination, fBuffer.get() + (offset - fStart), size_t(size));
        return;
    }
    const i64 available = offset >= 0 ? BaseSize() - offset : 0;
    if (size >= Capacity() || available < size)
    {
        // Too large to be worth a copy, or a read the base itself must answer (and refuse).
        fBase.Read(offset, size, destination);
        return;
    }
    fLength = 0;
    const i64 window = std::min(Capacity(), available);
    fBase.Read(offset, window, fBuffer.get());
    fStart = offset;
    fLength = window;
    std::memcpy(destination, fBuffer.get(), size_t(size));
}

void CBufferedMedia::Write(i64 offset, i64 size, const void* source)
{
    if (size < 1)
        return;
    const bool joinsBuffer = fLength > 0 && offset >= fStart && offset <= fStart + fLength &&
                             size <= fStart + Capacity() - offset;
    if (!joinsBuffer)
    {
        FlushPending();
        fLength = 0;
        if (offset < 0 || size >= Capacity())
        {
            fBaseSize = -1;
            fBase.Write(offset, size, source);
            return;
        }
        fStart = offset;
    }
    std::memcpy(fBuffer.get() + (offset - fStart), source, size_t(size));
    fLength = std::max(fLength, offset + size - fStart);
    fPending = true;
}

i64 CBufferedMedia::GetSize() const
{
    const i64 baseSize = BaseSize();
    return fPending ? std::max(baseSize, fStart + fLength) : baseSize;
}

void CBufferedMedia::Flush()
{
    FlushPending();
}

i64 CBufferedMedia::BaseSize() const
{
    if (fBaseSize < 0)
        fBaseSize = fBase.GetSize();
    return fBaseSize;
}

void CBufferedMedia::FlushPending() const
{
    if (!fPending)
        return;
    fBaseSize = -1;
    fBase.Write(fStart, fLength, fBuffer.get());
    fPending = false;
}
} // namespace NSFerrant
