#pragma once
// The program's calls into the KIV loop library go through one replaceable table, so that tests
// can make the library fail where ours never does (an initialisation that fails, a failure
// between two calls on one handle) and count the calls.
// The members carry the export names and exact signatures of the calls they stand for.
#include "base/CallTable.h"
#include "dlls/kiv/KIV.h"

struct TKIVCalls
{
    decltype(&::KIVInitializeDLL) KIVInitializeDLL;
    decltype(&::KIVUninitializeDLL) KIVUninitializeDLL;
    decltype(&::KIVGetInfoFromBuffer) KIVGetInfoFromBuffer;
    decltype(&::KIVCreate) KIVCreate;
    decltype(&::KIVGetInfo) KIVGetInfo;
    decltype(&::KIVGetSliceInfo) KIVGetSliceInfo;
    decltype(&::KIVRenderSlice) KIVRenderSlice;
    decltype(&::KIVDelete) KIVDelete;
};

template <> const TKIVCalls TCallTable<TKIVCalls>::kReal;

// The table in use: the library's own exports unless a test has installed others.
inline const TKIVCalls& KIVCalls()
{
    return *TCallTable<TKIVCalls>::sCurrent;
}

// The library's own exports, for a test table that changes only some of them.
inline const TKIVCalls& RealKIVCalls()
{
    return TCallTable<TKIVCalls>::kReal;
}

using CKIVCallsOverride = CCallTableOverride<TKIVCalls>;
