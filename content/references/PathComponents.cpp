#include "content/references/PathComponents.h"

#include "base/Throw.h"
#include "media/VersionedString.h"
#include "base/Media.h"
#include "media/StoredStrings.h"

using NSTextPackage::TUTF16String;

namespace NSPathComponents
{
namespace
{
constexpr u16 kSlash = '/';
constexpr i64 kNameCountBytes = 4;
} // namespace

void WriteComponents(NSFerrant::CMedia& media, const TPathComponents& components)
{
    NSFerrant::WriteU32BE(media, u32(components.size()));
    for (const THashedString& component : components)
        NSFerrant::WriteNameString(media, component.GetText());
}

TPathComponents ReadComponents(NSFerrant::CMedia& media, bool eightBit)
{
    const u32 count = NSFerrant::ReadNameCount(media);
    if (count > NSFerrant::GetBytesLeft(media) / kNameCountBytes)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    TPathComponents components;
    for (u32 i = 0; i < count; ++i)
    {
        THashedString component;
        NSFerrant::ReadVersionedString(component, media, eightBit);
        components.push_back(component);
    }
    return components;
}

TUTF16String FormatPathText(const TPathComponents& components)
{
    TUTF16String text;
    for (const THashedString& component : components)
    {
        text.push_back(kSlash);
        text += component.GetText();
    }
    return text;
}

bool AppendPathText(const TUTF16String& text, TPathComponents& components)
{
    if (text.empty() || text[0] != kSlash)
        return false;
    size_t start = 1;
    for (;;)
    {
        const size_t next = text.find(kSlash, start);
        components.push_back(THashedString(text.substr(start, next - start)));
        if (next == TUTF16String::npos)
            return true;
        start = next + 1;
    }
}

TUTF16String JoinComponents(const TPathComponents& components, u16 separator)
{
    TUTF16String text;
    for (size_t i = 0; i < components.size(); ++i)
    {
        if (i > 0)
            text.push_back(separator);
        text += components[i].GetText();
    }
    return text;
}
} // namespace NSPathComponents
