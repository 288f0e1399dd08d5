#include "media/codec/KIVCalls.h"

template <>
const TKIVCalls TCallTable<TKIVCalls>::kReal = {
    &::KIVInitializeDLL, &::KIVUninitializeDLL, &::KIVGetInfoFromBuffer, &::KIVCreate,
    &::KIVGetInfo,       &::KIVGetSliceInfo,    &::KIVRenderSlice,       &::KIVDelete,
};
