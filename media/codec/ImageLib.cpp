#include "media/codec/ImageLib.h"

#include "base/Throw.h"

namespace NSFerrant
{
void CABCScanLineWriter::Begin(u32 width, u32 height)
{
    if (fBegun)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    MakeTarget(width, height);
    fBegun = true;
    fRowPixelCount = width;
}
} // namespace NSFerrant
