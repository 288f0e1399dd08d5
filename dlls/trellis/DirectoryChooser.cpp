#include "dlls/trellis/DirectoryChooser.h"

#include "base/TextConversions.h"
#include "base/Throw.h"
#include "dlls/trellis/ApplicationModality.h"
#include "dlls/trellis/LibraryFence.h"

#include <objbase.h>
#include <shobjidl.h>

#include <memory>

namespace NSTrellisLibrary
{
namespace
{
struct TComReleaser
{
    void operator()(IUnknown* object) const { object->Release(); }
};
template <class T> using TComPtr = std::unique_ptr<T, TComReleaser>;

struct TTaskMemoryFreer
{
    void operator()(wchar_t* memory) const { CoTaskMemFree(memory); }
};

// COM for the time of the chooser; a thread that has it already keeps it as it was.
class CComUse
{
public:
    CComUse() : fInitialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~CComUse()
    {
        if (fInitialized)
            CoUninitialize();
    }
    CComUse(const CComUse&) = delete;
    CComUse& operator=(const CComUse&) = delete;

private:
    bool fInitialized;
};

void ThrowIfFailed(HRESULT result)
{
    if (FAILED(result))
        NSQuorral::Throw(std::runtime_error(""));
}

// The dialog keeps its last folder and place per client GUID: one GUID per tag.
GUID ClientGuidOf(u32 tag)
{
    return GUID{tag, 0x7E11, 0x4C15, {0x9D, 0x61, 0x43, 0x48, 0x4F, 0x4F, 0x53, 0x45}};
}
// "file://" and the UTF-8 of the folder's Windows path, with a final backslash.
std::string FolderURLOf(std::wstring path)
{
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return "file://" + NSTextPackage::UTF16ToUTF8(NSTextPackage::FromWide(path.c_str()));
}
} // namespace

std::optional<std::string> RunDirectoryChooserDialog(u32 tag, const u16* title)
{
    CComUse com;
    IFileOpenDialog* rawDialog = nullptr;
    ThrowIfFailed(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                   reinterpret_cast<void**>(&rawDialog)));
    TComPtr<IFileOpenDialog> dialog(rawDialog);
    FILEOPENDIALOGOPTIONS options = 0;
    ThrowIfFailed(dialog->GetOptions(&options));
    ThrowIfFailed(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST));
    ThrowIfFailed(dialog->SetClientGuid(ClientGuidOf(tag)));
    ThrowIfFailed(dialog->SetTitle(reinterpret_cast<const wchar_t*>(title)));

    HRESULT shown = S_OK;
    {
        CApplicationModality modality;
        shown = dialog->Show(modality.GetOwner());
    }
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::nullopt;
    ThrowIfFailed(shown);
    IShellItem* rawItem = nullptr;
    ThrowIfFailed(dialog->GetResult(&rawItem));
    TComPtr<IShellItem> item(rawItem);
    wchar_t* rawPath = nullptr;
    ThrowIfFailed(item->GetDisplayName(SIGDN_FILESYSPATH, &rawPath));
    const std::unique_ptr<wchar_t, TTaskMemoryFreer> path(rawPath);
    return FolderURLOf(path.get());
}
} // namespace NSTrellisLibrary
