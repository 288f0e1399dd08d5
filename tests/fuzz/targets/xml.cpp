// The XML parser and writer: whatever parses is written and parses back to an equal tree. Outside
// "xml::space" "preserve" the dialect folds blanks in texts when it reads them, so such texts are
// compared folded: a line break a CDATA section kept reads back as a space.
#include "media/xml/XMLElement.h"
#include "media/xml/XMLParser.h"
#include "media/xml/XMLWriter.h"
#include "base/TextConversions.h"
#include "tests/fuzz/support/FuzzChecks.h"

using NSFerrant::CXMLElement;
using NSFerrant::TXMLElementList;

namespace
{
using NSTextPackage::TUTF16String;

TUTF16String FoldBlanks(const TUTF16String& text)
{
    TUTF16String folded;
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

bool SameTexts(const CXMLElement& left, const CXMLElement& right)
{
    if (left.GetXMLSpace() == NSTextPackage::ASCIIToUTF16("preserve", 0))
        return left.fText == right.fText;
    return FoldBlanks(left.fText) == FoldBlanks(right.fText);
}

// Line numbers are left out: the writer lays lines out its own way.
bool SameTrees(const TXMLElementList& a, const TXMLElementList& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        const CXMLElement& left = *a[i];
        const CXMLElement& right = *b[i];
        if (left.fName != right.fName || !SameTexts(left, right) ||
            left.fAttributes.size() != right.fAttributes.size() || !SameTrees(left.fChildren, right.fChildren))
            return false;
        for (size_t k = 0; k < left.fAttributes.size(); ++k)
            if (left.fAttributes[k]->fName != right.fAttributes[k]->fName ||
                left.fAttributes[k]->fValue != right.fAttributes[k]->fValue)
                return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const u8* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    TXMLElementList parsed;
    if (!NSFuzz::ReadsOrRefuses([&] { parsed = NSFerrant::ParseXMLDocument(text, text + size); }))
        return 0;
    const std::string written = NSFerrant::WriteXMLDocument(parsed);
    const TXMLElementList again = NSFerrant::ParseXMLDocument(written.data(), written.data() + written.size());
    NSFuzz::Require(SameTrees(parsed, again), "XML write and parse back");
    return 0;
}
