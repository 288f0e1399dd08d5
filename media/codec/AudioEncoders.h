#pragma once
// The encoders that turn an AIFF or WAVE sample into a KORB stream through the codec libraries.
#include "media/codec/KORBHeader.h"

namespace NSFerrant
{
class CMedia;
struct TSampleInfo;
} // namespace NSFerrant

// The header of a sample coded at bits (16 or 24): its pitch when the info gives one (else key 60,
// fine tune 0); the loop only when it is the stored kind (else loop mode 0 over all frames). A
// channel count other than 1 or 2 is XFormatViolation.
TKORBHeader MakeKORBHeader(const NSFerrant::TSampleInfo& info, u8 bits);

// Write a complete stream for the sample held in the source, from the destination's position:
// header, code words (8- and 16-bit sources at 16 bits, 20- to 24-bit sources at 24) and, when
// the source carries a tempo map that loads, its "KoTM" trailer block. A source the library or
// the codec cannot take throws; the destination then holds what was written before.
void EncodeAIFFToKORB(NSFerrant::CMedia& source, NSFerrant::CMedia& destination);
void EncodeWAVEToKORB(NSFerrant::CMedia& source, NSFerrant::CMedia& destination);
