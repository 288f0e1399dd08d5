#include "base/TextUtilities.h"

#include "base/Quorral.h"

#include <cstring>
#include <stdexcept>

namespace NSFerrant
{
NSTextPackage::TUTF16String ExtractUntil(const NSTextPackage::TUTF16String& text, u64 start,
                                         const NSTextPackage::TUTF16String& delimiters)
{
    if (start > text.size())
        NSQuorral::Throw(std::out_of_range(""));
    const std::size_t end = delimiters.empty() ? text.npos : text.find_first_of(delimiters, std::size_t(start));
    return text.substr(std::size_t(start), end == text.npos ? text.npos : end - std::size_t(start));
}

void CopyTextDroppingNewlines(char (&buffer)[kDroppedNewlinesBufferSize], const std::string& text)
{
    std::memset(buffer, 0, sizeof buffer);
    std::size_t written = 0;
    for (const char c : text)
    {
        if (written == kDroppedNewlinesBufferSize - 1)
            break;
        if (c != '\n')
            buffer[written++] = c;
    }
}

std::string ConvertCRToCRLF(const char* text)
{
    std::string converted;
    for (; *text; ++text)
    {
        converted += *text;
        if (*text == '\r')
            converted += '\n';
    }
    return converted;
}
} // namespace NSFerrant
