#pragma once
// The process-wide interfaces of the AIFF (Corliss) and WAVE (Undine) codec libraries, and the
// bridging between their statuses and the program's exceptions. The two libraries answer the
// same status table, so each bridging operation is one function under both names.
#include "dlls/audiocodec/AudioCodecStatus.h"
#include "dlls/corliss/Corliss.h"
#include "dlls/undine/Undine.h"

constexpr u32 kCorlissOK = NSAudioCodec::kAudioCodecOK;
constexpr u32 kUndineOK = NSAudioCodec::kAudioCodecOK;

// Created on first use; a failed creation releases whatever it made and throws the status.
ICorliss& GetCorliss();
IUndine& GetUndine();
// Detach the debugger and release the interface; the program's shut-down calls both, the AIFF
// one first. Nothing happens when there is no interface.
void ReleaseCorliss();
void ReleaseUndine();

// Return for kAudioCodecOK, else throw the status's exception.
inline void ThrowIfCorlissFailure(u32 status)
{
    ThrowIfAudioCodecFailure(status);
}
inline void ThrowIfUndineFailure(u32 status)
{
    ThrowIfAudioCodecFailure(status);
}
// Inside a callback's catch-all handler: the status to answer the library.
inline u32 CorlissStatusFromCurrentException()
{
    return AudioCodecStatusFromCurrentException();
}
inline u32 UndineStatusFromCurrentException()
{
    return AudioCodecStatusFromCurrentException();
}

// What the shared adapter code needs to know of each library.
struct TCorlissLibrary
{
    using TChunkLocation = NSCorliss::TChunkLocation;
    static ICorliss& Get() { return GetCorliss(); }
};
struct TUndineLibrary
{
    using TChunkLocation = NSUndine::TChunkLocation;
    static IUndine& Get() { return GetUndine(); }
};
