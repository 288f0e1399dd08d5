#include "content/references/DescriptionFields.h"

#include "base/TextConversions.h"
#include "content/references/DeviceTypeNames.h"
#include "base/Media.h"

#include <cstring>
#include <string>

namespace NSDescriptionFields
{
namespace
{
constexpr size_t kANSINameFieldSize = 64;
} // namespace

NSTextPackage::TUTF16String ReadANSINameField(NSFerrant::CMedia& media)
{
    char field[kANSINameFieldSize];
    NSFerrant::ReadBytes(media, kANSINameFieldSize, field);
    field[kANSINameFieldSize - 1] = '\0';
    return NSTextPackage::ANSIToUTF16(std::string(field, std::strlen(field)));
}

NSTextPackage::TUTF16String ReadDeviceTypeCode(NSFerrant::CMedia& media)
{
    return GetDeviceTypeName(NSFerrant::ReadU8(media));
}

bool ReadFlag(NSFerrant::CMedia& media)
{
    return NSFerrant::ReadU8(media) != 0;
}
} // namespace NSDescriptionFields
