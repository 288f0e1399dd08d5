#include "dlls/trellis/TrellisLibrary.h"

#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"
#include "base/ResourceFile.h"
#include "base/TextConversions.h"
#include "dlls/trellis/AlertDescriptor.h"
#include "dlls/trellis/AlertDialog.h"
#include "dlls/trellis/DirectoryChooser.h"
#include "dlls/trellis/DocumentWindow.h"
#include "dlls/trellis/HeadlessAnswerer.h"
#include "dlls/trellis/Icon.h"
#include "dlls/trellis/KeyEvents.h"
#include "dlls/trellis/LibraryFence.h"
#include "dlls/trellis/ModalDialog.h"
#include "dlls/trellis/NativeView.h"
#include "dlls/trellis/ResourceSpec.h"
#include "dlls/trellis/RunLoop.h"
#include "dlls/trellis/Screens.h"
#include "dlls/trellis/TextTable.h"
#include "dlls/trellis/WindowLists.h"
#include "dlls/trellis/WindowPainting.h"

#include <cstring>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

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

template <class TWindow> std::vector<TWindow*> ListWindows(const wchar_t* property)
{
    std::vector<TWindow*> windows;
    for (void* window : ListWindowsWithProperty(property))
        windows.push_back(static_cast<TWindow*>(window));
    return windows;
}

// Windows and dialogs are opened application-wide: no window, and 1.
void CheckApplicationWide(INativeWindow* window, u32 one)
{
    if (window || one != 1)
        ThrowInvalidArgument();
}

// Only application-modal alerts and choosers exist: they take no window.
void CheckApplicationModal(INativeWindow* window, u32 appModal)
{
    if (window || appModal != 1)
        ThrowInvalidArgument();
}
} // namespace

u32 CTrellis::Run(NSTrellis::ITrellisRunBehavior* application, const TTrellisStartupBlock* block)
{
    return AnswerStatus(
        [&]
        {
            if (!application || !block)
                ThrowInvalidArgument();
            return RunApplication(application, *block);
        });
}

u32 CTrellis::GetRunBehavior(NSTrellis::ITrellisRunBehavior** application)
{
    return AnswerStatus(
        [&]
        {
            if (!application)
                ThrowInvalidArgument();
            *application = GetCurrentApplication();
            return kTrellisOK;
        });
}

u32 CTrellis::Quit()
{
    return AnswerStatus(
        [&]
        {
            RequestQuit();
            return kTrellisOK;
        });
}

u32 CTrellis::CancelQuit()
{
    CancelQuitRequest();
    return kTrellisOK;
}

u32 CTrellis::CountDocumentWindows(u32* count)
{
    return AnswerStatus(
        [&]
        {
            if (!count)
                ThrowInvalidArgument();
            *count = u32(ListWindowsWithProperty(kDocumentWindowProperty).size());
            return kTrellisOK;
        });
}

u32 CTrellis::GetScreens(TScreenList* list, u32 zero)
{
    return AnswerStatus(
        [&]
        {
            if (!list || zero != 0)
                ThrowInvalidArgument();
            ListScreens(*list);
            return kTrellisOK;
        });
}

u32 CTrellis::GetResourceText(const char* spec, NSTrellis::ITextGetter* getter)
{
    return AnswerStatus(
        [&]
        {
            if (!spec || !getter)
                ThrowInvalidArgument();
            // Tables are the program's: they live in the executable, not in this library.
            const NSFerrant::TResourceID id = ParseEntrySpec(spec);
            u64 size = 0;
            const void* table = NSFerrant::LockResourceData(GetModuleHandleW(nullptr), id, size);
            const NSTextPackage::TUTF16String text = NSTextPackage::UTF8ToUTF16(
                FindTextTableEntry(static_cast<const u8*>(table), size, id.fIndex));
            return getter->SetText(text.c_str());
        });
}

u32 CTrellis::GetEventStamp(u64* stamp)
{
    if (!stamp)
        return kTrellisInvalidArgument;
    *stamp = u32(GetMessageTime());
    return kTrellisOK;
}

NSTrellis::IIcon* CTrellis::CreateIcon(u32 id, u32* status)
{
    return AnswerObject(status,
                        [&]() -> NSTrellis::IIcon*
                        {
                            if (id == 0 || id > 0xFFFF)
                                ThrowInvalidArgument();
                            return LoadModuleIcon(GetLibraryModule(), MAKEINTRESOURCEW(id));
                        });
}

NSTrellis::IIcon* CTrellis::CreateIconFromSpec(const char* spec, u32 zero, u32* status)
{
    return AnswerObject(status,
                        [&]() -> NSTrellis::IIcon*
                        {
                            if (!spec || !*spec || zero != 0)
                                ThrowInvalidArgument();
                            if (const auto number = ParseResourceNumber(spec))
                                return LoadModuleIcon(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(*number));
                            const NSTextPackage::TUTF16String name = NSTextPackage::UTF8ToUTF16(spec);
                            return LoadModuleIcon(GetModuleHandleW(nullptr), NSTextPackage::AsWide(name));
                        });
}

u32 CTrellis::GetKeyboardState(TKeyboardState* state, INativeWindow*)
{
    return AnswerStatus(
        [&]
        {
            if (!state)
                ThrowInvalidArgument();
            ReadKeyboardState(*state);
            return kTrellisOK;
        });
}

u32 CTrellis::ProcessEvents()
{
    return AnswerStatus(
        [&]
        {
            ProcessPendingMessages();
            return kTrellisOK;
        });
}

u32 CTrellis::GetModifierSet(const u32* set, u64* mask)
{
    return AnswerStatus(
        [&]
        {
            if (!set || !mask)
                ThrowInvalidArgument();
            *mask = ModifierSetMask(*set);
            return kTrellisOK;
        });
}

u32 CTrellis::MatchKeyEvent(const TKeyEvent* event, const TKeyEventTail* tail, const TKeyShortcut* shortcut,
                            u32* matches)
{
    return AnswerStatus(
        [&]
        {
            if (!event || !tail || !shortcut || !matches)
                ThrowInvalidArgument();
            *matches = KeyEventMatches(*event, *tail, *shortcut) ? 1 : 0;
            return kTrellisOK;
        });
}

u32 CTrellis::UpdateNow()
{
    return AnswerStatus(
        [&]
        {
            PaintThreadWindowsNow();
            return kTrellisOK;
        });
}

NSTrellis::IDocumentWindow* CTrellis::OpenDocumentWindow(NSTrellis::IDocumentWindowCreator* creator,
                                                         INativeWindow* window, u32 one, u32* status)
{
    return AnswerObject(status,
                        [&]() -> NSTrellis::IDocumentWindow*
                        {
                            CheckApplicationWide(window, one);
                            if (!creator)
                                ThrowInvalidArgument();
                            return CDocumentWindow::Open(creator);
                        });
}

u32 CTrellis::RunModalDialog(NSTrellis::IModalDialogCreator* creator, INativeWindow* window, u32 one,
                             u32 zero, u32* status)
{
    u32 answer = AnswerStatus(
        [&]
        {
            CheckApplicationWide(window, one);
            if (!creator || zero != 0)
                ThrowInvalidArgument();
            CModalDialog::Run(creator);
            return kTrellisOK;
        });
    if (status)
        *status = answer;
    return answer;
}

u32 CTrellis::GetDocumentWindows(NSTrellis::IDocumentWindowListGetter* getter)
{
    return AnswerStatus(
        [&]
        {
            if (!getter)
                ThrowInvalidArgument();
            const auto windows = ListWindows<NSTrellis::IDocumentWindow>(kDocumentWindowProperty);
            return getter->SetDocumentWindows(windows.data(), u32(windows.size()));
        });
}

u32 CTrellis::GetModalDialogs(NSTrellis::IModalDialogListGetter* getter)
{
    return AnswerStatus(
        [&]
        {
            if (!getter)
                ThrowInvalidArgument();
            const auto dialogs = ListWindows<NSTrellis::IModalDialog>(kModalDialogProperty);
            return getter->SetModalDialogs(dialogs.data(), u32(dialogs.size()));
        });
}

u32 CTrellis::RunAlert(INativeWindow* window, u32 appModal, const TAlertDescriptor* alert,
                       NSTrellis::IAlertListener* listener)
{
    return AnswerStatus(
        [&]
        {
            CheckApplicationModal(window, appModal);
            if (!alert || !listener)
                ThrowInvalidArgument();
            const u32 buttonCount = CheckAlertDescriptor(*alert);
            const u32 answer =
                IsHeadless() ? AnswerAlertHeadless(*alert, buttonCount) : RunAlertDialog(*alert, buttonCount);
            return listener->AlertClosed(answer);
        });
}

NSTrellis::IView* CTrellis::CreateView(NSTrellis::IViewCreator* creator, NSTrellis::IView* parent,
                                       const char* name, u32* status)
{
    return AnswerObject(status,
                        [&]() -> NSTrellis::IView*
                        {
                            if (!creator || !parent || !name)
                                ThrowInvalidArgument();
                            u32 behaviorStatus = kTrellisLogicError;
                            NSTrellis::IViewBehavior* behavior = creator->CreateBehavior(&behaviorStatus);
                            if (behaviorStatus != kTrellisOK || !behavior)
                            {
                                if (behavior)
                                    behavior->Destroy();
                                ThrowTrellisFailure(behaviorStatus == kTrellisOK ? kTrellisLogicError
                                                                                 : behaviorStatus);
                            }
                            try
                            {
                                return CNativeView::Create(static_cast<CNativeView*>(parent)->GetWindow(),
                                                           name, behavior, false);
                            }
                            catch (...)
                            {
                                behavior->Destroy();
                                throw;
                            }
                        });
}

u32 CTrellis::InvalidateViewRect(NSTrellis::IView* view, const i32* rect)
{
    return AnswerStatus(
        [&]
        {
            if (!view || !rect)
                ThrowInvalidArgument();
            static_cast<CNativeView*>(view)->Invalidate(rect);
            return kTrellisOK;
        });
}

u32 CTrellis::RunDirectoryChooser(NSTrellis::IDirectoryChooserListener* listener, u32 tag,
                                  INativeWindow* window, u32 appModal, const u16* title)
{
    return AnswerStatus(
        [&]
        {
            CheckApplicationModal(window, appModal);
            if (!listener || !title)
                ThrowInvalidArgument();
            const std::optional<std::string> folder = IsHeadless() ? AnswerFolderChooserHeadless(tag, title)
                                                                   : RunDirectoryChooserDialog(tag, title);
            return folder ? listener->FolderChosen(folder->c_str()) : listener->ChooserCancelled();
        });
}

u32 CTrellis::GetPlatformServices(IPlatformServices** services)
{
    if (!services)
        return kTrellisInvalidArgument; // std::invalid_argument
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
    if (!interfaceName || std::strcmp(interfaceName, "ITrellis") != 0)
    {
        *status = kTrellisNoSuchInterface; // an interface this library does not have
        return nullptr;
    }
    return NSQuorral::FenceObject(kTrellisStatusMapping, status,
                                  []() -> ITrellis*
                                  {
                                      if (!NSTrellisLibrary::gTrellis)
                                          NSTrellisLibrary::gTrellis = new NSTrellisLibrary::CTrellis;
                                      return NSTrellisLibrary::gTrellis;
                                  });
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
