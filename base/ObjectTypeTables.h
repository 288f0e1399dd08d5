#pragma once
// The two tables of object-type names whose row indexes failure codes carry. Their order is
// fixed: an index means the same name on both sides of a library boundary.
#include "base/FixedName.h"
#include "base/Types.h"

namespace NSQuorral
{
struct TObjectTypeTable
{
    const TFixedName* fRows = nullptr;
    u32 fCount = 0;
};

// The constant generic table (group 1): 32 names from "range" to "directory".
TObjectTypeTable GetGenericObjectTypeTable();

// The program's application table (group 2), 23 rows, filled once on first use.
TObjectTypeTable GetApplicationObjectTypeTable();

// The program's entry point registers its application table once, before anything encodes or
// decodes a failure code; until then the registered table is empty.
void RegisterApplicationObjectTypeTable(const TObjectTypeTable& table);
TObjectTypeTable GetRegisteredApplicationObjectTypeTable();
} // namespace NSQuorral
