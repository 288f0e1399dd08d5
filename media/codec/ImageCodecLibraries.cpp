#include "media/codec/ImageCodecLibraries.h"

#include "base/LibraryStatusTables.h"
#include "base/Throw.h"
#include "dlls/glisk/Glisk.h"
#include "dlls/oriel/Oriel.h"
#include "base/Media.h"
#include "media/codec/ImageCodecCallbacks.h"

namespace NSFerrant
{
namespace
{
// One library interface, made by the first decode and released when the program ends. A failed
// creation leaves nothing behind: the holder's static is not made and the next decode tries again.
template <class TInterface> class CLibraryInterface
{
public:
    CLibraryInterface(TInterface* (*create)(const char*, u32*), const char* name, u32 success,
                      void (*throwFailure)(u32, const NSQuorral::TThrowSite&))
    {
        u32 status = success;
        fInterface = create(name, &status);
        if (status != success)
        {
            if (fInterface)
                fInterface->Release();
            throwFailure(status, NSQuorral::TThrowSite{});
        }
        if (!fInterface)
            NSQuorral::Throw<NSQuorral::XInvariantCorrupt>();
    }
    ~CLibraryInterface() { fInterface->Release(); }
    CLibraryInterface(const CLibraryInterface&) = delete;
    CLibraryInterface& operator=(const CLibraryInterface&) = delete;

    TInterface& Get() const { return *fInterface; }

private:
    TInterface* fInterface;
};

IOriel& GetOrielInterface()
{
    static const CLibraryInterface<IOriel> library(Oriel_Create, "IOriel", kOrielOK, ThrowOrielFailure);
    return library.Get();
}

IGlisk& GetGliskInterface()
{
    static const CLibraryInterface<IGlisk> library(Glisk_Create, "IGlisk", kGliskOK, ThrowGliskFailure);
    return library.Get();
}

// The image fills the source from its position to its end.
template <class TCallbacks, class TInterface>
void DecodeThrough(TInterface& library, CMedia& source, CABCScanLineWriter& writer, u32 success,
                   void (*throwFailure)(u32, const NSQuorral::TThrowSite&))
{
    CImageMediaByteReader<TCallbacks> reader(source);
    CScanLineWriterPixelWriter<TCallbacks> pixelWriter(writer);
    const u32 status = library.Decode(&reader, source.GetSize() - source.fPosition, &pixelWriter);
    if (status != success)
        throwFailure(status, NSQuorral::TThrowSite{});
}
} // namespace

void COriel::Decode(CMedia& source, CABCScanLineWriter& writer)
{
    DecodeThrough<TOrielCallbacks>(GetOrielInterface(), source, writer, kOrielOK, ThrowOrielFailure);
}

void CGlisk::Decode(CMedia& source, CABCScanLineWriter& writer)
{
    DecodeThrough<TGliskCallbacks>(GetGliskInterface(), source, writer, kGliskOK, ThrowGliskFailure);
}

COriel& GetOriel()
{
    static COriel oriel;
    return oriel;
}

CGlisk& GetGlisk()
{
    static CGlisk glisk;
    return glisk;
}
} // namespace NSFerrant
