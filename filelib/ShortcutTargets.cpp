#include "filelib/ShortcutTargets.h"

#include "base/TextCompare.h"
#include "base/TextConversions.h"
#include "filelib/FileLibAccess.h"

#include <array>

using namespace NSFileLib;
using namespace NSTextPackage;

namespace NSFileLibSupport
{
namespace
{
const TUTF16String kShortcutExtension = ASCIIToUTF16(".lnk", 0);

// The file a candidate name stands for: the file itself, or the target of the shortcut it is
// (a shortcut to a folder or a volume stands for itself). Nothing when the file's information
// or its shortcut cannot be read.
TFileSpecPtr CandidateFile(IDirSpec* folder, const TUTF16String& candidate)
{
    TFileSpecPtr file = GetChildFile(folder, candidate);
    SFileInfo info{};
    if (GetFileLib()->GetFileInfo(file.get(), &info) != kFileLibOK)
        return nullptr;
    if (info.isAlias == 0)
        return file;
    IVolumeSpec* volume = nullptr;
    IDirSpec* targetFolder = nullptr;
    IFileSpec* target = nullptr;
    const TFileLibStatus status =
        GetFileLib()->ResolvePossibleAlias(file.get(), &volume, &targetFolder, &target);
    const TVolumeSpecPtr volumeOwner(volume);
    const TDirSpecPtr folderOwner(targetFolder);
    TFileSpecPtr targetOwner(target);
    if (status != kFileLibOK)
        return nullptr;
    return targetOwner ? targetOwner : file;
}
} // namespace

TFileSpecPtr FindChildShortcutTarget(IDirSpec* folder, const TUTF16String& name)
{
    const std::size_t dot = name.rfind(u'.');
    const std::array<TUTF16String, 3> candidates = {
        name,
        name + kShortcutExtension,
        dot == TUTF16String::npos ? name : name.substr(0, dot) + kShortcutExtension,
    };
    for (const TUTF16String& candidate : candidates)
    {
        if (!DoesChildFileExist(folder, candidate))
            continue;
        TFileSpecPtr file = CandidateFile(folder, candidate);
        if (file && CompareText(GetName(file.get()), name, kCompareIgnoreCase) == kCompareEqual)
            return file;
    }
    return nullptr;
}
} // namespace NSFileLibSupport
