#pragma once
// The base of the records the program reads from and writes into host documents (sample
// references, device and patch descriptions).
namespace NSFerrant
{
class CMedia;

class CABCFormat
{
public:
    virtual ~CABCFormat() = default;
    // Writes the record at the media's position, which advances.
    virtual void Write(CMedia& media) const = 0;

protected:
    CABCFormat() = default;
    CABCFormat(const CABCFormat&) = default;
    CABCFormat& operator=(const CABCFormat&) = default;
};
} // namespace NSFerrant
