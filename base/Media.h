#pragma once
// Media: random-access byte stores with a cursor. Every format reader and writer works on one.
#include "base/Types.h"

#include <vector>

namespace NSFerrant
{
// The three operations of a byte store. Offsets are absolute; no operation looks at or moves a cursor.
class IMediaImplementation
{
public:
    virtual void Read(i64 offset, i64 size, void* destination) const = 0;
    virtual void Write(i64 offset, i64 size, const void* source) = 0;
    virtual i64 GetSize() const = 0;

protected:
    ~IMediaImplementation() = default;
};

// The base of every media. fPosition is an open cursor: readers and writers set and advance it
// directly, and the cursor functions below work through it.
class CMedia : public IMediaImplementation
{
public:
    CMedia() = default;
    CMedia(const CMedia&) = delete;
    CMedia& operator=(const CMedia&) = delete;
    virtual ~CMedia() = default;

    i64 fPosition = 0;
};

// A media held in an owned, growable byte vector; writing past the end grows it, zero-filled.
class COwnedMemoryMedia : public CMedia
{
public:
    explicit COwnedMemoryMedia(i64 capacity);
    COwnedMemoryMedia(i64 size, const void* bytes);

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;

    // The bytes themselves, for callers that hand a finished media on as a buffer.
    const std::vector<u8>& GetBytes() const { return fBytes; }

private:
    void GrowToHold(i64 size);

    std::vector<u8> fBytes;
};

// A media that is a window onto a parent media.
class CABCChildMedia : public CMedia
{
public:
    // Brings the parent's cursor in line with this window's cursor; recursive follows the chain
    // of windows up to the outermost media.
    virtual void PropagatePosition(bool recursive) = 0;
};

// A window onto part of a parent media; it never owns the parent, which must outlive it.
// A window over a read-only parent (given by reference) has a length and rejects reads outside
// it. A window over a writable parent (given by pointer) is unchecked and may be open at its end
// (length kOpenEnded), reaching however far the parent grows.
// A new window's position is the parent's position minus the window's offset.
// A window over a window reads and writes the outermost media in one step, with the offsets and
// read bounds of the whole chain composed when it is made, so a read costs the same at any depth.
class CPartialMedia : public CABCChildMedia
{
public:
    static constexpr i64 kOpenEnded = -1;

    CPartialMedia(const CMedia& readOnlyParent, i64 offset, i64 length);
    CPartialMedia(CMedia* writableParent, i64 offset, i64 length);
    ~CPartialMedia() override;

    void Read(i64 offset, i64 size, void* destination) const override;
    void Write(i64 offset, i64 size, const void* source) override;
    i64 GetSize() const override;
    void PropagatePosition(bool recursive) override;

private:
    const CMedia& Parent() const;
    void ComposeWithParent();

    CMedia* fWritableParent = nullptr;
    const CMedia* fReadOnlyParent = nullptr;
    i64 fOffset;
    i64 fLength;

    // The chain composed: the outermost media (writable only when every link is), where this
    // window starts in it, and the readable range in this window's offsets when any link is
    // read-only.
    const CMedia* fOutermost = nullptr;
    CMedia* fWritableOutermost = nullptr;
    i64 fOutermostOffset = 0;
    bool fBounded = false;
    i64 fFirstReadable = 0;
    i64 fEndReadable = 0;
};

// Cursor functions: each works at the media's position and advances it by the bytes moved.
void ReadBytesAt(CMedia& media, i64 offset, i64 size, void* destination);
void ReadBytes(CMedia& media, i64 size, void* destination);
void WriteBytes(CMedia& media, i64 size, const void* source);
u8 ReadU8(CMedia& media);
u32 ReadU32BE(CMedia& media);
void WriteU8(CMedia& media, u8 value);
void WriteU32BE(CMedia& media, u32 value);

// The bytes left between the media's position and its end (0 when the position is beyond it).
i64 GetBytesLeft(const CMedia& media);

// Copies count bytes from the source's position to the destination's position through a buffer
// of chunkSize bytes. Both positions advance only when the whole copy succeeds.
void CopyBytes(CMedia& destination, i64 count, CMedia& source, i64 chunkSize);
} // namespace NSFerrant
