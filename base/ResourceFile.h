#pragma once
// Loading of the program's resources: a resource named by a TResourceID is found in the current
// code module (or first in the secondary resource module, when one is installed) and its bytes are
// handed out as a media.
#include "base/ResourceID.h"

#include <memory>

#include <windows.h>

namespace NSFerrant
{
class COwnedMemoryMedia;

// A module handle shared by its holders; the raw pointer is the HMODULE.
using TSharedModule = std::shared_ptr<std::remove_pointer_t<HMODULE>>;

// A copy of the program-wide secondary resource module holder (empty unless one is installed).
void GetSecondaryResourceFile(TSharedModule& module);
// Installs (or, with an empty holder, removes) the secondary resource module, searched before
// the code module.
void SetSecondaryResourceFile(const TSharedModule& module);

// The resource of a numbered kind by number, of a named kind by name; null for any other kind,
// the empty id included. An entry's index takes no part: the whole resource is found.
HRSRC FindResourceByID(HMODULE module, const TResourceID& id);
// The resource's bytes, valid while the module is loaded. Not found: std::runtime_error; load
// failure: XRead; lock failure: XLocked; all with empty messages.
const void* LockResourceData(HMODULE module, const TResourceID& id, u64& size);

class COpenResourceFile
{
public:
    // A source over the current code module and the secondary module holder; throws
    // XIllegalCallSequence when no code module is registered.
    COpenResourceFile();
    COpenResourceFile(const COpenResourceFile&) = delete;
    COpenResourceFile& operator=(const COpenResourceFile&) = delete;
    ~COpenResourceFile();

    // A new media holding the resource's bytes at position 0; the caller owns it.
    std::unique_ptr<COwnedMemoryMedia> LoadResourceMedia(const TResourceID& id) const;

    HMODULE fModule; // borrowed: the code module outlives every source
    TSharedModule fSecondary;
};
} // namespace NSFerrant
