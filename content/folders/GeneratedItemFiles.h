#pragma once
// What the items that generate their bytes (loop slices, SoundFont samples) share: the kind of
// the temporary files they generate into, and names cut from fixed-width text fields.
#include "base/UTF16String.h"
#include "filelib/FileTypeDescriptors.h"

namespace NSVirtualFS
{
inline const NSFileLibSupport::SFileTypeDescriptor& GetTemporaryFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type = NSFileLibSupport::MakeFileTypeDescriptor(".tmp", 0);
    return type;
}

// Without its trailing blanks (U+0020 only); blanks only give an empty text.
inline NSTextPackage::TUTF16String WithoutTrailingBlanks(const NSTextPackage::TUTF16String& text)
{
    const std::size_t last = text.find_last_not_of(u' ');
    return last == NSTextPackage::TUTF16String::npos ? NSTextPackage::TUTF16String() : text.substr(0, last + 1);
}
} // namespace NSVirtualFS
