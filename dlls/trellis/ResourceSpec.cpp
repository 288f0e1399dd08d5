#include "dlls/trellis/ResourceSpec.h"

#include "base/Quorral.h"
#include "dlls/trellis/LibraryFence.h"
#include "base/TextConversions.h"

#include <stdexcept>

namespace NSTrellisLibrary
{
namespace
{
std::optional<i32> ParseDecimal(std::string_view text, i32 minimum, i32 maximum)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 5)
        return std::nullopt;
    i32 value = 0;
    for (const char c : text)
    {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    if (value < minimum || value > maximum)
        return std::nullopt;
    return value;
}
} // namespace

NSFerrant::TResourceID ParseEntrySpec(std::string_view spec)
{
    const std::size_t first = spec.find('/');
    const std::size_t second = first == spec.npos ? spec.npos : spec.find('/', first + 1);
    if (second == spec.npos || first == 0)
        ThrowInvalidArgument();
    const std::string_view type = spec.substr(0, first);
    const auto id = ParseDecimal(spec.substr(first + 1, second - first - 1), -32768, 32767);
    const auto index = ParseDecimal(spec.substr(second + 1), 0, 65535);
    if (!id || !index)
        ThrowInvalidArgument();
    for (const char c : type)
    {
        if (static_cast<unsigned char>(c) > 127)
            ThrowInvalidArgument();
    }
    return NSFerrant::TResourceID(NSTextPackage::ASCIIToUTF16(std::string(type), 0), i16(*id), u16(*index));
}

std::optional<u16> ParseResourceNumber(std::string_view text)
{
    const auto number = ParseDecimal(text, -32768, 65535);
    if (!number)
        return std::nullopt;
    return u16(*number);
}
} // namespace NSTrellisLibrary
