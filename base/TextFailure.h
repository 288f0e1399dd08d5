#pragma once
// The one way the text package reports a failure: through the error framework, object type "unicode".
#include <cstddef>
#include <exception>

namespace NSTextPackage
{
[[noreturn]] void ThrowTextFailure(const std::exception& e);

// Windows text calls take int lengths; a count that would overflow one is refused before the call.
int CheckedPlatformLength(std::size_t count, std::size_t unitsPerElement = 1);
} // namespace NSTextPackage
