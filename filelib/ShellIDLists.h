#pragma once
// Item id lists of the shell: a run of ids, each opening with a 16-bit count of its own bytes
// (the count included), ended by a 16-bit zero. An absolute list leads from the desktop to its
// object; the empty list (the zero alone) is the desktop itself; a relative id is one id and the
// zero. Lists are allocated and freed through the shell's allocator.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <shlobj.h>

namespace NSFerrant
{
u32 CountItemIDs(LPCITEMIDLIST list); // 0 for the empty list
// Bytes of the list, its 2-byte terminator included.
u64 GetItemIDListSize(LPCITEMIDLIST list);
// Same size and same bytes.
bool AreItemIDListsIdentical(LPCITEMIDLIST a, LPCITEMIDLIST b);

// The copying functions allocate exactly the bytes they copy through allocator and raise
// std::bad_alloc when it has none.
LPITEMIDLIST CloneItemIDList(LPCITEMIDLIST list, IMalloc* allocator);
// The first list without its terminator, then the whole second list.
LPITEMIDLIST CombineItemIDLists(LPCITEMIDLIST first, LPCITEMIDLIST second, IMalloc* allocator);
// A copy without the last id; the copy of the empty list stays empty.
LPITEMIDLIST CloneParentItemIDList(LPCITEMIDLIST list, IMalloc* allocator);
// The last id, or the list itself when it is empty.
LPCITEMIDLIST FindLastItemID(LPCITEMIDLIST list);

// Display-name flags. The desktop root and the special folders are named with the old
// "include non-file-system" flag, which the current headers no longer name.
constexpr u32 kShellNameIncludingNonFileSystem = 0x2000;
constexpr u32 kShellNameForParsingInFolder = SHGDN_FORPARSING | SHGDN_INFOLDER;

// The name of id relative to folder under the SHGDN flags; empty when the shell gives none.
// Never raises.
NSTextPackage::TUTF16String GetDisplayNameOf(u32 flags, IShellFolder* folder, LPCITEMIDLIST id);
// Whether the parsing name of the child id of folder ends in ".lnk", in any case.
bool IsShortcutFileItem(IShellFolder* folder, LPCITEMIDLIST id);
} // namespace NSFerrant
