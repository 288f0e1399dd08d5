#include "content/folders/SoundFontItems.h"

#include "base/ExceptionClasses.h"
#include "base/NumberText.h"
#include "base/TextConversions.h"
#include "content/folders/SoundFontDocuments.h"
#include "content/folders/SoundFontFolder.h"
#include "content/folders/GeneratedItemFiles.h"
#include "content/package/PackageFailures.h"
#include "content/paths/RelativePathComputation.h"
#include "content/vfs/ItemDatabase.h"
#include "content/vfs/ItemTypeTexts.h"
#include "filelib/FileMedia.h"
#include "gui/IconResourceIDs.h"
#include "gui/TrellisUtils.h"
#include "media/IFFChunk.h"
#include "base/Media.h"
#include "media/soundfont/SoundFontReader.h"
#include "media/soundfont/SoundFontSamples.h"
#include "media/soundfont/WaveSample.h"

namespace NSVirtualFS
{
namespace
{
constexpr u16 kSampleIcon = 91;
constexpr u16 kPercussionPresetIcon = 92;
constexpr u16 kPresetIcon = 93;
constexpr u16 kFolderIcon = 94;
constexpr u32 kPresetReserve = 10;

const NSFileLibSupport::SFileTypeDescriptor& GetPresetFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type =
        NSFileLibSupport::MakeFileTypeDescriptor(".sf2p", NSFerrant::MakeFourCC("SF2p"));
    return type;
}

const NSFileLibSupport::SFileTypeDescriptor& GetSampleFileType()
{
    static const NSFileLibSupport::SFileTypeDescriptor type =
        NSFileLibSupport::MakeFileTypeDescriptor(".sf2s", NSFerrant::MakeFourCC("SF2s"));
    return type;
}

std::shared_ptr<NSTrellis::IIcon> IconOf(u16 id)
{
    return NSTrellisUtils::CreateIconFromResource(NSFerrant::MakeIconResourceID(id));
}

TUTF16String ASCII(const char* text)
{
    return NSTextPackage::ASCIIToUTF16(text, 0);
}

// The sample document of a mono sample (right null) or a stereo pair, in a new temporary file at
// position 0.
std::shared_ptr<NSFerrant::CMedia> OpenSampleDocument(const CSoundFontFSParserHelper& builder,
                                                      const NSFerrant::TSoundFontSampleHeader& left,
                                                      const NSFerrant::TSoundFontSampleHeader* right)
{
    if (IsROMSample(left) || (right && IsROMSample(*right)))
        ThrowPackageFailure<NSQuorral::XUnsupportedFormat>();
    auto document = std::make_shared<NSFileLibSupport::COpenTemporaryFile>(GetTemporaryFileType());
    const NSFerrant::TSampleLoop loop = NSFerrant::GetSampleLoop(left);
    std::unique_ptr<NSFerrant::CWaveSample> sample;
    {
        const std::shared_ptr<NSFerrant::CMedia> bank = builder.OpenBank();
        sample = right ? NSFerrant::CreateStereoWaveSample(*bank, left, *right)
                       : NSFerrant::CreateMonoWaveSample(*bank, left);
    }
    TSoundFontSampleDocument content;
    content.fSampleRate = sample->GetSampleRate();
    content.fRootKey = loop.fRootKey;
    content.fFineTune = u8(loop.fFineTune);
    content.fLoopStart = loop.fLoopStart;
    content.fLoopEnd = loop.fLoopEnd;
    content.fChannelCount = sample->GetChannelCount();
    content.fLoopFlag = loop.fLoopMode != NSFerrant::kSampleLoopNone ? 1 : 0;
    content.fFrameCount = i32(sample->GetFrameCount());
    if (content.fFrameCount > 0)
    {
        content.fFrames.resize(size_t(content.fChannelCount) * size_t(content.fFrameCount));
        if (right)
            sample->ReadNativeFrames(0, content.fFrameCount, content.fFrames.data());
        else
            sample->ReadInt16Channel(0, content.fFrameCount, content.fFrames.data(), NSFerrant::kFirstChannel);
    }
    sample.reset();
    WriteSoundFontSampleDocument(content, *document);
    document->fPosition = 0;
    return document;
}
} // namespace

bool IsROMSample(const NSFerrant::TSoundFontSampleHeader& header)
{
    return NSFerrant::IsROMSampleType(header.fSampleType);
}

CSoundFontItemContainer::CSoundFontItemContainer(CSoundFontFSParserHelper* builder, const TUTF16String& name)
    : CABCOwnedItem(builder->GetOwner()), fBuilder(builder), fName(name)
{
}

bool CSoundFontItemContainer::IsSameItem(const CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* container = dynamic_cast<const CSoundFontItemContainer*>(other);
    return container && container->fName == fName &&
           fBuilder->GetOwner()->IsSameItem(container->fBuilder->GetOwner());
}

bool CSoundFontItemContainer::IsAvailable()
{
    return fBuilder->GetOwner()->IsAvailable();
}

CItemPtr CSoundFontItemContainer::GetParent()
{
    return CItemPtr(fBuilder->GetOwner());
}

void CSoundFontItemContainer::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    children.clear();
    for (const std::shared_ptr<CABCVirtualFileItem>& child : fChildren)
        children.push_back(CItemPtr(child.get()));
}

std::shared_ptr<NSTrellis::IIcon> CSoundFontItemContainer::GetIcon(u8)
{
    return IconOf(kFolderIcon);
}

const TUTF16String& CSoundFontItemContainer::GetTypeName()
{
    return GetItemTypeText(kItemTypeFolder);
}

bool CSoundFontItemContainer::IsFile()
{
    return fBuilder->GetOwner()->IsFile();
}

u64 CSoundFontItemContainer::GetModificationTime()
{
    return fBuilder->GetOwner()->GetModificationTime();
}

CABCSoundFontPresetOrSample::CABCSoundFontPresetOrSample(CSoundFontFSParserHelper* builder,
                                                         CSoundFontItemContainer* container)
    : CABCOwnedItem(builder->GetOwner()), fBuilder(builder), fContainer(container)
{
}

bool CABCSoundFontPresetOrSample::IsAvailable()
{
    return fContainer->IsAvailable();
}

CItemPtr CABCSoundFontPresetOrSample::GetParent()
{
    return CItemPtr(fContainer);
}

bool CABCSoundFontPresetOrSample::IsFile()
{
    return fBuilder->GetOwner()->IsFile();
}

u64 CABCSoundFontPresetOrSample::GetModificationTime()
{
    return fBuilder->GetOwner()->GetModificationTime();
}

CSoundFontItemPreset::CSoundFontItemPreset(CSoundFontFSParserHelper* builder, CSoundFontItemContainer* container,
                                           const TUTF16String& name, u32 presetPosition, bool bank128)
    : CABCSoundFontPresetOrSample(builder, container), fName(name), fPresetPosition(presetPosition),
      fBank128(bank128)
{
}

bool CSoundFontItemPreset::IsSameItem(const CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* preset = dynamic_cast<const CSoundFontItemPreset*>(other);
    return preset && preset->fName == fName && GetContainer()->IsSameItem(preset->GetContainer());
}

std::shared_ptr<NSTrellis::IIcon> CSoundFontItemPreset::GetIcon(u8)
{
    return IconOf(fBank128 ? kPercussionPresetIcon : kPresetIcon);
}

const TUTF16String& CSoundFontItemPreset::GetTypeName()
{
    return GetItemTypeText(kItemTypeSoundFontPreset);
}

bool CSoundFontItemPreset::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return NSFileLibSupport::DoFileTypesMatch(GetPresetFileType(), type);
}

std::shared_ptr<NSFerrant::CMedia> CSoundFontItemPreset::OpenMedia()
{
    auto media = std::make_shared<NSFerrant::COwnedMemoryMedia>(kPresetReserve);
    const CItemDatabaseBatch batch;
    TSoundFontPresetDocument document;
    document.fPresetPosition = fPresetPosition;
    document.fPresetItem = CItemPtr(this);
    document.fBank = NSFerrant::ReadSoundFont(*GetBuilder()->OpenBank());
    for (u32 index = 0; index < document.fBank.fSampleHeaders.size(); ++index)
        document.fSamplePaths.push_back(
            ComputeRelativePathToItem(document.fPresetItem, GetBuilder()->GetSampleItem(index)));
    WriteSoundFontPresetDocument(*media, document);
    media->fPosition = 0;
    return media;
}

std::shared_ptr<NSTrellis::IIcon> CABCSoundFontSample::GetIcon(u8)
{
    return IconOf(kSampleIcon);
}

const TUTF16String& CABCSoundFontSample::GetTypeName()
{
    return GetItemTypeText(kItemTypeSoundFontSample);
}

bool CABCSoundFontSample::IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type)
{
    return NSFileLibSupport::DoFileTypesMatch(GetSampleFileType(), type);
}

CSoundFontMonoItemSample::CSoundFontMonoItemSample(CSoundFontFSParserHelper* builder, u32 sampleNumber,
                                                   CSoundFontItemContainer* container,
                                                   const NSFerrant::TSoundFontSampleHeader& header)
    : CABCSoundFontSample(builder, container), fSampleNumber(sampleNumber), fHeader(header)
{
}

bool CSoundFontMonoItemSample::IsSameItem(const CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* sample = dynamic_cast<const CSoundFontMonoItemSample*>(other);
    return sample && sample->fSampleNumber == fSampleNumber && GetContainer()->IsSameItem(sample->GetContainer());
}

const TUTF16String& CSoundFontMonoItemSample::GetName()
{
    if (fName.empty())
    {
        fName = NSTextPackage::FormatInteger(fSampleNumber) + ASCII(". ") + WithoutTrailingBlanks(fHeader.fName);
        if (IsROMSample(fHeader))
            fName += ASCII(" [ROM]");
    }
    return fName;
}

u64 CSoundFontMonoItemSample::GetSize()
{
    return IsROMSample(fHeader) ? 0 : u64(u32(fHeader.fEnd - fHeader.fStart)) * 2;
}

std::shared_ptr<NSFerrant::CMedia> CSoundFontMonoItemSample::OpenMedia()
{
    return OpenSampleDocument(*GetBuilder(), fHeader, nullptr);
}

CSoundFontStereoItemSample::CSoundFontStereoItemSample(CSoundFontFSParserHelper* builder, u32 leftNumber,
                                                       u32 rightNumber, CSoundFontItemContainer* container,
                                                       const NSFerrant::TSoundFontSampleHeader& left,
                                                       const NSFerrant::TSoundFontSampleHeader& right)
    : CABCSoundFontSample(builder, container), fLeftNumber(leftNumber), fRightNumber(rightNumber), fLeft(left),
      fRight(right)
{
}

bool CSoundFontStereoItemSample::IsSameItem(const CABCVirtualFileItem* other) const
{
    if (other == this)
        return true;
    const auto* pair = dynamic_cast<const CSoundFontStereoItemSample*>(other);
    return pair && pair->fLeftNumber == fLeftNumber && pair->fRightNumber == fRightNumber &&
           GetContainer()->IsSameItem(pair->GetContainer());
}

const TUTF16String& CSoundFontStereoItemSample::GetName()
{
    if (fName.empty())
    {
        TUTF16String left = NSTextPackage::FormatInteger(fLeftNumber);
        if (left.size() < 3)
            left.insert(0, 3 - left.size(), u' ');
        fName = left + ASCII("+") + NSTextPackage::FormatInteger(fRightNumber) + ASCII(". Stereo pair");
        if (HasROMHalf())
            fName += ASCII(" [ROM]");
    }
    return fName;
}

const TUTF16String& CSoundFontStereoItemSample::GetDisplayName()
{
    if (fDisplayName.empty())
    {
        const TUTF16String& name = GetName();
        fDisplayName = name.substr(name.find_first_not_of(u' '));
    }
    return fDisplayName;
}

u64 CSoundFontStereoItemSample::GetSize()
{
    return HasROMHalf() ? 0 : u64(u32(fLeft.fEnd - fLeft.fStart)) * 4;
}

std::shared_ptr<NSFerrant::CMedia> CSoundFontStereoItemSample::OpenMedia()
{
    return OpenSampleDocument(*GetBuilder(), fLeft, &fRight);
}
} // namespace NSVirtualFS
