#pragma once
// The failures of the content model's readers of host documents, thrown through the one throw
// shape of the error framework.
#include <string>

namespace NSContentFailures
{
[[noreturn]] void ThrowFormatViolation(const std::string& message = std::string());
[[noreturn]] void ThrowUnsupportedFormat();
} // namespace NSContentFailures
