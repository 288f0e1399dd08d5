#include "content/folders/SoundFontFolder.h"

#include "base/NumberText.h"
#include "base/TextConversions.h"
#include "content/folders/SoundFontItems.h"
#include "content/folders/GeneratedItemFiles.h"
#include "content/package/PackageFailures.h"
#include "base/Media.h"
#include "media/soundfont/SoundFontReader.h"

#include <algorithm>

namespace NSVirtualFS
{
namespace
{
constexpr u32 kLinkedLeftSample = 4;

// The two halves of a pair are shown together only where they sound alike.
bool HalvesAgree(const NSFerrant::TSoundFontSampleHeader& left, const NSFerrant::TSoundFontSampleHeader& right)
{
    return u32(left.fLoopStart - left.fStart) == u32(right.fLoopStart - right.fStart) &&
           u32(left.fLoopEnd - left.fStart) == u32(right.fLoopEnd - right.fStart) &&
           left.fSampleRate == right.fSampleRate && left.fRootKey == right.fRootKey &&
           left.fPitchCorrection == right.fPitchCorrection;
}
const TUTF16String& PresetsFolderName()
{
    static const TUTF16String name = NSTextPackage::ASCIIToUTF16("Presets", 0);
    return name;
}

const TUTF16String& SamplesFolderName()
{
    static const TUTF16String name = NSTextPackage::ASCIIToUTF16("Samples", 0);
    return name;
}
} // namespace

CSoundFontFSParserHelper::CSoundFontFSParserHelper(CABCVirtualFileItem* owner) : fOwner(owner) {}

CSoundFontFSParserHelper::~CSoundFontFSParserHelper() = default;

std::shared_ptr<NSFerrant::CMedia> CSoundFontFSParserHelper::OpenBank() const
{
    std::shared_ptr<NSFerrant::CMedia> bank = fOwner->OpenMedia();
    if (!bank)
        ThrowPackageFormatViolation();
    return bank;
}

void CSoundFontFSParserHelper::GetChildren(std::vector<CItemPtr>& children)
{
    children.clear();
    if (!fBuilt)
    {
        fBuilt = true;
        BuildTree(*OpenBank());
    }
    for (const std::shared_ptr<CSoundFontItemContainer>& container : fContainers)
        children.push_back(CItemPtr(container.get()));
}

void CSoundFontFSParserHelper::BuildTree(NSFerrant::CMedia& bankMedia)
{
    const NSFerrant::TSoundFontData bank = NSFerrant::ReadSoundFont(bankMedia);
    fName = bank.fCopyright;
    if (!bank.fPresetHeaders.empty())
    {
        auto presets = std::make_shared<CSoundFontItemContainer>(this, PresetsFolderName());
        std::vector<std::pair<const NSFerrant::TSoundFontPresetHeader*, u32>> sorted;
        for (std::size_t index = 0; index < bank.fPresetHeaders.size(); ++index)
            sorted.emplace_back(&bank.fPresetHeaders[index], u32(index + 1));
        std::sort(sorted.begin(), sorted.end(),
                  [](const auto& a, const auto& b) { return ComparePresets(*a.first, *b.first); });
        i64 counter = 1;
        for (const auto& [header, position] : sorted)
        {
            const TUTF16String name = NSTextPackage::FormatInteger(counter++) + NSTextPackage::ASCIIToUTF16(". ", 0) +
                                      WithoutTrailingBlanks(header->fName);
            presets->AddChild(std::make_shared<CSoundFontItemPreset>(this, presets.get(), name, position,
                                                                     header->fBankNumber == 128));
        }
        fContainers.push_back(presets);
    }
    const std::vector<NSFerrant::TSoundFontSampleHeader>& headers = bank.fSampleHeaders;
    if (!headers.empty())
    {
        auto samples = std::make_shared<CSoundFontItemContainer>(this, SamplesFolderName());
        for (std::size_t index = 0; index < headers.size(); ++index)
            samples->AddChild(
                std::make_shared<CSoundFontMonoItemSample>(this, u32(index + 1), samples.get(), headers[index]));
        fSampleItemCount = u32(headers.size());
        for (std::size_t index = 0; index < headers.size(); ++index)
        {
            const NSFerrant::TSoundFontSampleHeader& left = headers[index];
            if (left.fSampleType != kLinkedLeftSample || left.fLinkedSample >= headers.size())
                continue;
            const NSFerrant::TSoundFontSampleHeader& right = headers[left.fLinkedSample];
            if (!HalvesAgree(left, right))
                continue;
            // Numbers in 32 bits: a link of 65535 names header 65536.
            samples->AddChild(std::make_shared<CSoundFontStereoItemSample>(
                this, u32(index + 1), u32(left.fLinkedSample) + 1, samples.get(), left, right));
        }
        fContainers.push_back(samples);
    }
}

CItemPtr CSoundFontFSParserHelper::GetSampleItem(u32 index)
{
    if (index >= fSampleItemCount)
        ThrowPackageFormatViolation();
    for (const std::shared_ptr<CSoundFontItemContainer>& container : fContainers)
    {
        if (container->GetDisplayName() == SamplesFolderName())
            return container->GetChild(index);
    }
    return {};
}

bool ComparePresets(const NSFerrant::TSoundFontPresetHeader& a, const NSFerrant::TSoundFontPresetHeader& b)
{
    return a.fBankNumber < b.fBankNumber || (a.fBankNumber == b.fBankNumber && a.fPresetNumber < b.fPresetNumber);
}

CSoundFontShellFile::CSoundFontShellFile(const TShellItemPtr& shellItem, const TUTF16String& name,
                                         const CItemPtr& parent)
    : CShellFile(shellItem, name, parent), fBuilder(std::make_shared<CSoundFontFSParserHelper>(this))
{
}

CItemPtr CSoundFontShellFile::Create(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent)
{
    return CItemPtr(new CSoundFontShellFile(shellItem, name, parent));
}

CSoundFontShellFile::~CSoundFontShellFile()
{
    fBuilder.reset();
}

void CSoundFontShellFile::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    fBuilder->GetChildren(children);
}

TUTF16String CSoundFontShellFile::GetSecondaryText()
{
    return fBuilder->GetName();
}
} // namespace NSVirtualFS
