#include "dlls/trellis/TrellisLibrary.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "dlls/trellis/Icon.h"
#include "dlls/trellis/ResourceSpec.h"
#include "dlls/trellis/TextTable.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace NSTrellisLibrary
{
namespace
{
// The process's one interface object, made by the first Trellis_Create after load or release.
CTrellis* gTrellis = nullptr;

HMODULE GetLibraryModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&GetLibraryModule), &module);
    return module;
}

// Runs an operation that makes an icon: the out-status is 12004 until the icon is made, then
// kTrellisOK; a failure leaves its status and no icon.
template <class TMake>
NSTrellis::IIcon* AnswerIcon(u32* status, TMake make)
{
    if (!status)
        return nullptr;
    *status = 12004;
    try
    {
        NSTrellis::IIcon* icon = make();
        *status = kTrellisOK;
        return icon;
    }
    catch (...)
    {
        *status = TrellisStatusFromCurrentException();
        return nullptr;
    }
}
} // namespace

u32 CTrellis::GetResourceText(const char* spec, NSTrellis::ITextGetter* getter)
{
    try
    {
        if (!spec || !getter)
            NSQuorral::Throw(std::invalid_argument(""));
        // Tables are the program's: they live in the executable, not in this library.
        const NSFerrant::TResourceID id = ParseEntrySpec(spec);
        u64 size = 0;
        const void* table = NSFerrant::LockResourceData(GetModuleHandleW(nullptr), id, size);
        const NSTextPackage::TUTF16String text =
            NSTextPackage::UTF8ToUTF16(FindTextTableEntry(static_cast<const u8*>(table), size, id.fIndex));
        return getter->SetText(text.c_str());
    }
    catch (...)
    {
        return TrellisStatusFromCurrentException();
    }
}

NSTrellis::IIcon* CTrellis::CreateIcon(u32 id, u32* status)
{
    return AnswerIcon(status, [&] {
        if (id == 0 || id > 0xFFFF)
            NSQuorral::Throw(std::invalid_argument(""));
        return LoadModuleIcon(GetLibraryModule(), MAKEINTRESOURCEW(id));
    });
}

NSTrellis::IIcon* CTrellis::CreateIconFromSpec(const char* spec, u32 zero, u32* status)
{
    return AnswerIcon(status, [&] {
        if (!spec || !*spec || zero != 0)
            NSQuorral::Throw(std::invalid_argument(""));
        if (const auto number = ParseResourceNumber(spec))
            return LoadModuleIcon(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(*number));
        const NSTextPackage::TUTF16String name = NSTextPackage::UTF8ToUTF16(spec);
        return LoadModuleIcon(GetModuleHandleW(nullptr), NSTextPackage::AsWide(name));
    });
}

u32 CTrellis::GetPlatformServices(IPlatformServices** services)
{
    if (!services)
        return 12002; // std::invalid_argument
    *services = &fPlatformServices;
    return kTrellisOK;
}

u32 CTrellis::Release(u32 destroy)
{
    if (destroy == 1)
    {
        if (gTrellis == this)
            gTrellis = nullptr;
        delete this;
    }
    return kTrellisOK;
}
} // namespace NSTrellisLibrary

ITrellis* Trellis_Create(const char* interfaceName, u32* status)
{
    if (!status)
        return nullptr;
    try
    {
        if (!interfaceName || std::strcmp(interfaceName, "ITrellis") != 0)
        {
            *status = 12009; // an interface this library does not have
            return nullptr;
        }
        if (!NSTrellisLibrary::gTrellis)
            NSTrellisLibrary::gTrellis = new NSTrellisLibrary::CTrellis;
        *status = kTrellisOK;
        return NSTrellisLibrary::gTrellis;
    }
    catch (...)
    {
        *status = TrellisStatusFromCurrentException();
        return nullptr;
    }
}

void* Trellis_New(u64 size)
{
    if (size > SIZE_MAX)
        return nullptr;
    return ::operator new(std::size_t(size), std::nothrow);
}

void Trellis_Delete(void* memory)
{
    ::operator delete(memory);
}
