#pragma once
// The failures with a message of the content model's readers of host documents, thrown through
// the one throw shape of the error framework. Failures without a message use NSQuorral::Throw.
#include <string>

namespace NSContentFailures
{
[[noreturn]] void ThrowFormatViolation(const std::string& message);
} // namespace NSContentFailures
