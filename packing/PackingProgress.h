#pragma once
// What the pack phases report while they run. The object may be absent (null): the phases then
// report nothing. Each operation may throw XSilentAbort when the user has asked to stop; the
// phases let it pass, and EndPhase(3) may also end the pack with XAbort after failed or
// unresolved entries.
#include "base/Types.h"
#include "base/UTF16String.h"

#include <memory>

class CPackJob;
class CSourceNode;
using TPackJobHandle = std::unique_ptr<CPackJob>;

namespace NSVantlePacking
{
// Phases are numbered 0 to 8; kNoPhase means none.
constexpr u32 kNoPhase = 9;

class IVantlePackingProgress
{
public:
    // count: the number of items the phase will report.
    virtual void BeginPhase(TPackJobHandle& job, u32 phase, u64 count) = 0;
    // index: the items of the phase already done. entry names a source file; text names an entry
    // that is none (a path inside the finished package) and is empty otherwise.
    virtual void Item(TPackJobHandle& job, u64 index, const CSourceNode* entry,
                      const NSTextPackage::TUTF16String& text) = 0;
    virtual void EndPhase(TPackJobHandle& job, u32 phase) = 0;

protected:
    // Its creator destroys it; the phases never do.
    ~IVantlePackingProgress() = default;
};
} // namespace NSVantlePacking
