#include "media/codec/AudioCodecLibraries.h"

namespace
{
// Single-threaded program: the pointers take no lock.
ICorliss* gCorliss = nullptr;
IUndine* gUndine = nullptr;

template <class TInterface, class TCreate>
TInterface& GetLibrary(TInterface*& library, TCreate create, const char* name, void (*release)())
{
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
        release();
        throw;
    }
}

template <class TInterface>
void ReleaseLibrary(TInterface*& library)
{
    if (!library)
        return;
    library->SetDebugger(nullptr);
    library->Release();
    library = nullptr;
}
} // namespace

ICorliss& GetCorliss()
{
    return GetLibrary(gCorliss, Corliss_Create, "ICorliss", ReleaseCorliss);
}

// A failed creation is released here as well, so no half-made interface stays behind.
IUndine& GetUndine()
{
    return GetLibrary(gUndine, Undine_Create, "IUndine", ReleaseUndine);
}

void ReleaseCorliss()
{
    ReleaseLibrary(gCorliss);
}

void ReleaseUndine()
{
    ReleaseLibrary(gUndine);
}
