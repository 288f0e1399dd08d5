#pragma once
// Reader of the program's XML dialect: a "<?xml" declaration, elements with attributes, one
// text run per element (the text before its first child), the five named entities, numeric
// character references and one CDATA section per run; comments, processing instructions and a
// document type declaration are skipped.
#include "media/xml/XMLElement.h"

namespace NSFerrant
{
// Nesting deeper than this fails like any other malformed document, long before the stack runs out.
constexpr u32 kMaxXMLNestingDepth = 1024;

// Parses the UTF-8 bytes [begin, end) into the list of top-level elements (possibly none, possibly
// several: callers that need exactly one check it). A malformed document throws
// NSQuorral::XFormatViolation with the object type "xml_format", the integer property
// "line_number" and one text property naming the cause; malformed UTF-8 throws the text
// conversions' own error. A name holding a blank or a markup character, written or made by a
// reference, is malformed ("unexpected_char_error"), and so is an element name that starts like
// a comment, a document type, an instruction or a CDATA section, so every name the parser gives
// can be written back and read back the same.
TXMLElementList ParseXMLDocument(const char* begin, const char* end);
} // namespace NSFerrant
