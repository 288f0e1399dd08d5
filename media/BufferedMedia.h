#pragma once
// A media that turns the small reads and writes of its users into large ones on another media,
// for bases where every call is expensive (a file costs a system call per read or write).
#include "base/Media.h"

#include <memory>

namespace NSFerrant
{
// One buffer serves both directions. A read is answered from a window of the base read in one
// piece; writes collect in the buffer while each one starts inside or right after what it holds
// and fits in it, and reach the base in one piece when a write leaves it, before any read, on
// Flush and when the media is destroyed. Reads and writes of at least the buffer's size go to
// the base directly. Nothing else may change the base while it is buffered.
class CBufferedMedia : public CMedia
{
public:
    static constexpr i64 kMinimumBufferSize = 64 * 1024;
    static constexpr i64 kDefaultBufferSize = 256 * 1024;

    // The base must outlive this media. A bufferSize below kMinimumBufferSize is raised to it. A
    // buffer of the default size may be one an earlier media, of any thread, left behind.
    explicit CBufferedMedia(CMedia& base, i64 bufferSize = kDefaultBufferSize);
    // Writes what is pending; a failure of that write is swallowed (call Flush to see it).
    ~CBufferedMedia() override;

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    // The base's size, or the end of the pending bytes when they reach further.
    i64 GetSize() const override;

    // Writes the pending bytes to the base. The buffer keeps them as a read window.
    void Flush();

private:
    void FlushPending() const;
    i64 Capacity() const { return fCapacity; }
    // The base's size, asked once: only this media's own writes change it.
    i64 BaseSize() const;

    CMedia& fBase;
    // Reads refill and flush the buffer, so it changes under the const Read of the interface. Left
    // uninitialised: only the fLength bytes written into it are ever read, and zeroing it cost more
    // than packing a small sample file.
    i64 fCapacity;
    std::unique_ptr<u8[]> fBuffer;
    mutable i64 fStart = 0;  // the base offset of the buffer's first byte
    mutable i64 fLength = 0; // the bytes of the buffer that hold the base's content or pending bytes
    mutable bool fPending = false;
    mutable i64 fBaseSize = -1; // -1: not asked since the base was last written
};
} // namespace NSFerrant
