#pragma once
// The type names of items that are not files on disk: entries of the program's table of item
// type names, each fetched once.
#include "base/UTF16String.h"
#include "base/Types.h"

namespace NSVirtualFS
{
enum EItemTypeText : u16
{
    kItemTypeFolder = 500, // "File Folder"
    kItemTypeLoopSlice = 502,
    kItemTypeSoundFontPreset = 503,
    kItemTypeSoundFontSample = 504,
};

const NSTextPackage::TUTF16String& GetItemTypeText(EItemTypeText entry);
} // namespace NSVirtualFS
