#pragma once
// The items of a bank's tree: the two folders, the presets, the mono samples and the stereo
// pairs. None counts on its own: every reference goes to the bank's item, which holds the
// builder, which holds the whole tree.
#include "content/vfs/OwnedItem.h"
#include "media/soundfont/SoundFontData.h"

#include <memory>
#include <vector>

namespace NSVirtualFS
{
class CSoundFontFSParserHelper;

// A ROM sample: its words are not in the bank.
bool IsROMSample(const NSFerrant::TSoundFontSampleHeader& header);

class CSoundFontItemContainer final : public CABCOwnedItem
{
public:
    CSoundFontItemContainer(CSoundFontFSParserHelper* builder, const TUTF16String& name);

    bool IsSameItem(const CABCVirtualFileItem* other) const override;
    bool IsAvailable() override;
    CItemPtr GetParent() override;
    void GetChildren(std::vector<CItemPtr>& children, IProgressListener* listener) override;
    bool IsFolder() override { return true; }
    const TUTF16String& GetDisplayName() override { return fName; }
    const TUTF16String& GetName() override { return fName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const TUTF16String& GetTypeName() override;
    bool IsFile() override;
    u64 GetModificationTime() override;

    void AddChild(const std::shared_ptr<CABCVirtualFileItem>& child) { fChildren.push_back(child); }
    // The child at index; the caller keeps index below the number of children.
    CItemPtr GetChild(u32 index) const { return CItemPtr(fChildren[index].get()); }
    u32 GetChildCount() const { return u32(fChildren.size()); }
    CSoundFontFSParserHelper* GetBuilder() const { return fBuilder; }

private:
    CSoundFontFSParserHelper* fBuilder;
    TUTF16String fName;
    std::vector<std::shared_ptr<CABCVirtualFileItem>> fChildren;
};

class CABCSoundFontPresetOrSample : public CABCOwnedItem
{
public:
    bool IsAvailable() override;
    CItemPtr GetParent() override;
    bool IsFolder() override { return false; }
    bool IsFile() override;
    u64 GetModificationTime() override;

protected:
    CABCSoundFontPresetOrSample(CSoundFontFSParserHelper* builder, CSoundFontItemContainer* container);

    CSoundFontFSParserHelper* GetBuilder() const { return fBuilder; }
    CSoundFontItemContainer* GetContainer() const { return fContainer; }

private:
    CSoundFontFSParserHelper* fBuilder;
    CSoundFontItemContainer* fContainer;
};

class CSoundFontItemPreset final : public CABCSoundFontPresetOrSample
{
public:
    // presetPosition: the preset's 1-based place in the bank's preset headers, before sorting.
    CSoundFontItemPreset(CSoundFontFSParserHelper* builder, CSoundFontItemContainer* container,
                         const TUTF16String& name, u32 presetPosition, bool bank128);

    bool IsSameItem(const CABCVirtualFileItem* other) const override;
    const TUTF16String& GetDisplayName() override { return fName; }
    const TUTF16String& GetName() override { return fName; }
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const TUTF16String& GetTypeName() override;
    bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type) override;
    // The preset document, made anew in memory at every call.
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;

private:
    TUTF16String fName;
    u32 fPresetPosition;
    bool fBank128;
};

// What mono samples and stereo pairs share: their type, and their document made in a temporary
// file at every call (ROM samples are XUnsupportedFormat).
class CABCSoundFontSample : public CABCSoundFontPresetOrSample
{
public:
    std::shared_ptr<NSTrellis::IIcon> GetIcon(u8 flag) override;
    const TUTF16String& GetTypeName() override;
    bool IsOfType(const NSFileLibSupport::SFileTypeDescriptor& type) override;

protected:
    using CABCSoundFontPresetOrSample::CABCSoundFontPresetOrSample;
};

class CSoundFontMonoItemSample final : public CABCSoundFontSample
{
public:
    // sampleNumber: the header's 1-based place in the bank.
    CSoundFontMonoItemSample(CSoundFontFSParserHelper* builder, u32 sampleNumber, CSoundFontItemContainer* container,
                             const NSFerrant::TSoundFontSampleHeader& header);

    bool IsSameItem(const CABCVirtualFileItem* other) const override;
    const TUTF16String& GetDisplayName() override { return GetName(); }
    // "n. name", and " [ROM]" for a ROM sample.
    const TUTF16String& GetName() override;
    // The frames' bytes: the document is 36 bytes more.
    u64 GetSize() override;
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;

private:
    u32 fSampleNumber;
    NSFerrant::TSoundFontSampleHeader fHeader;
    TUTF16String fName;
};

class CSoundFontStereoItemSample final : public CABCSoundFontSample
{
public:
    CSoundFontStereoItemSample(CSoundFontFSParserHelper* builder, u32 leftNumber, u32 rightNumber,
                               CSoundFontItemContainer* container, const NSFerrant::TSoundFontSampleHeader& left,
                               const NSFerrant::TSoundFontSampleHeader& right);

    bool IsSameItem(const CABCVirtualFileItem* other) const override;
    // The name without its leading blanks.
    const TUTF16String& GetDisplayName() override;
    // "l+r. Stereo pair", the left number padded with blanks to three characters.
    const TUTF16String& GetName() override;
    u64 GetSize() override;
    std::shared_ptr<NSFerrant::CMedia> OpenMedia() override;

private:
    bool HasROMHalf() const { return IsROMSample(fLeft) || IsROMSample(fRight); }

    u32 fLeftNumber;
    u32 fRightNumber;
    NSFerrant::TSoundFontSampleHeader fLeft;
    NSFerrant::TSoundFontSampleHeader fRight;
    TUTF16String fDisplayName;
    TUTF16String fName;
};
} // namespace NSVirtualFS
