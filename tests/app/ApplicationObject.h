#pragma once
// An application object for one test, made and destroyed as the GUI library makes and destroys
// it, with preferences of the tests' own company so that the program's own file stays untouched.
#include "app/Preferences.h"
#include "app/VantlePacker.h"

#include <memory>

namespace NSAppTests
{
// The tests' company folder in the per-user application data.
NSTextPackage::TUTF16String GetTestCompany();

struct SDestroyApplication
{
    void operator()(NSVantleApp::CVantlePacker* application) const { application->Destroy(); }
};
using TApplicationPtr = std::unique_ptr<NSVantleApp::CVantlePacker, SDestroyApplication>;

// The running application object, holding default preferences of the tests' company.
TApplicationPtr MakeApplication();
} // namespace NSAppTests
