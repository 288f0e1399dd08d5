#include "filelib/FileLibAccess.h"

#include "base/FileLibStatus.h"
#include "base/Quorral.h"

using namespace NSQuorral;

namespace NSFileLibSupport
{
NSFileLib::IFileLib* gFileLib = nullptr;

namespace
{
TFileLibFactory gFactory = &FileLib_Create;

void DestroyLibrary()
{
    delete gFileLib;
    gFileLib = nullptr;
}
} // namespace

TFileLibFactory SetFileLibFactory(TFileLibFactory factory)
{
    TFileLibFactory previous = gFactory;
    gFactory = factory;
    return previous;
}

NSFileLib::IFileLib* GetFileLib()
{
    if (gFileLib != nullptr)
        return gFileLib;
    try
    {
        u32 status = NSFileLib::kFileLibOK;
        // Kept at once, so that the handler below destroys an object that came with a failure.
        gFileLib = gFactory("IFileLib", &status);
        ThrowIfFileLibError(status);
        if (gFileLib == nullptr)
            NSQuorral::Throw<NSQuorral::XInvariantCorrupt>();
    }
    catch (...)
    {
        DestroyLibrary();
        NSQuorral::Throw<NSQuorral::XOpen>("Failed to open File support library", "dll");
    }
    return gFileLib;
}
} // namespace NSFileLibSupport
