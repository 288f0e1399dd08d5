#include "gui/MenuScript.h"

#include "base/NumberText.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "gui/CallbackFence.h"
#include "gui/Menus.h"
#include "gui/TrellisInterface.h"
#include "base/Media.h"

#include <algorithm>
#include <optional>
#include <string>

using NSTextPackage::TUTF16String;

namespace NSMenuScript
{
namespace
{
constexpr std::size_t kMaxShortcut = 15;

[[noreturn]] void Fail(const char* message)
{
    NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                              << NSQuorral::XFormatViolation(message));
}

TUTF16String Text(const char* ascii)
{
    return TUTF16String(ascii, ascii + std::char_traits<char>::length(ascii));
}

TUTF16String Lowered(const TUTF16String& text)
{
    TUTF16String lowered;
    for (u16 c : text)
        lowered += (c >= 'A' && c <= 'Z') ? u16(c - 'A' + 'a') : c;
    return lowered;
}

bool IsBlank(u16 c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xFEFF;
}

bool At(const TUTF16String& text, std::size_t position, u16 c)
{
    return position < text.size() && text[position] == c;
}

void SkipBlanks(const TUTF16String& text, std::size_t& position)
{
    while (position < text.size() && IsBlank(text[position]))
        ++position;
}

// A comment runs to its line's end; the CR or LF itself is a blank.
void SkipBlanksAndComments(const TUTF16String& text, std::size_t& position)
{
    for (;;)
    {
        SkipBlanks(text, position);
        if (!At(text, position, '/') || !At(text, position + 1, '/'))
            return;
        while (position < text.size() && text[position] != '\r' && text[position] != '\n')
            ++position;
    }
}

// What a platform prefix says of the part it stands before.
enum EPrefix
{
    kNoPrefix,
    kThisPlatform, // "Win:"
    kOtherPlatform // "Mac:"
};

// "Mac:" or "Win:" in any letter case, read past when it stands here.
EPrefix ReadPrefix(const TUTF16String& text, std::size_t& position)
{
    if (text.size() - std::min(position, text.size()) < 4)
        return kNoPrefix;
    const TUTF16String word = Lowered(text.substr(position, 4));
    if (word != Text("mac:") && word != Text("win:"))
        return kNoPrefix;
    position += 4;
    return word == Text("win:") ? kThisPlatform : kOtherPlatform;
}

i32 ReadMenuNumber(const TUTF16String& text, std::size_t& position)
{
    if (position >= text.size() || text[position] < '0' || text[position] > '9')
        Fail("failed parsing integer in menu script text");
    i64 number = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9')
    {
        number = number * 10 + (text[position++] - '0');
        if (number > INT32_MAX)
            Fail("failed parsing integer in menu script text");
    }
    return i32(number);
}

// "}}" stands for "}", a backslash before "r" or "n" for a paragraph separator; a text of one
// character is taken as written.
TUTF16String Unescaped(const TUTF16String& raw)
{
    if (raw.size() < 2)
        return raw;
    TUTF16String text;
    for (std::size_t i = 0; i < raw.size(); ++i)
    {
        if (raw[i] == '}' && i + 1 < raw.size() && raw[i + 1] == '}')
            text += u16('}'), ++i;
        else if (raw[i] == '\\' && i + 1 < raw.size() && (raw[i + 1] == 'r' || raw[i + 1] == 'n'))
            text += u16(0x2029), ++i;
        else
            text += raw[i];
    }
    return text;
}

// From the "{" at position to the first "}" that is not one of a pair "}}".
TUTF16String ReadCurly(const TUTF16String& text, std::size_t& position)
{
    const std::size_t start = position + 1;
    for (std::size_t i = start; i < text.size(); ++i)
    {
        if (text[i] != '}')
            continue;
        if (!At(text, i + 1, '}'))
        {
            position = i + 1;
            return Unescaped(text.substr(start, i - start));
        }
        ++i;
    }
    Fail("unterminated '{' in menu script text");
}

TUTF16String ReadOptionalCurly(const TUTF16String& text, std::size_t& position)
{
    return At(text, position, '{') ? ReadCurly(text, position) : TUTF16String();
}

struct TKeyName
{
    const char* fName;
    u16 fCode;
};

const TKeyName kKeyNames[] = {
    {"backspace", 8},       {"tab", 9},
    {"enter", 10},          {"return", 13},
    {"escape", 27},         {"space", 32},
    {"forwarddelete", 127}, {"f1", 0xE001},
    {"f2", 0xE002},         {"f3", 0xE003},
    {"f4", 0xE004},         {"f5", 0xE005},
    {"f6", 0xE006},         {"f7", 0xE007},
    {"f8", 0xE008},         {"f9", 0xE009},
    {"f10", 0xE00A},        {"f11", 0xE00B},
    {"f12", 0xE00C},        {"f13", 0xE00D},
    {"f14", 0xE00E},        {"f15", 0xE00F},
    {"pageup", 0xE010},     {"pagedown", 0xE011},
    {"home", 0xE012},       {"end", 0xE013},
    {"wininsert", 0xE014},  {"machelp", 0xE015},
    {"arrowup", 0xE016},    {"arrowleft", 0xE017},
    {"arrowdown", 0xE018},  {"arrowright", 0xE019},
    {"macclear", 0xE01A},
};

void SetShortcut(TMenuItem& item, const TUTF16String& value)
{
    std::fill(std::begin(item.fShortcut), std::end(item.fShortcut), 0);
    const TUTF16String lowered = Lowered(value);
    for (const TKeyName& key : kKeyNames)
    {
        if (lowered == Text(key.fName))
        {
            item.fShortcut[0] = key.fCode;
            return;
        }
    }
    std::copy_n(value.begin(), std::min(value.size(), kMaxShortcut), item.fShortcut);
}

u64 ModifierSetMask(u32 set)
{
    u64 mask = 0;
    NSTrellisGlue::CheckTrellis(GetTrellisInterface()->GetModifierSet(&set, &mask));
    return mask;
}

void ApplyModifiers(TMenuItem& item, const TUTF16String& value)
{
    TUTF16String words;
    for (u16 c : Lowered(value))
        words += c > 127 ? u16('?') : c;
    const struct
    {
        const char* fName;
        u32 fSet;
    } kSets[] = {{"normal", kModifierSetNormal},
                 {"advanced1", kModifierSetAdvanced1},
                 {"advanced2", kModifierSetAdvanced2},
                 {"advanced3", kModifierSetAdvanced3}};
    for (const auto& set : kSets)
    {
        if (words == Text(set.fName))
        {
            item.fModifiers = ModifierSetMask(set.fSet);
            return;
        }
    }
    if (words.empty())
        return;
    if (words.back() == '|')
        words.pop_back();
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t bar = words.find(u16('|'), start);
        const TUTF16String word =
            words.substr(start, bar == TUTF16String::npos ? TUTF16String::npos : bar - start);
        if (word == Text("cmd") || word == Text("command"))
            item.fModifiers |= 0x10;
        else if (word == Text("ctrl") || word == Text("control"))
            item.fModifiers |= 0x08;
        else if (word == Text("shft") || word == Text("shift"))
            item.fModifiers |= 0x02;
        else if (word == Text("alt") || word == Text("opt") || word == Text("option"))
            item.fModifiers |= 0x04;
        else if (word == Text("none"))
            item.fModifiers &= ~u64(0xFFFFFFFF);
        else
            Fail("failed parsing menu item attributes in menu script text");
        if (bar == TUTF16String::npos)
            return;
        start = bar + 1;
    }
}

void ApplyAttribute(TMenuItem& item, const TUTF16String& name, const TUTF16String& value, bool& hadModifiers)
{
    const TUTF16String key = Lowered(name);
    if (key == Text("id"))
    {
        i64 id = 0;
        if (!NSTextPackage::ParseInteger(value, id))
            Fail("failed parsing menu item ID value string in menu script text");
        item.fCommand = u32(id);
    }
    else if (key == Text("shortcut"))
        SetShortcut(item, value);
    else if (key == Text("modifiers"))
    {
        ApplyModifiers(item, value);
        hadModifiers = true;
    }
    else if (key == Text("flags"))
    {
        if (Lowered(value) != Text("visual-only-modifier"))
            Fail("unkown menu item flags string");
        item.fVisualOnlyModifier = 1;
    }
    else
        Fail("failed parsing menu item attributes in menu script text");
}

// "[" name=value ... "]" from the "[" at position; applied only when the group is for this platform.
void ParseAttributeGroup(const TUTF16String& text, std::size_t& position, TMenuItem& item,
                         bool forThisPlatform, bool& hadModifiers)
{
    ++position;
    for (bool first = true;; first = false)
    {
        if (!first)
        {
            SkipBlanksAndComments(text, position);
            if (At(text, position, ']'))
            {
                ++position;
                return;
            }
        }
        const std::size_t nameStart = position;
        while (position < text.size() && !IsBlank(text[position]) && text[position] != '=')
            ++position;
        if (position >= text.size())
            Fail("failed parsing attribute identifier in menu script text");
        const TUTF16String name = text.substr(nameStart, position - nameStart);
        SkipBlanks(text, position);
        if (!At(text, position, '='))
            Fail("failed parsing attribute identifier in menu script text");
        ++position;
        SkipBlanks(text, position);
        if (position >= text.size())
            Fail("failed parsing menu item attributes in menu script text");
        TUTF16String value;
        if (text[position] == '\'')
        {
            const std::size_t close = text.find(u16('\''), position + 1);
            if (close == TUTF16String::npos)
                Fail("failed parsing single-quoted string in menu script text");
            value = text.substr(position + 1, close - position - 1);
            position = close + 1;
        }
        else
        {
            const std::size_t valueStart = position;
            while (position < text.size() && !IsBlank(text[position]) && text[position] != ']')
                ++position;
            if (position >= text.size())
                Fail("failed parsing attribute value in menu script text");
            value = text.substr(valueStart, position - valueStart);
        }
        if (forThisPlatform)
            ApplyAttribute(item, name, value, hadModifiers);
    }
}

// One item; nothing when it is for the other platform.
std::optional<TMenuItem> ParseItem(const TUTF16String& text, std::size_t& position)
{
    EPrefix prefix = ReadPrefix(text, position);
    SkipBlanksAndComments(text, position);
    if (!At(text, position, '{') || text.size() - position < 2)
        Fail("failed parsing curly-brace-quoted string in menu script text");
    TMenuItem item;
    item.fTitle = ReadCurly(text, position);
    if (prefix != kNoPrefix)
    {
        // A second title for the other platform: "Mac:{Preferences} Win:{Options}".
        std::size_t next = position;
        SkipBlanksAndComments(text, next);
        if (ReadPrefix(text, next) != kNoPrefix)
        {
            SkipBlanksAndComments(text, next);
            if (At(text, next, '{'))
            {
                position = next;
                const TUTF16String second = ReadCurly(text, position);
                if (prefix == kOtherPlatform)
                    item.fTitle = second;
                prefix = kNoPrefix;
            }
        }
    }

    bool groupForThisPlatform = true;
    bool hadModifiers = false;
    for (;;)
    {
        std::size_t next = position;
        SkipBlanksAndComments(text, next);
        const EPrefix groupPrefix = ReadPrefix(text, next);
        SkipBlanksAndComments(text, next);
        if (!At(text, next, '['))
            break;
        if (groupPrefix != kNoPrefix)
            groupForThisPlatform = groupPrefix == kThisPlatform;
        position = next;
        ParseAttributeGroup(text, position, item, groupForThisPlatform, hadModifiers);
    }
    SkipBlanksAndComments(text, position);
    if (At(text, position, '('))
        item.fChildren = ParseItemList(text, position);

    if (item.fShortcut[0] != 0 && !hadModifiers)
        item.fModifiers = ModifierSetMask(kModifierSetNormal);
    if (item.fTitle == Text("-"))
        item = TMenuItem();
    else
    {
        // Windows enable their commands themselves; a submenu's title is always enabled.
        item.fEnabled = item.fChildren.empty() ? 0 : 1;
        item.fChecked = 0;
    }
    if (prefix == kOtherPlatform)
        return std::nullopt;
    return item;
}

void CopyUnits(u16* target, std::size_t capacity, const TUTF16String& text)
{
    const std::size_t length = std::min(text.size(), capacity - 1);
    std::copy_n(text.begin(), length, target);
    target[length] = 0;
}
} // namespace

std::vector<TMenuItem> ParseItemList(const TUTF16String& text, std::size_t& position)
{
    if (!At(text, position, '(') || text.size() - position < 4)
        Fail("failed parsing menu item list in menu script text");
    ++position;
    std::vector<TMenuItem> items;
    for (;;)
    {
        SkipBlanksAndComments(text, position);
        if (position >= text.size())
            Fail("missing termination of menu item list (no ')' character to match a leading '(') in menu "
                 "script "
                 "text");
        if (text[position] == ')')
        {
            ++position;
            return items;
        }
        if (std::optional<TMenuItem> item = ParseItem(text, position))
            items.push_back(std::move(*item));
    }
}

TMenuItem ParseMenu(const TUTF16String& text, std::size_t& position, i32& number)
{
    SkipBlanksAndComments(text, position);
    const EPrefix prefixA = ReadPrefix(text, position);
    SkipBlanksAndComments(text, position);
    number = ReadMenuNumber(text, position);
    SkipBlanksAndComments(text, position);
    const EPrefix prefixB = ReadPrefix(text, position);
    SkipBlanksAndComments(text, position);
    TMenuItem menu;
    menu.fTitle = ReadOptionalCurly(text, position);
    if (prefixB != kNoPrefix)
    {
        SkipBlanksAndComments(text, position);
        ReadPrefix(text, position);
        SkipBlanksAndComments(text, position);
        TUTF16String second = ReadOptionalCurly(text, position);
        if (prefixB == kOtherPlatform)
            menu.fTitle = std::move(second);
    }
    SkipBlanksAndComments(text, position);
    menu.fChildren = ParseItemList(text, position);
    if (prefixA == kOtherPlatform)
        return TMenuItem();
    return menu;
}

TMenuMap ParseScript(const TUTF16String& text)
{
    TMenuMap menus;
    std::size_t position = 0;
    for (;;)
    {
        SkipBlanksAndComments(text, position);
        if (position >= text.size())
            return menus;
        i32 number = 0;
        TMenuItem menu = ParseMenu(text, position, number);
        if (!menu.fTitle.empty() || !menu.fChildren.empty())
            menus[number] = std::move(menu);
    }
}

void FlattenItems(std::vector<NSTrellis::TMenuItemData>& items, const std::vector<TMenuItem>& menu,
                  u32 parentIndex)
{
    for (const TMenuItem& item : menu)
    {
        NSTrellis::TMenuItemData record{};
        record.fParent = parentIndex;
        CopyUnits(record.fTitle, std::size(record.fTitle), item.fTitle);
        record.fFlags = (item.fEnabled ? NSTrellis::kMenuItemEnabled : 0) |
                        (item.fChecked ? NSTrellis::kMenuItemChecked : 0) |
                        (item.fVisualOnlyModifier ? NSTrellis::kMenuItemVisualOnlyModifier : 0);
        std::copy(std::begin(item.fShortcut), std::end(item.fShortcut), record.fShortcut);
        record.fModifiers = item.fModifiers;
        record.fCommand = item.fCommand;
        items.push_back(record);
        if (!item.fChildren.empty())
            FlattenItems(items, item.fChildren, u32(items.size() - 1));
    }
}

void BuildMenu(std::vector<NSTrellis::TMenuItemData>& items, const TUTF16String& text, i32 menuNumber,
               TUTF16String& title, const NSFerrant::TResourceID& menuReference)
{
    const TMenuMap menus = ParseScript(text);
    for (const auto& [number, menu] : menus)
    {
        // Cache keys hold the number as an entry index; a number that does not fit is not cached.
        if (number < 0 || number > 0xFFFF)
            continue;
        NSFerrant::TResourceID key = menuReference;
        key.fIndex = u16(number);
        std::vector<NSTrellis::TMenuItemData> records;
        FlattenItems(records, menu.fChildren, NSTrellis::kMenuTopLevel);
        StoreCachedMenu(key, std::move(records), menu.fTitle);
    }
    const auto found = menus.find(menuNumber);
    if (found == menus.end())
        NSQuorral::ThrowException(NSQuorral::CThrowContext(NSQuorral::TThrowSite{})
                                  << NSQuorral::XNotFound("menu ID not found in menu resource"));
    items.clear();
    FlattenItems(items, found->second.fChildren, NSTrellis::kMenuTopLevel);
    title = found->second.fTitle;
}

void ReadResource(TUTF16String& text, const NSFerrant::COpenResourceFile& resources,
                  const NSFerrant::TResourceID& menuReference)
{
    const NSFerrant::TResourceID whole(menuReference.fType, menuReference.fID);
    const auto media = resources.LoadResourceMedia(whole);
    const std::vector<u8>& bytes = media->GetBytes();
    text = NSTextPackage::UTF8ToUTF16(std::string(bytes.begin(), bytes.end()));
}
} // namespace NSMenuScript
