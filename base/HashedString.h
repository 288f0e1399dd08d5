#pragma once
// Names compared often: a UTF-16 text with a cached case-insensitive hash, so that equality
// tests compare lengths and hashes before the locale comparison runs.
#include "base/Types.h"
#include "base/UTF16String.h"

// Jenkins one-at-a-time hash of the upper-cased text, low byte of each unit first: names equal
// but for case hash alike.
u32 HashIgnoringCase(const NSTextPackage::TUTF16String& text);

class THashedString
{
public:
    // The empty name: its hash (0) is already valid.
    THashedString() : fHashValid(1), fHash(0) {}
    // The hash is computed on first use.
    explicit THashedString(const NSTextPackage::TUTF16String& text) : fText(text), fHashValid(0), fHash(0) {}

    const NSTextPackage::TUTF16String& GetText() const { return fText; }

    // HashIgnoringCase of the text.
    u32 GetHash() const;

    // Equal lengths, equal hashes, and equal texts when compared ignoring case in the user's locale.
    bool operator==(const THashedString& other) const;
    bool operator!=(const THashedString& other) const { return !(*this == other); }

    void Swap(THashedString& other) noexcept;

private:
    NSTextPackage::TUTF16String fText;
    mutable u8 fHashValid;
    mutable u32 fHash;
};
