#pragma once
// Text tables: the string and alert tables of a program's resources. A table is UTF-8 text with
// one entry a line, "N<TAB>text", N a decimal entry number from 0 to 65535. Inside the text the
// escapes \r, \n, \t and \\ stand for CR, LF, tab and backslash; no other escape exists. Empty
// lines are skipped and a line may end in CR LF.
#include "base/Types.h"

#include <string>

namespace NSTrellisLibrary
{
// The decoded text of one entry, still UTF-8. A malformed table throws XFormatViolation (the
// whole table is checked, whichever entry is asked for); a table without the entry throws
// std::runtime_error.
std::string FindTextTableEntry(const u8* table, u64 size, u16 entry);
} // namespace NSTrellisLibrary
