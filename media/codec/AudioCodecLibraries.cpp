#include "media/codec/AudioCodecLibraries.h"

#include <mutex>

namespace
{
// Samples are coded on several threads at once; the interfaces themselves keep no state between
// calls, only their creation and release take the lock.
std::mutex gLibraryLock;
ICorliss* gCorliss = nullptr;
IUndine* gUndine = nullptr;

// With the lock held.
template <class TInterface>
void ReleaseHeldLibrary(TInterface*& library)
{
    if (!library)
        return;
    library->SetDebugger(nullptr);
    library->Release();
    library = nullptr;
}

template <class TInterface, class TCreate>
TInterface& GetLibrary(TInterface*& library, TCreate create, const char* name)
{
    const std::lock_guard<std::mutex> lock(gLibraryLock);
    if (library)
        return *library;
    try
    {
        u32 status = NSAudioCodec::kAudioCodecOK;
        library = create(name, &status);
        ThrowIfAudioCodecFailure(status);
        if (!library)
            ThrowIfAudioCodecFailure(NSAudioCodec::kAudioCodecInvariantCorrupt);
        return *library;
    }
    catch (...)
    {
        ReleaseHeldLibrary(library);
        throw;
    }
}

template <class TInterface>
void ReleaseLibrary(TInterface*& library)
{
    const std::lock_guard<std::mutex> lock(gLibraryLock);
    ReleaseHeldLibrary(library);
}
} // namespace

ICorliss& GetCorliss()
{
    return GetLibrary(gCorliss, Corliss_Create, "ICorliss");
}

// A failed creation is released here as well, so no half-made interface stays behind.
IUndine& GetUndine()
{
    return GetLibrary(gUndine, Undine_Create, "IUndine");
}

void ReleaseCorliss()
{
    ReleaseLibrary(gCorliss);
}

void ReleaseUndine()
{
    ReleaseLibrary(gUndine);
}
