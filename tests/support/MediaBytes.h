#pragma once
// Test helpers: memory media made from byte lists and the bytes a media holds.
#include "media/Media.h"

#include <initializer_list>
#include <string>
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

inline NSFerrant::COwnedMemoryMedia MediaOf(const TBytes& bytes)
{
    return NSFerrant::COwnedMemoryMedia(i64(bytes.size()), bytes.data());
}

inline TBytes BytesOf(const NSFerrant::CMedia& media)
{
    TBytes bytes(size_t(media.GetSize()));
    media.Read(0, i64(bytes.size()), bytes.data());
    return bytes;
}
} // namespace NSTestSupport
