#pragma once
// An absolute path: the target named from the root folder of a volume known by its name and
// kind, optionally with a native URL, and whether it lies inside a package. Stored, XML and
// display forms.
#include "content/references/PathComponents.h"
#include "filelib/FileLibRecords.h"

#include <memory>
#include <string>

namespace NSFerrant
{
class CMedia;
class CXMLElement;
} // namespace NSFerrant

enum ENativeURLMode : u32
{
    kNativeURLNone = 71,
    kNativeURLOSXDirectory = 72,
    kNativeURLOSXFile = 73,
    kNativeURLWin32Directory = 74,
    kNativeURLWin32File = 75,
};

class CAbsolutePath
{
public:
    static constexpr u32 kOlderForm = 52003;
    static constexpr u32 kNewerForm = 52002;

    // Version 1.4.0 (older form) or 1.9.0 (newer form, with the native URL and the flag byte).
    void Write(NSFerrant::CMedia& media, u32 formatCode) const;
    // Any version of major 1; another major is XUnsupportedFormat. Answers true for the stored
    // versions 1.5.0 and 1.6.0, whose names, and the names a reference body stores after its
    // paths, are in the counted UTF-8 form.
    bool Read(NSFerrant::CMedia& media);

    std::shared_ptr<NSFerrant::CXMLElement> WriteXML() const;
    void ReadXML(const std::shared_ptr<NSFerrant::CXMLElement>& element);

    // The volume name (the desktop's name when it is empty), then "/" and each component.
    NSTextPackage::TUTF16String GetDisplayText() const;
    // The last component, or the volume name when there is none.
    NSTextPackage::TUTF16String GetLastName() const;

    u8 fValid = 0;
    // NSFileLib::EVolumeKind.
    u32 fVolumeType = NSFileLib::kVolumeKindOther;
    // Empty when the path starts at the shell's root.
    THashedString fVolumeName;
    TPathComponents fComponents;
    u8 fPartOfVantle = 0;
    // When the exact walk fails, the last name may match a file name without its extension.
    u8 fMatchWithoutExtension = 0;
    u32 fNativeURLMode = kNativeURLNone;
    // UTF-8.
    std::string fNativeURL;
};
