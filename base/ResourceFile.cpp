#include "base/ResourceFile.h"

#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/Media.h"

#include <stdexcept>

namespace NSFerrant
{
namespace
{
TSharedModule& SecondaryResourceModule()
{
    static TSharedModule module;
    return module;
}
} // namespace

void GetSecondaryResourceFile(TSharedModule& module)
{
    module = SecondaryResourceModule();
}

void SetSecondaryResourceFile(const TSharedModule& module)
{
    SecondaryResourceModule() = module;
}

HRSRC FindResourceByID(HMODULE module, const TResourceID& id)
{
    switch (id.fKind)
    {
    case kResourceIDNumbered:
    case kResourceIDNumberedEntry:
        return FindResourceW(module, MAKEINTRESOURCEW(u16(id.fID)), ToWin32ResourceType(id.fType));
    case kResourceIDNamed:
    case kResourceIDNamedEntry:
    case kResourceIDNamedQualified:
        return FindResourceW(module, NSTextPackage::AsWide(id.fName), ToWin32ResourceType(id.fType));
    default:
        return nullptr;
    }
}

const void* LockResourceData(HMODULE module, const TResourceID& id, u64& size)
{
    size = 0;
    const HRSRC resource = FindResourceByID(module, id);
    if (!resource)
        NSQuorral::Throw(std::runtime_error(""));
    const HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded)
        NSQuorral::Throw<NSQuorral::XRead>();
    const void* bytes = LockResource(loaded);
    if (!bytes)
        NSQuorral::Throw<NSQuorral::XLocked>();
    size = SizeofResource(module, resource);
    return bytes;
}

COpenResourceFile::COpenResourceFile() : fModule(nullptr)
{
    const CABCCodeModule* codeModule = GetCurrentCodeModule();
    if (!codeModule)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    fModule = codeModule->fInfo.fInstance;
    GetSecondaryResourceFile(fSecondary);
}

COpenResourceFile::~COpenResourceFile()
{
    try
    {
        fSecondary.reset();
    }
    catch (...)
    {
        // Releasing a module handle's last holder runs its deleter; nothing of it may escape.
    }
}

std::unique_ptr<COwnedMemoryMedia> COpenResourceFile::LoadResourceMedia(const TResourceID& id) const
{
    HMODULE module = fModule;
    if (fSecondary && FindResourceByID(fSecondary.get(), id))
        module = fSecondary.get();
    u64 size = 0;
    const void* bytes = LockResourceData(module, id, size);
    auto media = std::make_unique<COwnedMemoryMedia>(i64(size));
    media->Write(0, i64(size), bytes);
    media->fPosition = 0;
    return media;
}
} // namespace NSFerrant
