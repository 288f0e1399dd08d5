#include "dlls/trellis/TextTable.h"

#include "base/Quorral.h"

#include <optional>
#include <stdexcept>
#include <string_view>

namespace NSTrellisLibrary
{
namespace
{
u16 ParseEntryNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
    u32 number = 0;
    for (const char c : digits)
    {
        if (c < '0' || c > '9')
            NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
        number = number * 10 + u32(c - '0');
    }
    if (number > 0xFFFF)
        NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
    return u16(number);
}

std::string DecodeEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            decoded += text[i];
            continue;
        }
        if (++i == text.size())
            NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
        switch (text[i])
        {
        case 'r': decoded += '\r'; break;
        case 'n': decoded += '\n'; break;
        case 't': decoded += '\t'; break;
        case '\\': decoded += '\\'; break;
        default:
            NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
        }
    }
    return decoded;
}
} // namespace

std::string FindTextTableEntry(const u8* table, u64 size, u16 entry)
{
    const std::string_view text(reinterpret_cast<const char*>(table), size_t(size));
    std::optional<std::string> found;
    u32 previous = 0;
    bool first = true;
    for (size_t lineStart = 0; lineStart < text.size();)
    {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string_view::npos)
            lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;

        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
        const u16 number = ParseEntryNumber(line.substr(0, tab));
        // Ascending numbers keep a table readable and make a repeated entry an error, not a choice.
        if (!first && number <= previous)
            NSQuorral::Throw<NSQuorral::XFormatViolation>("malformed text table");
        first = false;
        previous = number;
        std::string decoded = DecodeEscapes(line.substr(tab + 1));
        if (number == entry)
            found = std::move(decoded);
    }
    if (!found)
    {
        NSQuorral::Throw(std::runtime_error(""));
    }
    return *found;
}
} // namespace NSTrellisLibrary
