#include "filelib/WinPaths.h"

#include "base/TextBuffers.h"
#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "base/Win32Calls.h"
#include "base/WinHandles.h"
#include "filelib/WinErrors.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>
#include <string>
#include <vector>

using NSTextPackage::TUTF16String;

namespace
{
constexpr u16 kBackslash = u'\\';
constexpr u16 kDot = u'.';
const TUTF16String::size_type npos = TUTF16String::npos;

// Removed from the ends of names: blank, form feed, line feed, carriage return, tab, vertical tab.
bool IsNameTrimCharacter(u16 unit)
{
    return unit == u' ' || unit == u'\f' || unit == u'\n' || unit == u'\r' || unit == u'\t' || unit == u'\v';
}

bool HasInvalidNameCharacter(const TUTF16String& text)
{
    const std::string& invalid = WinInvalidNameCharacters();
    return std::any_of(text.begin(), text.end(),
                       [&](u16 unit)
                       { return unit < 0x80 && invalid.find(char(unit)) != std::string::npos; });
}

TUTF16String Widen(const char* ascii)
{
    return NSTextPackage::ASCIIToUTF16(ascii, 0);
}

const std::vector<TUTF16String>& ReservedFileNames()
{
    static const std::vector<TUTF16String> names = []
    {
        const char* const kNames[] = {
            "CON",      "PRN",     "AUX",      "NUL",    "COM1",     "COM2",  "COM3",     "COM4",
            "COM5",     "COM6",    "COM7",     "COM8",   "COM9",     "LPT1",  "LPT2",     "LPT3",
            "LPT4",     "LPT5",    "LPT6",     "LPT7",   "LPT8",     "LPT9",  "$MFT",     "$MFTMirr",
            "$LogFile", "$Volume", "$AttrDef", ".",      "$Bitmap",  "$Boot", "$BadClus", "$Secure",
            "$Upcase",  "$Extend", "$Quota",   "$ObjId", "$Reparse",
        };
        std::vector<TUTF16String> widened;
        for (const char* name : kNames)
            widened.push_back(Widen(name));
        return widened;
    }();
    return names;
}

void TrimTrailing(TUTF16String& text, bool alsoDots)
{
    while (!text.empty() && (IsNameTrimCharacter(text.back()) || (alsoDots && text.back() == kDot)))
        text.pop_back();
}

TUTF16String LowerCase(TUTF16String text)
{
    for (u16& unit : text)
        unit = u16(std::towlower(unit));
    return text;
}
} // namespace

// The 39 characters no name may contain: controls 1 to 25 and 27 to 31 (0x1A is allowed),
// then * ? < > " | \ / :
const std::string& WinInvalidNameCharacters()
{
    static const std::string characters = []
    {
        std::string set;
        for (char c = 0x01; c <= 0x1F; ++c)
        {
            if (c != 0x1A)
                set += c;
        }
        return set + "*?<>\"|\\/:";
    }();
    return characters;
}

bool WinIsValidVolumePath(const TUTF16String& path)
{
    const auto length = path.size();
    if (length == 0 || length > kWinMaxPathUnits)
        return false;
    if (length == 3)
    {
        const u16 letter = path[0];
        const bool isLetter = (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
        return isLetter && path[1] == u':' && path[2] == kBackslash;
    }
    if (length < 6 || path[0] != kBackslash || path[1] != kBackslash || path.back() != kBackslash)
        return false;
    const TUTF16String inner = path.substr(2, length - 3);
    const auto separator = inner.find(kBackslash);
    if (separator == npos)
        return false;
    const TUTF16String server = inner.substr(0, separator);
    const TUTF16String share = inner.substr(separator + 1);
    return !server.empty() && !share.empty() && !HasInvalidNameCharacter(server) &&
           !HasInvalidNameCharacter(share);
}

bool WinIsValidPath(const TUTF16String& path)
{
    const auto length = path.size();
    if (length < 3 || length > kWinMaxPathUnits)
        return false;
    TUTF16String rest;
    if (path[0] == kBackslash && path[1] == kBackslash)
    {
        const auto serverEnd = path.find(kBackslash, 2);
        if (serverEnd == npos || serverEnd == length - 1)
            return false;
        const auto shareEnd = path.find(kBackslash, serverEnd + 1);
        if (shareEnd == npos)
            return WinIsValidVolumePath(path + kBackslash);
        if (!WinIsValidVolumePath(path.substr(0, shareEnd + 1)))
            return false;
        rest = path.substr(shareEnd + 1);
    }
    else
    {
        if (!WinIsValidVolumePath(path.substr(0, 3)))
            return false;
        rest = path.substr(3);
    }
    for (auto separator = rest.find(kBackslash); separator != npos; separator = rest.find(kBackslash))
    {
        if (!WinIsValidPathComponent(rest.substr(0, separator)))
            return false;
        rest.erase(0, separator + 1);
    }
    return rest.empty() || WinIsValidPathComponent(rest);
}

bool WinIsValidPathComponent(const TUTF16String& name)
{
    if (name.empty() || name.size() > kWinMaxNameUnits || HasInvalidNameCharacter(name))
        return false;
    if (IsNameTrimCharacter(name.back()) || name.back() == kDot)
        return false;
    return !WinIsReservedFileName(name);
}

bool WinIsReservedFileName(const TUTF16String& name)
{
    TUTF16String stem = name.substr(0, name.find(kDot));
    TrimTrailing(stem, false);
    for (const TUTF16String& reserved : ReservedFileNames())
    {
        if (NSTextPackage::EqualIgnoringCase(stem, reserved))
            return true;
    }
    return false;
}

TUTF16String WinMakeValidName(const TUTF16String& name)
{
    if (name.empty())
        return name;
    auto first = std::find_if_not(name.begin(), name.end(), IsNameTrimCharacter);
    TUTF16String cleaned(first, name.end());
    TrimTrailing(cleaned, true);
    cleaned = NSTextPackage::ReplaceCharacters(cleaned, WinInvalidNameCharacters());
    cleaned = WinTruncateFileName(cleaned, kWinMaxNameUnits);
    // A cut without extension can end in a blank or a dot, which no valid name does.
    TrimTrailing(cleaned, true);
    if (WinIsReservedFileName(cleaned))
    {
        const auto dot = cleaned.find(kDot);
        cleaned.insert(dot == npos ? cleaned.size() : dot, 1, u16(u'_'));
        // The "_" stands before the first dot, so cutting the end to make room keeps it.
        if (cleaned.size() > kWinMaxNameUnits)
        {
            cleaned = NSTextPackage::TruncateText(cleaned, kWinMaxNameUnits);
            TrimTrailing(cleaned, true);
        }
    }
    return cleaned;
}

TUTF16String WinTruncateFileName(const TUTF16String& name, u64 maxUnits)
{
    if (name.size() <= maxUnits)
        return name;
    TUTF16String base;
    TUTF16String extension;
    WinSplitExtension(name, base, extension);
    if (extension.size() >= maxUnits)
        WinThrow<NSQuorral::XOutOfSpace>("not enough room for truncated file name");
    return NSTextPackage::TruncateText(base, maxUnits - extension.size()) + extension;
}

void WinSplitExtension(const TUTF16String& name, TUTF16String& base, TUTF16String& extension)
{
    const auto dot = name.rfind(kDot);
    if (dot == npos || name.size() - dot > kWinMaxNameUnits)
    {
        base = name;
        extension.clear();
        return;
    }
    base = name.substr(0, dot);
    extension = name.substr(dot);
}

void WinSplitPath(const TUTF16String& path, TUTF16String& folder, TUTF16String& name)
{
    const auto separator = path.rfind(kBackslash);
    if (separator == npos)
    {
        folder.clear();
        name = path;
        return;
    }
    folder = path.substr(0, separator + 1);
    name = path.substr(separator + 1);
}

bool WinDoesNameHaveExtension(const TUTF16String& extensionList, const TUTF16String& name)
{
    TUTF16String base;
    TUTF16String extension;
    WinSplitExtension(name, base, extension);
    const TUTF16String separator(1, u';');
    const TUTF16String list = LowerCase(separator + extensionList + separator);
    return list.find(LowerCase(separator + extension + separator)) != npos;
}

bool WinDoesNameHaveExtension(const u16* extensionList, const TUTF16String& name)
{
    return WinDoesNameHaveExtension(TUTF16String(extensionList), name);
}

bool WinIsAliasFile(const TUTF16String& path)
{
    TUTF16String folder;
    TUTF16String name;
    WinSplitPath(path, folder, name);
    return WinDoesNameHaveExtension(Widen(".lnk;.pif"), name);
}

bool WinHasDirParentDirectory(const TUTF16String& folderPath)
{
    const auto length = folderPath.size();
    if (length < 2)
        WinThrow<std::invalid_argument>("WinHasDirParentDirectory");
    // The last "\" before the final unit, looked for from the second unit on.
    TUTF16String::size_type last = 0;
    for (TUTF16String::size_type i = 1; i + 1 < length; ++i)
    {
        if (folderPath[i] == kBackslash)
            last = i;
    }
    if (folderPath[1] == kBackslash)
    {
        if (last < 3)
            return false;
        const auto inner = folderPath.find(kBackslash, 2);
        return inner != npos && inner < last;
    }
    if (folderPath[1] == u':')
        return last != 0;
    WinThrow<std::invalid_argument>("WinHasDirParentDirectory");
}

TUTF16String WinGetDirParentDirectory(const TUTF16String& folderPath)
{
    if (folderPath.size() >= 2)
    {
        const auto separator = folderPath.rfind(kBackslash, folderPath.size() - 2);
        if (separator != npos)
            return folderPath.substr(0, separator + 1);
    }
    WinThrow<std::invalid_argument>("WinGetDirParentDirectory");
}

TUTF16String WinGetLongPathNameInLongFolder(const TUTF16String& path)
{
    // GetLongPathNameW looks nothing up on a share.
    if (path.size() >= 2 && path[0] == kBackslash && path[1] == kBackslash)
        return WinGetLongPathName(path);
    WIN32_FIND_DATAW entry;
    const CWinFindHandle search(Win32Calls().FindFirstFileW(NSTextPackage::AsWide(path), &entry));
    if (!search.IsOpen())
        WinThrowForError<NSQuorral::XNotFound>(ERROR_FILE_NOT_FOUND,
                                               "GetLongPathName failed with unrecognized error type");
    const TUTF16String longPath =
        path.substr(0, path.rfind(kBackslash) + 1) + NSTextPackage::FromWide(entry.cFileName);
    return longPath.size() > kWinMaxPathUnits ? path : longPath;
}

TUTF16String WinGetLongPathName(const TUTF16String& path)
{
    wchar_t buffer[kWinMaxPathUnits + 1];
    const DWORD length =
        Win32Calls().GetLongPathNameW(NSTextPackage::AsWide(path), buffer, DWORD(std::size(buffer)));
    TUTF16String longPath;
    if (length == 0)
    {
        const DWORD error = ::GetLastError();
        if (error != NO_ERROR && error != ERROR_NOT_READY && error != ERROR_BAD_NETPATH)
            WinThrowForError<NSQuorral::XNotFound>(error,
                                                   "GetLongPathName failed with unrecognized error type");
        longPath = path;
    }
    else if (length >= std::size(buffer))
        longPath = path; // a long form beyond the path limit: the form that came in names the same item
    else
        longPath = NSTextPackage::FromWide(buffer, length);
    std::replace(longPath.begin(), longPath.end(), u16(u'/'), kBackslash);
    return longPath;
}
