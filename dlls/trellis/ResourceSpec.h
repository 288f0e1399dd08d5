#pragma once
// The narrow resource specs that the library's users hand in.
#include "base/ResourceID.h"

#include <optional>
#include <string_view>

namespace NSTrellisLibrary
{
// "TYPE/id/index" (the text form of an entry id, for example "SSTR/128/34") as an id of kind 81;
// any other shape throws std::invalid_argument.
NSFerrant::TResourceID ParseEntrySpec(std::string_view spec);

// A resource number in decimal, as Windows takes it (a negative id is its 16-bit pattern); empty
// when the text is no number from -32768 to 65535.
std::optional<u16> ParseResourceNumber(std::string_view text);
} // namespace NSTrellisLibrary
