#pragma once
// The property keys and object-type names that throw statements and catch handlers share.
#include "base/FixedName.h"

namespace NSQuorral
{
TFixedName GetTargetObjectTypeKey();  // "target_object_type"
TFixedName GetTargetObjectIDKey();    // "target_object_id"
TFixedName GetSecondaryObjectIDKey(); // "secondary_object_id"

TFixedName GetDiskObjectType();           // "disk"
TFixedName GetVolumeObjectType();         // "volume"
TFixedName GetFileObjectType();           // "file"
TFixedName GetNetworkObjectType();        // "network"
TFixedName GetAuthenticationObjectType(); // "authentication"
TFixedName GetReferenceObjectType();      // "reference"
TFixedName GetUnicodeObjectType();        // "unicode"
TFixedName GetFileHandleObjectType();     // "file_handle"
TFixedName GetDirectoryObjectType();      // "directory"
// In neither object-type table: a failure code drops it, so it never crosses a boundary.
TFixedName GetVantleObjectType(); // "vantle"
} // namespace NSQuorral
