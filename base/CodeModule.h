#pragma once
// The running program as one code module: the folder and file name of its executable, its display
// name and its instance handle. The entry point registers the module once; everything that needs
// the program's own name, file or instance (resources above all) reads that registration.
#include "base/UTF16String.h"

#include <memory>

#include <windows.h>

namespace NSFileLib
{
class IDirSpec;
}

namespace NSFerrant
{
struct TCodeModuleInfo
{
    TCodeModuleInfo(std::shared_ptr<NSFileLib::IDirSpec> moduleFolder, const NSTextPackage::TUTF16String& fileName,
                    const NSTextPackage::TUTF16String& name, HINSTANCE instance);

    std::shared_ptr<NSFileLib::IDirSpec> fModuleFolder; // the folder that holds the module file
    NSTextPackage::TUTF16String fFileName;              // the module file's name inside it
    NSTextPackage::TUTF16String fName;                  // display name ("Vantle Packer")
    HINSTANCE fInstance;
};

class CABCCodeModule
{
public:
    // Becomes the current code module unless one is registered already.
    explicit CABCCodeModule(const TCodeModuleInfo& info);
    CABCCodeModule(const CABCCodeModule&) = delete;
    CABCCodeModule& operator=(const CABCCodeModule&) = delete;
    // Clears the registration, whichever module holds it.
    virtual ~CABCCodeModule();

    TCodeModuleInfo fInfo;
};

// The application's module; the entry point builds one on its stack for the whole run.
class CApplicationTarget : public CABCCodeModule
{
public:
    using CABCCodeModule::CABCCodeModule;
};

// The registered module, or null before the entry point built it and after it ended.
CABCCodeModule* GetCurrentCodeModule();
// A copy of the current module's display name.
NSTextPackage::TUTF16String GetCodeModuleName();
} // namespace NSFerrant
