#pragma once
// KIV, our sliced-loop library, as its users see it: plain C exports over a whole loop file held
// in memory (the format is described in LoopFileFormat.txt beside this header). Every export that
// answers a result answers 1 for success, or a failure status of the KIV status table (base's
// LibraryStatusTables.h): kKIVDamagedFile, kKIVVersionTooNew for a file of a later format
// version, kKIVZeroLoop for a loop whose bars and beats are not set, kKIVOutOfMemory; a failure of another
// kind, such as a call before KIVInitializeDLL or a bad argument, travels as a failure code from
// 667 on. No exception leaves the library.
#include "base/Types.h"

namespace NSKIV
{
class CLoopFile;
}

// A loop opened by KIVCreate; it holds its own copy of the file's bytes.
using TKIVHandle = NSKIV::CLoopFile*;

// The loop's information, 36 bytes as it lies in memory.
struct TKIVInfo
{
    u32 fChannelCount; // 1 or 2
    u32 fSampleRate;   // Hz
    i32 fSliceCount;
    u32 fFrameCount; // of all slices together
    u32 fBarCount;
    u32 fBeatsPerBar;
    u32 fFormatVersion;
    u32 fBitsPerSample; // of the stored frames
    u32 fTempo;         // thousandths of a beat per minute
};
static_assert(sizeof(TKIVInfo) == 36);

// One slice, 8 bytes as it lies in memory.
struct TKIVSliceInfo
{
    u32 fFirstFrame; // where the slice starts in the loop
    u32 fFrameCount;
};
static_assert(sizeof(TKIVSliceInfo) == 8);

extern "C"
{
    // Makes the other calls available; calling it again changes nothing.
    i32 KIVInitializeDLL();
    // Ends what KIVInitializeDLL began: until it is called again every call but KIVDelete fails.
    void KIVUninitializeDLL();
    // The information of the loop file in buffer (size bytes); infoSize must be sizeof(TKIVInfo).
    i32 KIVGetInfoFromBuffer(i32 size, const void* buffer, i32 infoSize, TKIVInfo* info);
    // Opens the loop file in buffer; the handle keeps a copy, so the buffer may go at once. The
    // two reserved arguments must be null. On failure *handle is null.
    i32 KIVCreate(TKIVHandle* handle, const void* buffer, i32 size, void* reserved1, void* reserved2);
    i32 KIVGetInfo(TKIVHandle handle, i32 infoSize, TKIVInfo* info);
    // sliceInfoSize must be sizeof(TKIVSliceInfo).
    i32 KIVGetSliceInfo(TKIVHandle handle, i32 sliceIndex, i32 sliceInfoSize, TKIVSliceInfo* sliceInfo);
    // Renders the slice's frames as floats on the 24-bit integer scale (a stored 16-bit sample s
    // is s × 256): the first channel into buffers[0], the second into buffers[1] for a loop of
    // two channels (buffers[1] is not read for one). frameCount, the floats each buffer holds,
    // must be at least the slice's frame count.
    i32 KIVRenderSlice(TKIVHandle handle, i32 sliceIndex, i32 frameCount, float* buffers[2]);
    // Frees the loop and sets *handle to null; a null handle is left as it is.
    void KIVDelete(TKIVHandle* handle);
}
