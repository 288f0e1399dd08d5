#include "base/ObjectTypeNames.h"

namespace NSQuorral
{
TFixedName GetTargetObjectTypeKey()
{
    return "target_object_type";
}
TFixedName GetTargetObjectIDKey()
{
    return "target_object_id";
}
TFixedName GetSecondaryObjectIDKey()
{
    return "secondary_object_id";
}

TFixedName GetDiskObjectType()
{
    return "disk";
}
TFixedName GetVolumeObjectType()
{
    return "volume";
}
TFixedName GetFileObjectType()
{
    return "file";
}
TFixedName GetNetworkObjectType()
{
    return "network";
}
TFixedName GetAuthenticationObjectType()
{
    return "authentication";
}
TFixedName GetReferenceObjectType()
{
    return "reference";
}
TFixedName GetUnicodeObjectType()
{
    return "unicode";
}
TFixedName GetFileHandleObjectType()
{
    return "file_handle";
}
TFixedName GetDirectoryObjectType()
{
    return "directory";
}
TFixedName GetVantleObjectType()
{
    return "vantle";
}
} // namespace NSQuorral
