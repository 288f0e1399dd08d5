#include "content/package/VantleFile.h"

#include "content/package/IndexParser.h"
#include "content/package/PackageFailures.h"
#include "content/package/VantleReader.h"
#include "base/Media.h"

namespace NSVirtualFS
{
CVantleFile::CVantleFile(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                         u32 kind)
    : CShellFile(shellItem, name, parent), fKind(kind)
{
}

CVantleFile::~CVantleFile()
{
    // Entries point back at this item: they go while it is still whole.
    fRootEntries.Take();
    fHiddenEntries.clear();
}

CItemPtr CVantleFile::Create(const TShellItemPtr& shellItem, const TUTF16String& name, const CItemPtr& parent,
                             u32 kind)
{
    auto* file = new CVantleFile(shellItem, name, parent, kind);
    CItemPtr item(file);
    file->EnsureOpened();
    return item;
}

void CVantleFile::EnsureOpened()
{
    if (fState != kStateNotOpened)
        return;
    try
    {
        fInfo = GetReader()->GetData()->GetInfo();
        fState = kStateOpen;
    }
    catch (...)
    {
        // Never retried: the item shows itself as an empty folder under its file name.
        fState = kStateFailed;
    }
}

std::shared_ptr<CVantleReader> CVantleFile::GetReader()
{
    if (std::shared_ptr<CVantleReader> live = fReader.lock())
        return live;
    auto reader = std::make_shared<CVantleReader>(GetFileSpec(), fKind);
    fReader = reader;
    if (fUpdateNesting > 0)
        fKeptReader = reader;
    return reader;
}

void CVantleFile::ParseIndex()
{
    if (fIndexParsed || fState != kStateOpen)
        return;
    fIndexParsed = true;
    const std::shared_ptr<CVantleReader> reader = GetReader();
    CIndexParser parser(this);
    reader->VisitEntries(parser);
    fRootEntries = std::move(parser.GetRootEntries());
    fHiddenEntries = std::move(parser.GetHiddenEntries());
    // Every folder holds a file, so a tree without a file is empty.
    if (!fRootEntries.InOrder().empty() || !fHiddenEntries.empty())
        fEntryData = reader->GetData();
}

bool CVantleFile::IsAvailable()
{
    return !fReader.expired() || CShellFile::IsAvailable();
}

CItemPtr CVantleFile::FindChild(const TUTF16String& name)
{
    EnsureOpened();
    if (fState != kStateOpen)
        return {};
    ParseIndex();
    return CItemPtr(fRootEntries.Find(name, HashEntryName(name)).get());
}

void CVantleFile::GetChildren(std::vector<CItemPtr>& children, IProgressListener*)
{
    children.clear();
    EnsureOpened();
    if (fState != kStateOpen)
        return;
    ParseIndex();
    for (const TVantleEntryPtr& entry : fRootEntries.InOrder())
        children.push_back(CItemPtr(entry.get()));
}

const TUTF16String& CVantleFile::GetDisplayName()
{
    return fState == kStateFailed ? CShellFile::GetDisplayName() : fInfo.fName;
}

void CVantleFile::ThrowUnlessOpen()
{
    EnsureOpened();
    if (fState != kStateOpen)
        ThrowPackageFormatViolation();
}

TUTF16String CVantleFile::GetSecondaryText()
{
    ThrowUnlessOpen();
    return fInfo.fCopyright;
}

std::shared_ptr<NSFerrant::CMedia> CVantleFile::OpenMedia()
{
    ThrowUnlessOpen();
    std::shared_ptr<NSFerrant::CMedia> media = GetReader()->OpenMedia();
    media->fPosition = 0;
    return media;
}

bool CVantleFile::IsRegularFile()
{
    return !fReader.expired() || CShellFile::IsRegularFile();
}

void CVantleFile::BeginUpdate()
{
    CShellFile::BeginUpdate();
    ++fUpdateNesting;
    fKeptReader = fReader.lock();
}

void CVantleFile::EndUpdate()
{
    CShellFile::EndUpdate();
    if (--fUpdateNesting <= 0)
    {
        fUpdateNesting = 0;
        fKeptReader.reset();
    }
}

void CVantleFile::InvalidateCaches()
{
    CShellFile::InvalidateCaches();
    fUpdateNesting = 0;
    fKeptReader.reset();
}

} // namespace NSVirtualFS
