#include "filelib/ShellIDLists.h"

#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/ShellErrors.h"

#include <shlwapi.h>

#include <cstring>
#include <new>

namespace NSFerrant
{
namespace
{
constexpr u64 kTerminatorBytes = sizeof(u16);

u16 IDByteCount(const u8* id)
{
    u16 count;
    std::memcpy(&count, id, sizeof(count));
    return count;
}

// Bytes of the ids before the terminator.
u64 GetIDBytes(LPCITEMIDLIST list)
{
    const u8* start = reinterpret_cast<const u8*>(list);
    const u8* id = start;
    while (u16 count = IDByteCount(id))
        id += count;
    return u64(id - start);
}

LPITEMIDLIST Allocate(u64 bytes, IMalloc* allocator)
{
    void* memory = allocator->Alloc(bytes);
    if (!memory)
        ThrowShellFailure(std::bad_alloc(), NSQuorral::TFixedName());
    return static_cast<LPITEMIDLIST>(memory);
}
} // namespace

u32 CountItemIDs(LPCITEMIDLIST list)
{
    u32 count = 0;
    for (const u8* id = reinterpret_cast<const u8*>(list); u16 bytes = IDByteCount(id); id += bytes)
        ++count;
    return count;
}

u64 GetItemIDListSize(LPCITEMIDLIST list)
{
    return GetIDBytes(list) + kTerminatorBytes;
}

bool AreItemIDListsIdentical(LPCITEMIDLIST a, LPCITEMIDLIST b)
{
    const u64 size = GetItemIDListSize(a);
    return size == GetItemIDListSize(b) && std::memcmp(a, b, size) == 0;
}

LPITEMIDLIST CloneItemIDList(LPCITEMIDLIST list, IMalloc* allocator)
{
    const u64 size = GetItemIDListSize(list);
    LPITEMIDLIST copy = Allocate(size, allocator);
    std::memcpy(copy, list, size);
    return copy;
}

LPITEMIDLIST CombineItemIDLists(LPCITEMIDLIST first, LPCITEMIDLIST second, IMalloc* allocator)
{
    const u64 firstBytes = GetIDBytes(first);
    const u64 secondSize = GetItemIDListSize(second);
    LPITEMIDLIST combined = Allocate(firstBytes + secondSize, allocator);
    std::memcpy(combined, first, firstBytes);
    std::memcpy(reinterpret_cast<u8*>(combined) + firstBytes, second, secondSize);
    return combined;
}

LPITEMIDLIST CloneParentItemIDList(LPCITEMIDLIST list, IMalloc* allocator)
{
    LPITEMIDLIST copy = CloneItemIDList(list, allocator);
    const u8* last = reinterpret_cast<const u8*>(FindLastItemID(copy));
    const u16 terminator = 0;
    std::memcpy(const_cast<u8*>(last), &terminator, sizeof(terminator));
    return copy;
}

LPCITEMIDLIST FindLastItemID(LPCITEMIDLIST list)
{
    const u8* id = reinterpret_cast<const u8*>(list);
    const u8* last = id;
    while (u16 count = IDByteCount(id))
    {
        last = id;
        id += count;
    }
    return reinterpret_cast<LPCITEMIDLIST>(last);
}

NSTextPackage::TUTF16String GetDisplayNameOf(u32 flags, IShellFolder* folder, LPCITEMIDLIST id)
{
    STRRET name = {};
    if (FAILED(folder->GetDisplayNameOf(id, flags, &name)))
        return {};
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(::StrRetToBufW(&name, id, buffer, MAX_PATH)))
        return {};
    return NSTextPackage::FromWide(buffer);
}

bool IsShortcutFileItem(IShellFolder* folder, LPCITEMIDLIST id)
{
    static const NSTextPackage::TUTF16String kShortcutExtension = NSTextPackage::ASCIIToUTF16(".lnk", 0);
    const NSTextPackage::TUTF16String name = GetDisplayNameOf(kShellNameForParsingInFolder, folder, id);
    const auto dot = name.rfind(u'.');
    if (dot == NSTextPackage::TUTF16String::npos)
        return false;
    return NSTextPackage::CompareText(name.substr(dot), kShortcutExtension, NSTextPackage::kCompareIgnoreCase) ==
           NSTextPackage::kCompareEqual;
}
} // namespace NSFerrant
