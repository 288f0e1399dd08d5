#pragma once
// The failures the KIV library raises inside itself; its exports turn each into a status.
#include "base/Quorral.h"

#include <stdexcept>

namespace NSKIV
{
template <class TException> [[noreturn]] void ThrowFor(const NSQuorral::TFixedName& objectType)
{
    NSQuorral::Throw<TException>("", objectType);
}

// The file is damaged or no loop file: kKIVDamagedFile.
[[noreturn]] inline void ThrowDamagedFile()
{
    ThrowFor<NSQuorral::XFormatViolation>("kiv_file");
}

// The file is of a later format version than the library reads: kKIVVersionTooNew.
[[noreturn]] inline void ThrowLaterVersion()
{
    ThrowFor<NSQuorral::XVersionTooNew>("kiv_file");
}

// The loop's bars and beats have not been set: kKIVZeroLoop.
[[noreturn]] inline void ThrowZeroLoop()
{
    ThrowFor<NSQuorral::XUnsupportedFormat>("kiv_file_zeroloop");
}

template <class TException> [[noreturn]] void Throw()
{
    NSQuorral::Throw<TException>();
}

[[noreturn]] inline void ThrowInvalidArgument()
{
    Throw<std::invalid_argument>();
}
} // namespace NSKIV
