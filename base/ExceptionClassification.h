#pragma once
// Reading a caught exception: its failure kind and its body, whether or not it was thrown through
// the throw machinery.
#include "base/ExceptionBody.h"

#include <exception>
#include <string>

namespace NSQuorral
{
struct TClassification
{
    u32 fKind;
    std::string fText;
};

// The kind by the exception's run-time type, and its what() text. A plain std::exception reads
// "Unknown exception" and a std::bad_alloc "bad allocation", whatever the runtime's texts are.
TClassification ClassifyException(const std::exception& exception);

// The exception's own body when it was thrown through the machinery; otherwise one frame of its
// classified kind and text at site.
CExceptionBodyMixin GetExceptionBody(const std::exception& exception, const TThrowSite& site = TThrowSite{});

// Reads the body and discards it; the self-test runner's catch handlers call it.
void ObserveException(const std::exception& exception);
} // namespace NSQuorral
