#pragma once
// Test helpers: memory media made from byte lists and the bytes a media holds.
#include "base/ByteOrder.h"
#include "base/Media.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace NSTestSupport
{
using TBytes = std::vector<u8>;

inline TBytes Bytes(std::initializer_list<u8> bytes)
{
    return TBytes(bytes);
}

// The characters of a text as bytes, without its terminator: Text("FORM").
inline TBytes Text(const std::string& text)
{
    return TBytes(text.begin(), text.end());
}

inline TBytes Concat(std::initializer_list<TBytes> parts)
{
    TBytes all;
    for (const TBytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Appends an integer in a file's byte order.
template <class TValue> void PutField(TBytes& bytes, TValue value, void (*write)(u8*, TValue))
{
    u8 field[sizeof(TValue)];
    write(field, value);
    bytes.insert(bytes.end(), field, field + sizeof(TValue));
}
inline void PutBE16(TBytes& bytes, u16 value) { PutField(bytes, value, NSByteOrder::WriteBE16); }
inline void PutBE32(TBytes& bytes, u32 value) { PutField(bytes, value, NSByteOrder::WriteBE32); }
inline void PutLE16(TBytes& bytes, u16 value) { PutField(bytes, value, NSByteOrder::WriteLE16); }
inline void PutLE32(TBytes& bytes, u32 value) { PutField(bytes, value, NSByteOrder::WriteLE32); }

inline NSFerrant::COwnedMemoryMedia MediaOf(const TBytes& bytes)
{
    return NSFerrant::COwnedMemoryMedia(i64(bytes.size()), bytes.data());
}

inline TBytes BytesOf(const NSFerrant::CMedia& media)
{
    TBytes bytes(size_t(media.GetSize()));
    if (!bytes.empty()) // file media refuse a null destination, even for no bytes
        media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}

// The offset and size of every read and write asked of a media, as a file would see its system
// calls.
struct TMediaPieces
{
    std::vector<std::pair<i64, i64>> fReads;
    std::vector<std::pair<i64, i64>> fWrites;
};

// A memory media that records its pieces where the test keeps them, also when the code under
// test owns and destroys the media.
class CPieceRecordingMedia : public NSFerrant::COwnedMemoryMedia
{
public:
    using COwnedMemoryMedia::COwnedMemoryMedia;
    void Read(i64 offset, i64 size, void* destination) const override
    {
        fPieces->fReads.emplace_back(offset, size);
        COwnedMemoryMedia::Read(offset, size, destination);
    }
    void Write(i64 offset, i64 size, const void* source) override
    {
        fPieces->fWrites.emplace_back(offset, size);
        COwnedMemoryMedia::Write(offset, size, source);
    }
    const std::shared_ptr<TMediaPieces> fPieces = std::make_shared<TMediaPieces>();
};
} // namespace NSTestSupport
