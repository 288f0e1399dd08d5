#pragma once
// Shared by the content model's tests: the root names a test installs in place of the item
// database's, and UTF-16 texts of the things under test.
#include "base/HashedString.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "content/references/ContentRootNames.h"
#include "content/references/PathComponents.h"
#include "media/xml/XMLParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CTestRootNames : public IContentRootNames
{
public:
    NSTextPackage::TUTF16String GetDatabaseRootName() const override
    {
        return NSTextPackage::UTF8ToUTF16("Vantles");
    }
    NSTextPackage::TUTF16String GetDesktopName() const override
    {
        return NSTextPackage::UTF8ToUTF16("Desktop");
    }
};

// A test with the root names installed.
class RootNamesTest : public ::testing::Test
{
private:
    CTestRootNames fNames;
    CInstalledContentRootNames fInstalled{fNames};
};

inline NSTextPackage::TUTF16String U(const std::string& utf8)
{
    return NSTextPackage::UTF8ToUTF16(utf8);
}

inline std::string UTF8Of(const NSTextPackage::TUTF16String& text)
{
    return NSTextPackage::UTF16ToUTF8(text);
}

inline std::string UTF8Of(const THashedString& name)
{
    return UTF8Of(name.GetText());
}

inline std::vector<std::string> TextsOf(const TPathComponents& components)
{
    std::vector<std::string> texts;
    for (const THashedString& component : components)
        texts.push_back(UTF8Of(component));
    return texts;
}

inline TPathComponents ComponentsOf(const std::vector<std::string>& texts)
{
    TPathComponents components;
    for (const std::string& text : texts)
        components.push_back(THashedString(U(text)));
    return components;
}

// The what() text of the TException the action throws; a failure when it throws nothing or
// another class.
template <class TException, class TAction> std::string MessageThrown(TAction&& action)
{
    try
    {
        action();
    }
    catch (const TException& e)
    {
        return e.what();
    }
    catch (...)
    {
        ADD_FAILURE() << "threw another class";
        return "<another class>";
    }
    ADD_FAILURE() << "nothing thrown";
    return "<nothing thrown>";
}

// The one element of an XML fragment, parsed after a declaration.
inline std::shared_ptr<NSFerrant::CXMLElement> ParseElement(const std::string& fragment)
{
    const std::string document = "<?xml version=\"1.0\"?>" + fragment;
    NSFerrant::TXMLElementList elements =
        NSFerrant::ParseXMLDocument(document.data(), document.data() + document.size());
    EXPECT_EQ(elements.size(), 1u);
    return elements.empty() ? nullptr : elements.front();
}
