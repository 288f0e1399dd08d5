#include "media/codec/CheckingScanLineWriter.h"

#include "base/Throw.h"

namespace NSFerrant
{
void CCheckingScanLineWriter::MakeTarget(u32 width, u32 height)
{
    fBegun = true;
    fWidth = width;
    fHeight = height;
}

void CCheckingScanLineWriter::CheckRow(u32 row, u32 count) const
{
    if (!fBegun)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    if (row >= fHeight || count > fWidth)
        NSQuorral::Throw<NSQuorral::XFormatViolation>();
}

void CCheckingScanLineWriter::WriteRowRGB(u32 row, u32 count, const u8*)
{
    CheckRow(row, count);
}

void CCheckingScanLineWriter::WriteRowBGR(u32 row, u32 count, const u8*)
{
    CheckRow(row, count);
}

void CCheckingScanLineWriter::WriteRowRGBA(u32 row, u32 count, const u8*)
{
    CheckRow(row, count);
}

void CCheckingScanLineWriter::WriteRowARGB(u32 row, u32 count, const u8*)
{
    CheckRow(row, count);
}

void CCheckingScanLineWriter::WriteRowBGRA(u32 row, u32 count, const u8*)
{
    CheckRow(row, count);
}
} // namespace NSFerrant
