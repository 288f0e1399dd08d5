#pragma once
// A KIV loop file as the library reads it. Nothing of a file is trusted: its counts and sizes
// are checked against the bytes it has before anything is read at an offset or allocated.
#include "dlls/kiv/KIV.h"

#include <cstddef>
#include <vector>

namespace NSKIV
{
// Where a checked file's parts lie.
struct TLoopLayout
{
    TKIVInfo fInfo;
    std::vector<TKIVSliceInfo> fSlices;
    size_t fFramesOffset; // of the first slice's first frame
};

// Checks a whole file (see LoopFileFormat.txt): XFormatViolation ("kiv_file") for a damaged
// one, XVersionTooNew ("kiv_file") for a later version, XUnsupportedFormat
// ("kiv_file_zeroloop") for a loop without bars or beats.
TLoopLayout ReadLoopLayout(const u8* bytes, size_t size);

// An opened loop: its layout and a copy of its frames.
class CLoopFile
{
public:
    CLoopFile(const u8* bytes, size_t size);

    const TKIVInfo& GetInfo() const { return fLayout.fInfo; }
    // std::invalid_argument for an index outside the slices.
    const TKIVSliceInfo& GetSliceInfo(i32 index) const;
    // Deinterleaves the slice's frames into the channels' buffers (see KIVRenderSlice);
    // std::invalid_argument for a missing buffer or one shorter than the slice.
    void RenderSlice(i32 index, i32 frameCount, float* const buffers[2]) const;

private:
    TLoopLayout fLayout;
    std::vector<u8> fFrames;
};
} // namespace NSKIV
