#include "packing/InformationFiles.h"

#include "base/Quorral.h"
#include "base/TextCase.h"
#include "base/TextConversions.h"
#include "base/Throw.h"
#include "base/Media.h"
#include "packing/InfoText.h"
#include "packing/SourceNode.h"
#include "packing/TextEncoding.h"

#include <string>

namespace NSVantlePacking
{
EInformationFile ClassifyInformationFile(const CSourceNode& node)
{
    struct TSpecialName
    {
        const char* fName;
        EInformationFile fKind;
    };
    static const TSpecialName kNames[] = {
        {"NAME.TXT", kNameFile},           {"URL.TXT", kURLFile},         {"COMMENTS.TXT", kCommentsFile},
        {"COPYRIGHT.TXT", kCopyrightFile}, {"VERSION.TXT", kVersionFile}, {"INFO.TXT", kInfoFile},
        {"SPLASH.JPG", kSplashFile},
    };
    const NSTextPackage::TUTF16String name = NSTextPackage::ToUpper(node.GetDisplayName());
    for (const TSpecialName& special : kNames)
        if (name == NSTextPackage::ASCIIToUTF16(special.fName, 0))
            return special.fKind;
    return kNotInformationFile;
}

NSTextPackage::TUTF16String ReadTextFile(const CSourceNode& node)
{
    const std::shared_ptr<NSFerrant::CMedia> media = node.fResolvedItem->OpenMedia();
    if (!media)
        NSQuorral::Throw<NSQuorral::XOpen>();
    return TrimText(DecodeText(ReadInformationFileBytes(*media), kTextWindowsLatin));
}
} // namespace NSVantlePacking
