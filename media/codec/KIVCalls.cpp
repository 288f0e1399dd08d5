#include "media/codec/KIVCalls.h"

namespace
{
const TKIVCalls kRealCalls = {
    &::KIVInitializeDLL, &::KIVUninitializeDLL, &::KIVGetInfoFromBuffer, &::KIVCreate,
    &::KIVGetInfo,       &::KIVGetSliceInfo,    &::KIVRenderSlice,       &::KIVDelete,
};

const TKIVCalls* gCurrentCalls = &kRealCalls;
} // namespace

const TKIVCalls& KIVCalls()
{
    return *gCurrentCalls;
}

const TKIVCalls& RealKIVCalls()
{
    return kRealCalls;
}

CKIVCallsOverride::CKIVCallsOverride(const TKIVCalls& calls) : fCalls(calls), fReplaced(gCurrentCalls)
{
    gCurrentCalls = &fCalls;
}

CKIVCallsOverride::~CKIVCallsOverride()
{
    gCurrentCalls = fReplaced;
}
