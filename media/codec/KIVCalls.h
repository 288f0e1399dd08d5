#pragma once
// The program's calls into the KIV loop library go through one replaceable table, so that tests
// can make the library fail where ours never does (an initialisation that fails, a failure
// between two calls on one handle) and count the calls.
// The members carry the export names and exact signatures of the calls they stand for.
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

// The table in use: the library's own exports unless a test has installed others.
const TKIVCalls& KIVCalls();

// The library's own exports, for a test table that changes only some of them.
const TKIVCalls& RealKIVCalls();

// Puts a table in place for its lifetime and then restores the one it replaced.
class CKIVCallsOverride
{
public:
    explicit CKIVCallsOverride(const TKIVCalls& calls);
    ~CKIVCallsOverride();
    CKIVCallsOverride(const CKIVCallsOverride&) = delete;
    CKIVCallsOverride& operator=(const CKIVCallsOverride&) = delete;

private:
    TKIVCalls fCalls;
    const TKIVCalls* fReplaced;
};
