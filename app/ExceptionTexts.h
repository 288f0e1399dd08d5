#pragma once
// The texts the program's exception responder shows: a fixed choice of alert by the failure's
// class and the type of object it is about, so that the user reads a plain statement of what
// went wrong instead of an internal message.
#include "base/UTF16String.h"

#include <exception>

namespace NSVantleApp
{
// The alert text for the failure, or empty when the failure ends its operation quietly. The
// exception's most derived class decides, tested in a fixed order; fails as the resource lookup
// does.
NSTextPackage::TUTF16String DescribeException(const std::exception& exception);
// The text for a thrown object that is no std::exception.
NSTextPackage::TUTF16String GetUnknownExceptionText();
} // namespace NSVantleApp
