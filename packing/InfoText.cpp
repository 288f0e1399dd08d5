#include "packing/InfoText.h"

#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "base/VersionNumbers.h"
#include "base/Media.h"
#include "packing/TextEncoding.h"

#include <string>

namespace NSVantlePacking
{
namespace
{
using NSTextPackage::TUTF16String;

struct TInfoEntry
{
    TUTF16String fKey;
    TUTF16String fValue;
};

// One pass over the text. There is no escape: a value ends at its first quote after the opening
// one. An entry the text ends inside of is dropped.
std::vector<TInfoEntry> ScanEntries(const TUTF16String& text)
{
    enum EState
    {
        kBetweenEntries,
        kInKey,
        kBeforeValue,
        kInValue,
    };
    std::vector<TInfoEntry> entries;
    TInfoEntry entry;
    EState state = kBetweenEntries;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const u16 c = text[i];
        switch (state)
        {
        case kBetweenEntries:
            if (c == u'\t' || c == u'\n' || c == u'\r' || c == u' ' || (c == 0xFEFF && i == 0))
                break;
            entry.fKey.push_back(c);
            state = kInKey;
            break;
        case kInKey:
            if (c == u'\n' || c == u'\r' || c == u' ' || c == u'=')
                state = kBeforeValue;
            else
                entry.fKey.push_back(c);
            break;
        case kBeforeValue:
            if (c == u'"')
                state = kInValue;
            break;
        case kInValue:
            if (c == u'"')
            {
                entries.push_back(std::move(entry));
                entry = TInfoEntry();
                state = kBetweenEntries;
            }
            else if (c != u'\n' && c != u'\r')
                entry.fValue.push_back(c);
            break;
        }
    }
    return entries;
}

TUTF16String Text(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

u8 ParseBoolean(const TUTF16String& value)
{
    return NSTextPackage::ToUpper(value) == Text("YES") ? 1 : 0;
}

// Every non-empty piece between commas, blanks kept.
void AppendListPieces(const TUTF16String& value, std::vector<TUTF16String>& list)
{
    std::size_t position = 0;
    while (position < value.size())
    {
        std::size_t comma = value.find(u',', position);
        if (comma == TUTF16String::npos)
            comma = value.size();
        if (comma > position)
            list.push_back(value.substr(position, comma - position));
        position = comma + 1;
    }
}

struct TInfoTexts
{
    TUTF16String fName;
    TUTF16String fURL;
    TUTF16String fComments;
    TUTF16String fCopyright;
    NSFerrant::TVersion fVersion{1, 0, 0};
};

void ApplyEntry(const TUTF16String& key, const TUTF16String& value, TInfoTexts& texts,
                SPackSettings& settings)
{
    if (key == Text("NAME"))
        texts.fName = value;
    else if (key == Text("URL"))
        texts.fURL = value;
    else if (key == Text("COMMENTS"))
        texts.fComments = value;
    else if (key == Text("COPYRIGHT"))
        texts.fCopyright = value;
    else if (key == Text("VERSION"))
        texts.fVersion = NSFerrant::ParseVersion(value);
    else if (key == Text("PROHIBITED_DEVICES"))
        AppendListPieces(value, settings.fProhibitedDevices);
    else if (key == Text("WARN_ABOUT_PROHIBITED_DEVICES"))
        settings.fWarnAboutProhibitedDevices = ParseBoolean(value);
    else if (key == Text("SKIP_PROHIBITED_DEVICES"))
        settings.fSkipProhibitedDevices = ParseBoolean(value);
    else if (key == Text("WARN_ABOUT_UNUSED_SAMPLES"))
        settings.fWarnAboutUnusedSamples = ParseBoolean(value);
    else if (key == Text("SKIP_UNUSED_SAMPLES"))
        settings.fSkipUnusedSamples = ParseBoolean(value);
    else if (key == Text("PROPAGATE_SAMPLE_SKIPPING_TO_PATCHES_AND_SONGS"))
        settings.fPropagateSampleSkipping = ParseBoolean(value);
    else if (key == Text("SKIP_ITEM"))
        settings.fSkipItems.push_back(value);
}
} // namespace

TUTF16String TrimText(const TUTF16String& text)
{
    std::size_t length = text.size();
    while (length > 0 && (text[length - 1] == 0 || text[length - 1] == u'\n' || text[length - 1] == u'\r'))
        --length;
    return text.substr(0, length);
}

CVantleInfo ParseInfoText(NSFerrant::CMedia& media, SPackSettings& settings)
{
    const ETextEncoding encoding = SniffTextEncoding(media);
    const std::string bytes = ReadInformationFileBytes(media);
    media.fPosition = media.GetSize();

    TInfoTexts texts;
    for (const TInfoEntry& entry : ScanEntries(DecodeText(bytes, encoding)))
        ApplyEntry(NSTextPackage::ToUpper(TrimText(entry.fKey)), TrimText(entry.fValue), texts, settings);
    return CVantleInfo(texts.fName, texts.fComments, texts.fURL, texts.fCopyright, texts.fVersion);
}
} // namespace NSVantlePacking
