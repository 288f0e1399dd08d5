#pragma once
// A short 8-bit name held in place: property keys and object-type names of the error framework.
#include "base/Types.h"

#include <cstring>

namespace NSQuorral
{
struct TFixedName
{
    static constexpr std::size_t kMaxLength = 64;

    // An empty name; also the "no object type" of status tables and failure infos.
    constexpr TFixedName() = default;
    // Copies at most kMaxLength characters; every name the program uses is far shorter.
    constexpr TFixedName(const char* text)
    {
        for (std::size_t i = 0; i < kMaxLength && text[i] != '\0'; ++i)
            fText[i] = text[i];
    }

    const char* c_str() const { return fText; }
    bool IsEmpty() const { return fText[0] == '\0'; }

    // Byte-wise and case-sensitive, up to the terminating NUL.
    friend bool operator==(const TFixedName& a, const TFixedName& b)
    {
        return std::strcmp(a.fText, b.fText) == 0;
    }

    char fText[kMaxLength + 1] = {};
};
} // namespace NSQuorral
