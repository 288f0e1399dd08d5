#include "gui/DialogResource.h"

#include "base/Media.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/Throw.h"
#include "gui/MeasuringDialog.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <tuple>
#include <utility>
#include <memory>

namespace NSFerrant
{
namespace
{
// Reads a template's little-endian fields; reading past the end is XFormatViolation.
class CTemplateCursor
{
public:
    CTemplateCursor(const u8* bytes, size_t size) : fBytes(bytes), fSize(size) {}

    size_t Offset() const { return fOffset; }
    void MoveTo(size_t offset)
    {
        if (offset > fSize)
            NSQuorral::Throw<NSQuorral::XFormatViolation>();
        fOffset = offset;
    }
    void Skip(size_t count) { MoveTo(fOffset + count); }
    void AlignTo4() { MoveTo((fOffset + 3) & ~size_t(3)); }
    u8 Byte() { return *Take(1); }
    u16 Word()
    {
        const u8* at = Take(2);
        return u16(at[0] | at[1] << 8);
    }
    i16 SignedWord() { return i16(Word()); }
    u32 Long() { return u32(Word()) | u32(Word()) << 16; }
    NSTextPackage::TUTF16String Text()
    {
        NSTextPackage::TUTF16String text;
        for (u16 unit = Word(); unit != 0; unit = Word())
            text.push_back(unit);
        return text;
    }

    // A menu, class or text field: none (0), 0xFFFF and an ordinal, or a name.
    struct TNameOrOrdinal
    {
        bool fIsOrdinal = false;
        u16 fOrdinal = 0;
        NSTextPackage::TUTF16String fName;
    };
    TNameOrOrdinal NameOrOrdinal()
    {
        TNameOrOrdinal field;
        const u16 first = Word();
        if (first == 0xFFFF)
        {
            field.fIsOrdinal = true;
            field.fOrdinal = Word();
        }
        else if (first != 0)
        {
            field.fName.push_back(first);
            field.fName += Text();
        }
        return field;
    }

private:
    const u8* Take(size_t count)
    {
        const u8* at = fBytes + fOffset;
        Skip(count);
        return at;
    }

    const u8* fBytes;
    size_t fSize;
    size_t fOffset = 0;
};

NSTextPackage::TUTF16String Widen(std::string_view ascii)
{
    return NSTextPackage::TUTF16String(ascii.begin(), ascii.end());
}

// The kind and, for a static text, its alignment.
std::pair<u32, u32> ClassifyItem(const CTemplateCursor::TNameOrOrdinal& itemClass, u32 style)
{
    if (itemClass.fIsOrdinal)
    {
        switch (itemClass.fOrdinal)
        {
        case 0x80: {
            const u32 type = style & 0xF;
            if (type == 2 || type == 3)
                return {kDialogItemCheckBox, 0};
            if (type == 4 || type == 5 || type == 6 || type == 9)
                return {kDialogItemRadioButton, 0};
            if (type == 7)
                return {kDialogItemGroupBox, 0};
            return {kDialogItemPushButton, 0};
        }
        case 0x81:
            return {kDialogItemTextField, 0};
        case 0x82: {
            const u32 type = style & 0x1F;
            if (type <= 2)
                return {kDialogItemStaticText, type};
            if (type == 3)
                return {kDialogItemIcon, 0};
            if (type == 7)
                return {kDialogItemFrame, 0};
            return {kDialogItemStaticText, 0};
        }
        case 0x83:
            return {kDialogItemListBox, 0};
        case 0x84:
            return {kDialogItemScrollBar, 0};
        case 0x85:
            return {kDialogItemComboBox, 0};
        default:
            return {kDialogItemUnknown, 0};
        }
    }
    static const std::pair<NSTextPackage::TUTF16String, u32> kNamedClasses[] = {
        {Widen("msctls_trackbar32"), kDialogItemTrackBar},
        {Widen("msctls_progress32"), kDialogItemProgress},
        {Widen("msctls_updown32"), kDialogItemUpDown},
        {Widen("SysTabControl32"), kDialogItemTabControl},
        {NSTextPackage::TUTF16String(), kDialogItemUnnamedClass},
    };
    // Window class names are compared without case, as Windows does.
    const auto upper = [](u16 unit) { return unit >= u'a' && unit <= u'z' ? u16(unit - 0x20) : unit; };
    for (const auto& [name, kind] : kNamedClasses)
        if (std::equal(itemClass.fName.begin(), itemClass.fName.end(), name.begin(), name.end(),
                       [&](u16 a, u16 b) { return upper(a) == upper(b); }))
            return {kind, 0};
    return {kDialogItemStaticText, 0};
}

// A label's "&&" is one "&"; any other "&" marks a mnemonic and is dropped.
NSTextPackage::TUTF16String LabelText(const NSTextPackage::TUTF16String& text)
{
    NSTextPackage::TUTF16String label;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != u'&')
            label.push_back(text[i]);
        else if (i + 1 < text.size() && text[i + 1] == u'&')
            label.push_back(text[++i]);
    }
    return label;
}

TDialogItem ParseItem(CTemplateCursor& cursor, bool extended, u32 font)
{
    u32 style = 0;
    u32 id = 0;
    i16 box[4] = {};
    if (extended)
    {
        cursor.Skip(8); // help id, extended style
        style = cursor.Long();
        for (i16& value : box)
            value = cursor.SignedWord();
        id = cursor.Long();
    }
    else
    {
        style = cursor.Long();
        cursor.Skip(4); // extended style
        for (i16& value : box)
            value = cursor.SignedWord();
        id = cursor.Word();
    }
    const auto itemClass = cursor.NameOrOrdinal();
    const auto text = cursor.NameOrOrdinal();
    const size_t sizeOffset = cursor.Offset();
    const u16 creationDataSize = cursor.Word();
    // Counted from the size word when it is aligned, else from the word after it.
    if (creationDataSize != 0)
        cursor.MoveTo((sizeOffset % 4 == 0 ? sizeOffset : sizeOffset + 2) + creationDataSize);

    TDialogItem item;
    item.fControlID = id;
    std::tie(item.fKind, item.fAlignment) = ClassifyItem(itemClass, style);
    item.fFrame = MapDialogUnits(font, box[0], box[1], box[2], box[3]);
    item.fText = item.fKind == kDialogItemStaticText ? LabelText(text.fName) : text.fName;
    return item;
}

std::map<TResourceID, std::shared_ptr<CDialogResource>>& DialogCache()
{
    static std::map<TResourceID, std::shared_ptr<CDialogResource>> cache;
    return cache;
}
} // namespace

TDialogItem CDialogResource::FindItem(u32 controlID) const
{
    for (const TDialogItem& item : fItems)
        if (item.fControlID == controlID)
            return item;
    NSQuorral::Throw<NSQuorral::XNotFound>();
}

const NSTextPackage::TUTF16String& GetDialogResourceType()
{
    static const NSTextPackage::TUTF16String type = Widen("DLOG");
    return type;
}

TResourceID MakeDialogResourceID(u16 number)
{
    return TResourceID(GetDialogResourceType(), i16(number));
}

CDialogResource ParseDialogTemplate(const u8* bytes, size_t size, u32 font)
{
    CTemplateCursor cursor(bytes, size);
    const bool extended = size >= 4 && cursor.Word() == 1 && cursor.Word() == 0xFFFF;
    cursor.MoveTo(extended ? 12 : 0);
    const u32 style = cursor.Long();
    cursor.MoveTo(extended ? 16 : 8);
    const u16 count = cursor.Word();
    i16 box[4] = {};
    for (i16& value : box)
        value = cursor.SignedWord();
    const bool hasFont = extended ? (style & 0x48) != 0 : (style & 0x40) != 0;

    CDialogResource dialog;
    const auto frame = MapDialogUnits(font, box[0], box[1], box[2], box[3]);
    dialog.fWidth = frame[2] - frame[0];
    dialog.fHeight = frame[3] - frame[1];
    cursor.NameOrOrdinal(); // menu
    cursor.NameOrOrdinal(); // class
    dialog.fCaption = cursor.Text();
    if (hasFont)
    {
        cursor.Skip(extended ? 6 : 2); // point size, and weight, italic, character set
        cursor.Text();                 // face name
    }
    // Every item takes at least 18 bytes: a count beyond the bytes is refused before any is read.
    if (count > size / 18)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
    dialog.fItems.reserve(count);
    for (u16 i = 0; i < count; ++i)
    {
        cursor.AlignTo4();
        dialog.fItems.push_back(ParseItem(cursor, extended, font));
    }
    return dialog;
}

CDialogResource LoadDialogResource(const TResourceID& id, u32 font)
{
    auto& cache = DialogCache();
    if (const auto found = cache.find(id); found != cache.end())
        return *found->second;
    const auto media = COpenResourceFile().LoadResourceMedia(id);
    const std::vector<u8>& bytes = media->GetBytes();
    auto dialog = std::make_shared<CDialogResource>(ParseDialogTemplate(bytes.data(), bytes.size(), font));
    cache.emplace(id, dialog);
    return *dialog;
}
} // namespace NSFerrant
