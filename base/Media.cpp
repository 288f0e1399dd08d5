#include "base/Media.h"

#include "base/ByteOrder.h"
#include "base/Throw.h"
#include "base/ExceptionClasses.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>

namespace NSFerrant
{
namespace
{
constexpr i64 kLargestSize = std::numeric_limits<i64>::max();

// True when [offset, offset + size) is a valid range inside [0, limit), without overflow.
bool RangeFits(i64 offset, i64 size, i64 limit)
{
    return offset >= 0 && size >= 0 && offset <= limit && size <= limit - offset;
}

// True when [offset, offset + size) lies inside [first, end), without overflow.
bool RangeWithin(i64 offset, i64 size, i64 first, i64 end)
{
    return size >= 0 && offset >= first && offset <= end && size <= end - offset;
}
} // namespace

COwnedMemoryMedia::COwnedMemoryMedia(i64 capacity)
{
    if (capacity > 0)
        fBytes.reserve(size_t(capacity));
}

COwnedMemoryMedia::COwnedMemoryMedia(i64 size, const void* bytes)
{
    if (size >= 1)
    {
        const u8* first = static_cast<const u8*>(bytes);
        fBytes.assign(first, first + size);
    }
}

void COwnedMemoryMedia::Read(i64 offset, i64 size, void* destination) const
{
    if (size < 1)
        return;
    // Callers never read outside the bytes; refuse rather than touch memory beyond them.
    if (!RangeFits(offset, size, i64(fBytes.size())))
        NSQuorral::Throw<NSQuorral::XRead>();
    std::memcpy(destination, fBytes.data() + offset, size_t(size));
}

void COwnedMemoryMedia::Write(i64 offset, i64 size, const void* source)
{
    if (size < 1)
        return;
    if (offset < 0)
        NSQuorral::Throw<NSQuorral::XWrite>();
    if (size > kLargestSize - offset)
        NSQuorral::Throw(std::length_error("vector<T> too long"));
    GrowToHold(offset + size);
    std::memcpy(fBytes.data() + offset, source, size_t(size));
}

i64 COwnedMemoryMedia::GetSize() const
{
    return i64(fBytes.size());
}

// Reserves ahead of need (the largest of 1.5 times the shortfall, a quarter of the capacity and
// 100 bytes), so that many small appends cost amortised constant time per byte.
void COwnedMemoryMedia::GrowToHold(i64 size)
{
    const i64 capacity = i64(fBytes.capacity());
    if (size > capacity)
    {
        const i64 shortfall = size - capacity;
        const i64 maxGrowth = kLargestSize - capacity;
        // shortfall + shortfall / 2 is (shortfall x 3) >> 1 without the overflow.
        if (shortfall > maxGrowth - (shortfall >> 1))
            NSQuorral::Throw(std::length_error("vector<T> too long"));
        const i64 growth = std::max(shortfall + (shortfall >> 1), std::max(capacity >> 2, i64(100)));
        if (growth > maxGrowth || u64(capacity + growth) > fBytes.max_size())
            NSQuorral::Throw(std::length_error("vector<T> too long"));
        fBytes.reserve(size_t(capacity + growth));
    }
    if (size > i64(fBytes.size()))
        fBytes.resize(size_t(size), 0);
}

CPartialMedia::CPartialMedia(const CMedia& readOnlyParent, i64 offset, i64 length)
    : fReadOnlyParent(&readOnlyParent), fOffset(offset), fLength(length)
{
    fPosition = readOnlyParent.fPosition - offset;
    ComposeWithParent();
}

CPartialMedia::CPartialMedia(CMedia* writableParent, i64 offset, i64 length)
    : fWritableParent(writableParent), fOffset(offset), fLength(length)
{
    fPosition = writableParent->fPosition - offset;
    ComposeWithParent();
}

// Reading through d windows one after the other costs d calls a read; a chunk file nested
// deeply would take time quadratic in its depth to walk. The readable range of a chain is the
// intersection of its read-only windows' ranges, so checking it once here is the same as
// checking every window in turn.
void CPartialMedia::ComposeWithParent()
{
    fOutermost = &Parent();
    fWritableOutermost = fWritableParent;
    fOutermostOffset = fOffset;
    if (const auto* window = dynamic_cast<const CPartialMedia*>(fOutermost))
    {
        fOutermost = window->fOutermost;
        fWritableOutermost = fWritableParent ? window->fWritableOutermost : nullptr;
        fOutermostOffset += window->fOutermostOffset;
        if (window->fBounded)
        {
            fBounded = true;
            fFirstReadable = window->fFirstReadable - fOffset;
            fEndReadable = window->fEndReadable - fOffset;
        }
    }
    if (fReadOnlyParent)
    {
        fFirstReadable = fBounded ? std::max(fFirstReadable, i64(0)) : 0;
        fEndReadable = fBounded ? std::min(fEndReadable, fLength) : fLength;
        fBounded = true;
    }
}

CPartialMedia::~CPartialMedia()
{
    fWritableParent = nullptr;
    fReadOnlyParent = nullptr;
}

const CMedia& CPartialMedia::Parent() const
{
    return fWritableParent ? *fWritableParent : *fReadOnlyParent;
}

void CPartialMedia::Read(i64 offset, i64 size, void* destination) const
{
    if (fBounded && !RangeWithin(offset, size, fFirstReadable, fEndReadable))
        NSQuorral::Throw<NSQuorral::XRead>();
    fOutermost->Read(offset + fOutermostOffset, size, destination);
}

void CPartialMedia::Write(i64 offset, i64 size, const void* source)
{
    if (!fWritableOutermost)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    fWritableOutermost->Write(offset + fOutermostOffset, size, source);
}

i64 CPartialMedia::GetSize() const
{
    if (fLength != kOpenEnded)
        return fLength;
    return Parent().GetSize() - fOffset;
}

void CPartialMedia::PropagatePosition(bool recursive)
{
    CMedia* parent = fWritableParent ? fWritableParent : const_cast<CMedia*>(fReadOnlyParent);
    parent->fPosition = fPosition + fOffset;
    if (recursive)
    {
        if (auto* childParent = dynamic_cast<CABCChildMedia*>(parent))
            childParent->PropagatePosition(true);
    }
}

void ReadBytesAt(CMedia& media, i64 offset, i64 size, void* destination)
{
    media.Read(offset, size, destination);
    media.fPosition = offset + size;
}

void ReadBytes(CMedia& media, i64 size, void* destination)
{
    media.Read(media.fPosition, size, destination);
    media.fPosition += size;
}

void WriteBytes(CMedia& media, i64 size, const void* source)
{
    media.Write(media.fPosition, size, source);
    media.fPosition += size;
}

u8 ReadU8(CMedia& media)
{
    u8 value = 0;
    ReadBytes(media, 1, &value);
    return value;
}

u32 ReadU32BE(CMedia& media)
{
    u8 bytes[4];
    ReadBytes(media, 4, bytes);
    return NSByteOrder::ReadBE32(bytes);
}

void WriteU8(CMedia& media, u8 value)
{
    WriteBytes(media, 1, &value);
}

void WriteU32BE(CMedia& media, u32 value)
{
    u8 bytes[4];
    NSByteOrder::WriteBE32(bytes, value);
    WriteBytes(media, 4, bytes);
}

i64 GetBytesLeft(const CMedia& media)
{
    return std::max(media.GetSize() - media.fPosition, i64(0));
}

void CopyBytes(CMedia& destination, i64 count, CMedia& source, i64 chunkSize)
{
    if (count <= 0)
        return;
    if (chunkSize < 1)
        NSQuorral::Throw(std::invalid_argument("CopyBytes needs a chunk size of at least 1"));
    const i64 bufferSize = std::min(chunkSize, count);
    const std::unique_ptr<u8[]> buffer(new u8[size_t(bufferSize)]);
    i64 sourcePosition = source.fPosition;
    i64 destinationPosition = destination.fPosition;
    for (i64 copied = 0; copied < count;)
    {
        const i64 n = std::min(count - copied, bufferSize);
        source.Read(sourcePosition, n, buffer.get());
        destination.Write(destinationPosition, n, buffer.get());
        sourcePosition += n;
        destinationPosition += n;
        copied += n;
    }
    source.fPosition = sourcePosition;
    destination.fPosition = destinationPosition;
}
} // namespace NSFerrant
