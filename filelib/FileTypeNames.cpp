#include "filelib/FileTypeNames.h"

#include "filelib/FileLibWrappers.h"

#include <optional>

#include <shellapi.h>
#include <shlwapi.h>

using NSTextPackage::AsWide;
using NSTextPackage::FromWide;

namespace NSFileLibSupport
{
namespace
{
constexpr DWORD kFriendlyNameUnits = 1024;

// Nothing when the shell cannot describe the path (a missing item among others).
std::optional<TUTF16String> ShellTypeName(const TUTF16String& path)
{
    SHFILEINFOW info{};
    if (SHGetFileInfoW(AsWide(path), 0, &info, sizeof info, SHGFI_TYPENAME) == 0)
        return std::nullopt;
    return FromWide(info.szTypeName);
}

template <class TSpec, class TPathOf> TUTF16String TypeNameOrEmpty(TSpec* spec, TPathOf pathOf)
{
    try
    {
        return ShellTypeName(pathOf(spec)).value_or(TUTF16String());
    }
    catch (...)
    {
        return TUTF16String();
    }
}

TUTF16String ExtensionOrEmpty(NSFileLib::IFileSpec* file)
{
    try
    {
        TUTF16String base;
        TUTF16String extension;
        SplitExtension(GetName(file), base, extension);
        return extension;
    }
    catch (...)
    {
        return TUTF16String();
    }
}
} // namespace

TUTF16String GetFileTypeName(NSFileLib::IFileSpec* file)
{
    try
    {
        if (std::optional<TUTF16String> name = ShellTypeName(GetFileWinPath(file)))
            return *name;
    }
    catch (...)
    {
    }
    return ExtensionOrEmpty(file);
}

TUTF16String GetFileTypeFriendlyName(const SFileTypeDescriptor& type)
{
    TUTF16String extension;
    try
    {
        extension = GetFirstExtension(type.extensions);
        wchar_t name[kFriendlyNameUnits] = {};
        DWORD units = kFriendlyNameUnits;
        if (FAILED(AssocQueryStringW(0, ASSOCSTR_FRIENDLYDOCNAME, AsWide(extension), nullptr, name, &units)))
            return extension;
        return FromWide(name);
    }
    catch (...)
    {
        return extension;
    }
}

TUTF16String GetDirTypeName(NSFileLib::IDirSpec* folder)
{
    return TypeNameOrEmpty(folder, [](NSFileLib::IDirSpec* spec) { return GetDirWinPath(spec); });
}

TUTF16String GetVolumeTypeName(NSFileLib::IVolumeSpec* volume)
{
    return TypeNameOrEmpty(volume, [](NSFileLib::IVolumeSpec* spec) { return GetVolumeWinPath(spec); });
}
} // namespace NSFileLibSupport
