#include "media/codec/ImageLib.h"

#include "base/ThrowPlain.h"

namespace NSFerrant
{
void CABCScanLineWriter::Begin(u32 width, u32 height)
{
    if (fBegun)
        NSQuorral::ThrowPlain<NSQuorral::XIllegalCallSequence>();
    MakeTarget(width, height);
    fBegun = true;
    fRowPixelCount = width;
}
} // namespace NSFerrant
