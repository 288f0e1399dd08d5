#include "base/GroupedNumbers.h"

#include <limits>
#include <memory>

#include "base/TextConversions.h"
#include "base/UserNumberSettings.h"

namespace NSTextPackage
{
namespace
{
std::unique_ptr<TNumberLocale>& NumberLocaleOwner()
{
    static std::unique_ptr<TNumberLocale> owner;
    return owner;
}

// Windows writes the grouping as sizes from the right separated by ";", a final 0 meaning that
// the last size repeats: "3;0" is 1,234,567; "3;2;0" is 12,34,567; "3" is 1234,567.
void ParseGrouping(const TUTF16String& text, TNumberLocale& locale)
{
    std::vector<u32> sizes(1, 0);
    for (const u16 unit : text)
    {
        if (unit == u';')
            sizes.push_back(0);
        else if (unit >= u'0' && unit <= u'9')
            sizes.back() = sizes.back() * 10 + u32(unit - u'0');
    }
    locale.fRepeatLastGroup = sizes.size() > 1 && sizes.back() == 0;
    for (const u32 size : sizes)
    {
        if (size == 0 || size > 9)
            break;
        locale.fGroupSizes.push_back(u8(size));
    }
}

TNumberLocale ReadUserNumberLocale()
{
    TNumberLocale locale;
    const auto grouping = ReadUserNumberSetting(ENumberSetting::kGrouping);
    const auto thousands = ReadUserNumberSetting(ENumberSetting::kThousandsSeparator);
    const auto decimal = ReadUserNumberSetting(ENumberSetting::kDecimalPoint);
    locale.fThousandsSeparator = thousands ? *thousands : ASCIIToUTF16(",", 0);
    locale.fDecimalPoint = decimal ? *decimal : ASCIIToUTF16(".", 0);
    if (grouping && thousands && !thousands->empty())
        ParseGrouping(*grouping, locale);
    return locale;
}

// The size of group `index` counted from the right; 0 when the digits left of it are not split.
std::size_t GroupSize(const TNumberLocale& locale, std::size_t index)
{
    if (index < locale.fGroupSizes.size())
        return locale.fGroupSizes[index];
    if (locale.fRepeatLastGroup && !locale.fGroupSizes.empty())
        return locale.fGroupSizes.back();
    return 0;
}

bool IsDigit(u16 unit)
{
    return unit >= u'0' && unit <= u'9';
}

bool StartsWithAt(const TUTF16String& text, std::size_t position, const TUTF16String& part)
{
    return !part.empty() && text.compare(position, part.size(), part) == 0;
}

// Sizes of the digit groups as written, leftmost first, checked against the locale's grouping:
// every group but the leftmost has exactly its size, the leftmost at most its size.
bool GroupsFollowLocale(const std::vector<std::size_t>& groups, const TNumberLocale& locale)
{
    const std::size_t count = groups.size();
    for (std::size_t fromRight = 0; fromRight < count; ++fromRight)
    {
        const std::size_t written = groups[count - 1 - fromRight];
        const std::size_t expected = GroupSize(locale, fromRight);
        const bool leftmost = fromRight == count - 1;
        if (written == 0 || (leftmost ? expected != 0 && written > expected : written != expected))
            return false;
    }
    return true;
}

// The leading run that a number reader may look at.
TUTF16String AllowedRun(const TUTF16String& text, const TNumberLocale& locale)
{
    TUTF16String allowed = ASCIIToUTF16("0123456789abcdefABCDEF+- ", 0);
    allowed += locale.fDecimalPoint;
    allowed += locale.fThousandsSeparator;
    std::size_t length = 0;
    while (length < text.size() && allowed.find(text[length]) != TUTF16String::npos)
        ++length;
    return text.substr(0, length);
}
} // namespace

void InstallGroupingLocale()
{
    NumberLocaleOwner() = std::make_unique<TNumberLocale>(ReadUserNumberLocale());
}

const TNumberLocale& GetNumberLocale()
{
    if (!NumberLocaleOwner())
        InstallGroupingLocale();
    return *NumberLocaleOwner();
}

TUTF16String FormatGroupedNumber(i64 value, const TNumberLocale& locale)
{
    // The magnitude as unsigned, so that the smallest i64 has one too.
    u64 magnitude = value < 0 ? 0 - u64(value) : u64(value);
    TUTF16String digits;
    do
    {
        digits.insert(digits.begin(), u16(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);

    TUTF16String result;
    std::size_t end = digits.size();
    for (std::size_t group = 0; end > 0; ++group)
    {
        const std::size_t size = GroupSize(locale, group);
        const std::size_t start = size == 0 || size >= end ? 0 : end - size;
        TUTF16String part = digits.substr(start, end - start);
        if (!result.empty())
            part += locale.fThousandsSeparator;
        result.insert(0, part);
        end = start;
    }
    if (value < 0)
        result.insert(result.begin(), u16(u'-'));
    return result;
}

TUTF16String FormatGroupedNumber(i64 value)
{
    return FormatGroupedNumber(value, GetNumberLocale());
}

bool ParseNumber(const TUTF16String& text, i64& value, const TNumberLocale& locale)
{
    const TUTF16String run = AllowedRun(text, locale);
    std::size_t i = 0;
    while (i < run.size() && run[i] == u' ')
        ++i;
    const bool negative = i < run.size() && run[i] == u'-';
    if (i < run.size() && (run[i] == u'-' || run[i] == u'+'))
        ++i;

    const bool grouped = !locale.fGroupSizes.empty();
    const u64 limit =
        negative ? u64(std::numeric_limits<i64>::max()) + 1 : u64(std::numeric_limits<i64>::max());
    u64 magnitude = 0;
    bool overflow = false;
    std::vector<std::size_t> groups(1, 0);
    while (i < run.size())
    {
        if (IsDigit(run[i]))
        {
            const u64 digit = run[i++] - u'0';
            overflow = overflow || magnitude > (limit - digit) / 10;
            magnitude = overflow ? limit : magnitude * 10 + digit;
            ++groups.back();
        }
        else if (grouped && StartsWithAt(run, i, locale.fThousandsSeparator))
        {
            // A separator before any digit or right after another one.
            if (groups.back() == 0)
            {
                value = 0;
                return false;
            }
            i += locale.fThousandsSeparator.size();
            groups.push_back(0);
        }
        else
        {
            break;
        }
    }
    if (groups.size() == 1 && groups.back() == 0)
    {
        value = 0;
        return false;
    }
    value = negative ? i64(0 - magnitude) : i64(magnitude);
    return !overflow && (groups.size() == 1 || GroupsFollowLocale(groups, locale));
}
} // namespace NSTextPackage
