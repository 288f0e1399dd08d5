#pragma once
// Equality of XML trees as the dialect reads them back. Outside "xml::space" "preserve" the parser
// folds blanks in texts when it reads them, so such texts are compared folded: a line break a
// CDATA section kept reads back as a space.
#include "base/TextConversions.h"
#include "media/xml/XMLElement.h"

namespace NSFuzz
{
inline NSTextPackage::TUTF16String FoldBlanks(const NSTextPackage::TUTF16String& text)
{
    NSTextPackage::TUTF16String folded;
    for (u16 unit : text)
    {
        if (unit == '\t' || unit == '\r' || unit == '\n')
            unit = ' ';
        if (unit != ' ' || (!folded.empty() && folded.back() != ' '))
            folded.push_back(unit);
    }
    while (!folded.empty() && folded.back() == ' ')
        folded.pop_back();
    return folded;
}

inline bool SameTexts(const NSFerrant::CXMLElement& left, const NSFerrant::CXMLElement& right)
{
    if (left.GetXMLSpace() == NSTextPackage::ASCIIToUTF16("preserve", 0))
        return left.fText == right.fText;
    return FoldBlanks(left.fText) == FoldBlanks(right.fText);
}

// Line numbers are left out: the writer lays lines out its own way.
inline bool SameTrees(const NSFerrant::TXMLElementList& a, const NSFerrant::TXMLElementList& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        const NSFerrant::CXMLElement& left = *a[i];
        const NSFerrant::CXMLElement& right = *b[i];
        if (left.fName != right.fName || !SameTexts(left, right) ||
            left.fAttributes.size() != right.fAttributes.size() ||
            !SameTrees(left.fChildren, right.fChildren))
            return false;
        for (size_t k = 0; k < left.fAttributes.size(); ++k)
            if (left.fAttributes[k]->fName != right.fAttributes[k]->fName ||
                left.fAttributes[k]->fValue != right.fAttributes[k]->fValue)
                return false;
    }
    return true;
}
} // namespace NSFuzz
