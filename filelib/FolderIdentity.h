#pragma once
// What tells one folder on disk from every other, whatever path leads to it: a symbolic link or a
// junction shows its target under a path of its own, which no comparison of paths or shell items
// sees through.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <optional>

struct SFolderIdentity
{
    u32 fVolumeSerial = 0;
    u64 fIndex = 0; // the folder's index on its volume

    bool operator==(const SFolderIdentity&) const = default;
};

// The identity of the folder at the path, read through a handle of the folder; none when the
// folder cannot be opened to be asked.
std::optional<SFolderIdentity> ReadFolderIdentity(const NSTextPackage::TUTF16String& folderPath);
