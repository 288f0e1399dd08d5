#pragma once
// File-type descriptors: a kind of file as its extension list and its four-character type code.
// Descriptors are fixed-size records, copied whole wherever they are needed.
#include "base/UTF16String.h"

#include <string>

namespace NSFileLibSupport
{
using NSTextPackage::TUTF16String;

// Entries of an extension list are separated by this unit: ".kv2;.kiv2".
constexpr u16 kFileTypeListSeparator = u';';

struct SFileTypeDescriptor
{
    static constexpr u32 kMaxExtensionUnits = 1024;

    // Zero-terminated UTF-16 extension list, each entry with its leading ".". Units after the
    // terminating zero carry no meaning.
    u16 extensions[kMaxExtensionUnits + 2];
    // Classic four-character code, first character in the most significant byte ('TEXT' is
    // 1413830740); 0 when the kind has none.
    u32 typeCode;
};

// A cleared descriptor holding the ASCII extension list (cut after 1024 units) and the code.
// A byte above 127 in the list is XFormatViolation.
SFileTypeDescriptor MakeFileTypeDescriptor(const std::string& asciiExtensions, u32 typeCode);

// Whether name equals one of the list's entries, ignoring case. A walk that meets an empty
// entry before the end of the list (a leading separator, two in a row) answers false.
bool IsNameInList(const u16* extensionList, const TUTF16String& name);
// True when both codes are set and equal, or when one of the candidate's entries is in the
// type's list: a shared extension matches whatever the codes are.
bool DoFileTypesMatch(const SFileTypeDescriptor& type, const SFileTypeDescriptor& candidate);
// The units before the first separator, or the whole list.
TUTF16String GetFirstExtension(const u16* extensionList);
} // namespace NSFileLibSupport
