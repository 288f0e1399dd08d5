#include "filelib/FileTypeDescriptors.h"

#include "base/TextCompare.h"
#include "base/TextConversions.h"

#include <algorithm>
#include <cstring>

using namespace NSTextPackage;

namespace NSFileLibSupport
{
namespace
{
bool NamesMatch(const TUTF16String& a, const TUTF16String& b)
{
    return EqualIgnoringCase(a, b);
}

// The descriptor's list up to its zero, never beyond the record.
TUTF16String ListOf(const SFileTypeDescriptor& descriptor)
{
    const u16* begin = descriptor.extensions;
    const u16* end = std::find(begin, begin + SFileTypeDescriptor::kMaxExtensionUnits + 1, u16(0));
    return TUTF16String(begin, end);
}

// Calls matches(entry) for the list's entries in order until it answers true. A list without a
// separator is one entry; an empty entry with a separator at its start ends the walk.
template <class TPredicate> bool AnyEntry(const TUTF16String& list, TPredicate matches)
{
    std::size_t separator = list.find(kFileTypeListSeparator);
    if (separator == TUTF16String::npos)
        return matches(list);
    std::size_t start = 0;
    for (;;)
    {
        separator = list.find(kFileTypeListSeparator, start);
        if (separator == start)
            return false;
        if (matches(list.substr(start, separator - start)))
            return true;
        if (separator == TUTF16String::npos)
            return false;
        start = separator + 1;
    }
}
} // namespace

SFileTypeDescriptor MakeFileTypeDescriptor(const std::string& asciiExtensions, u32 typeCode)
{
    SFileTypeDescriptor descriptor;
    std::memset(&descriptor, 0, sizeof descriptor);
    const TUTF16String list = ASCIIToUTF16(asciiExtensions, 0);
    const std::size_t units = std::min<std::size_t>(list.size(), SFileTypeDescriptor::kMaxExtensionUnits);
    std::copy_n(list.begin(), units, descriptor.extensions);
    descriptor.typeCode = typeCode;
    return descriptor;
}

bool IsNameInList(const u16* extensionList, const TUTF16String& name)
{
    return AnyEntry(TUTF16String(extensionList),
                    [&](const TUTF16String& entry) { return NamesMatch(entry, name); });
}

bool DoFileTypesMatch(const SFileTypeDescriptor& type, const SFileTypeDescriptor& candidate)
{
    if (type.typeCode != 0 && type.typeCode == candidate.typeCode)
        return true;
    const TUTF16String typeList = ListOf(type);
    return AnyEntry(ListOf(candidate),
                    [&](const TUTF16String& entry) { return IsNameInList(typeList.c_str(), entry); });
}

TUTF16String GetFirstExtension(const u16* extensionList)
{
    const TUTF16String list(extensionList);
    return list.substr(0, list.find(kFileTypeListSeparator));
}
} // namespace NSFileLibSupport
