#pragma once
// Alert texts: "[KIND][Title]Message[Button 1][Button 2][Button 3]". KIND is "NONE", "STOP",
// "NOTE" or "WARN"; the title may be left out; a backslash takes the next character literally;
// text between or after buttons belongs to the message; one to three buttons.
#include "base/UTF16String.h"

#include <vector>

using NSTextPackage::TUTF16String;

// Splits a text into its parts. A text that is empty, ends inside a part, has no button or a
// kind of other than four characters throws std::invalid_argument with an empty message; the
// kind's value and the button count are the caller's to check.
void ParseAlertText(const TUTF16String& text, TUTF16String& kind, TUTF16String& title, TUTF16String& message,
                    std::vector<TUTF16String>& buttons);

// The text with "^0", "^1" ... replaced by the parameters (nothing for a missing one), each with
// "[", "]" and "\" escaped, so that it reads back unchanged and opens no title or button. Every
// parameter that enters an alert text comes in here.
TUTF16String ExpandAlertText(const TUTF16String& text, const std::vector<TUTF16String>& parameters);
