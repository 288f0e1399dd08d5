#pragma once
// Records that a long listing hands to its progress listener.
#include "base/Types.h"
#include "base/UTF16String.h"

namespace NSFerrant
{
class CABCProgressInfo
{
public:
    virtual ~CABCProgressInfo() = default;
};

class CSimpleProgressInfo : public CABCProgressInfo
{
public:
    // Completion in thousandths: item index × 1000 / item count, so below 1000 for the last item.
    u32 fProgress = 0;
    // What is being done, for example "Scanning contents of ^0" expanded.
    NSTextPackage::TUTF16String fMessage;
    // The label of the control that stops the work.
    NSTextPackage::TUTF16String fStopText;
};
} // namespace NSFerrant
