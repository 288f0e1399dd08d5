#pragma once
// Writer of the program's XML dialect in a fixed layout that the parser reads back into the same
// tree: a declaration line, one tag or text per line, four spaces of indentation per level,
// CR LF line ends.
#include "media/xml/XMLElement.h"

#include <string>

namespace NSFerrant
{
// The UTF-8 bytes of the document made of the given top-level elements. A name or text that
// is not valid UTF-16 throws the text conversions' error.
std::string WriteXMLDocument(const TXMLElementList& elements);
} // namespace NSFerrant
