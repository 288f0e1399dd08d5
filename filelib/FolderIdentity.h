#pragma once
// What tells one folder on disk from every other, whatever path leads to it: a symbolic link or a
// junction shows its target under a path of its own, which no comparison of paths or shell items
// sees through. A folder is known by its index on its volume and the volume's serial number.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <optional>

class CFolderIdentity
{
public:
    // The identity of the folder at the path, read through a handle of the folder; none when the
    // folder cannot be opened to be asked.
    static std::optional<CFolderIdentity> Read(const NSTextPackage::TUTF16String& folderPath);

    // Whether both are one folder. Only its index is read with the identity: asking a volume for
    // its serial number costs many times more than asking a folder (Wine reads the device each
    // time), and the indexes of two different folders differ but on different volumes. The
    // serial numbers are asked of the two folders only when their indexes agree; false when
    // either folder can no longer be asked.
    bool IsSameFolder(const CFolderIdentity& other) const;

private:
    CFolderIdentity(const NSTextPackage::TUTF16String& folderPath, u64 index);

    NSTextPackage::TUTF16String fPath;
    u64 fIndex = 0;
};
