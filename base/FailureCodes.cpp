#include "base/FailureCodes.h"

#include "base/Throw.h"

#include <stdexcept>

namespace NSQuorral
{
namespace
{
enum EObjectTypeGroup : u32
{
    kGroup_None = 0,
    kGroup_Generic = 1,
    kGroup_Application = 2
};

bool FindRow(const TObjectTypeTable& table, const TFixedName& name, u32& index)
{
    for (u32 row = 0; row < table.fCount; ++row)
    {
        if (table.fRows[row] == name)
        {
            index = row;
            return true;
        }
    }
    return false;
}

TFailureCode Pack(u32 kind, u32 group, u32 index)
{
    return kind << 24 | group << 16 | index << 8 | kFailureCodeMarker;
}

TFixedName RowOrEmpty(const TObjectTypeTable& table, u32 index)
{
    return index < table.fCount ? table.fRows[index] : TFixedName();
}
} // namespace

TFailureCode EncodeFailureCode(const TFailureInfo& info, const TObjectTypeTable& applicationTable)
{
    if (info.fObjectType.IsEmpty())
        return Pack(info.fKind, kGroup_None, 0);
    u32 index = 0;
    if (FindRow(GetGenericObjectTypeTable(), info.fObjectType, index))
        return Pack(info.fKind, kGroup_Generic, index);
    if (FindRow(applicationTable, info.fObjectType, index) && index <= 0xFF)
        return Pack(info.fKind, kGroup_Application, index);
    return Pack(info.fKind, kGroup_None, 0);
}

TFailureInfo DecodeFailureCode(TFailureCode code, const TObjectTypeTable& applicationTable)
{
    const u32 kind = (code >> 24) & 0x7F;
    if (kind < kFailureCode_UndefinedException || kind > kFailureCode_UnitTestFailure)
        NSQuorral::Throw(std::domain_error("Illegal Quorral failure_code!"));
    const u32 group = (code >> 16) & 0xFF;
    const u32 index = (code >> 8) & 0xFF;
    switch (group)
    {
    case kGroup_None:
        return {kind, TFixedName()};
    case kGroup_Generic:
        return {kind, RowOrEmpty(GetGenericObjectTypeTable(), index)};
    case kGroup_Application:
        return {kind, RowOrEmpty(applicationTable, index)};
    default:
        NSQuorral::Throw(std::domain_error("Unknown group for target object type!"));
    }
}
} // namespace NSQuorral
