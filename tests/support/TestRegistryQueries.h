#pragma once
// Questions the tests ask of a self-test registry.
#include "base/TestPackage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace NSTestSupport
{
// The suites' names in the registry's sorted order.
inline std::vector<std::string> SuiteNames(const NSTestPackage::TTestRegistry& registry)
{
    std::vector<std::string> names;
    for (const NSTestPackage::CTestSuite* suite : registry.fSortedSuites)
        names.push_back(suite->fName);
    return names;
}

// The suite of that exact name, or null.
inline const NSTestPackage::CTestSuite* FindSuite(const NSTestPackage::TTestRegistry& registry,
                                                   const std::string& name)
{
    const auto found =
        std::find_if(registry.fSortedSuites.begin(), registry.fSortedSuites.end(),
                     [&](const NSTestPackage::CTestSuite* suite) { return suite->fName == name; });
    return found == registry.fSortedSuites.end() ? nullptr : *found;
}
} // namespace NSTestSupport
