#include "base/CodeModule.h"

#include "base/Quorral.h"

#include <utility>

namespace NSFerrant
{
namespace
{
// One thread reads and writes it; no lock.
CABCCodeModule* gCurrentCodeModule = nullptr;
} // namespace

TCodeModuleInfo::TCodeModuleInfo(std::shared_ptr<NSFileLib::IDirSpec> moduleFolder,
                                 const NSTextPackage::TUTF16String& fileName,
                                 const NSTextPackage::TUTF16String& name, HINSTANCE instance)
    : fModuleFolder(std::move(moduleFolder)), fFileName(fileName), fName(name), fInstance(instance)
{
}

CABCCodeModule::CABCCodeModule(const TCodeModuleInfo& info) : fInfo(info)
{
    if (!gCurrentCodeModule)
        gCurrentCodeModule = this;
}

CABCCodeModule::~CABCCodeModule()
{
    gCurrentCodeModule = nullptr;
}

CABCCodeModule* GetCurrentCodeModule()
{
    return gCurrentCodeModule;
}

NSTextPackage::TUTF16String GetCodeModuleName()
{
    const CABCCodeModule* module = GetCurrentCodeModule();
    if (!module)
        NSQuorral::Throw<NSQuorral::XIllegalCallSequence>();
    return module->fInfo.fName;
}
} // namespace NSFerrant
