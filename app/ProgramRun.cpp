#include "app/ProgramRun.h"

#include "app/ExitCode.h"
#include "app/Preferences.h"
#include "app/StartupBlock.h"
#include "app/StartupFailure.h"
#include "app/VantlePacker.h"
#include "base/CodeModule.h"
#include "base/FileLibStatus.h"
#include "base/GroupedNumbers.h"
#include "base/LibraryStatusTables.h"
#include "base/ObjectTypeTables.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"
#include "filelib/FileLibAccess.h"
#include "gui/SprocketInterface.h"
#include "gui/TinctInterface.h"
#include "gui/TrellisInterface.h"
#include "media/codec/AudioCodecLibraries.h"

#include <new>

#include <objbase.h>

using NSTextPackage::TUTF16String;

namespace NSVantleApp
{
namespace
{
void ThrowOutOfMemory()
{
    NSQuorral::Throw<std::bad_alloc>();
}

// COM for the thread while the object lives, when it could be had.
class CComUse
{
public:
    CComUse()
    {
        if (FAILED(CoInitialize(nullptr)))
            NSQuorral::Throw<std::exception>();
        fInitialised = true;
    }
    ~CComUse()
    {
        if (fInitialised)
            CoUninitialize();
    }
    CComUse(const CComUse&) = delete;
    CComUse& operator=(const CComUse&) = delete;

private:
    bool fInitialised = false;
};

// The GUI library runs the application object until the program quits; it destroys the object
// itself at the end of every run, a failed one included.
void RunApplication(HINSTANCE instance, const std::string& commandLine)
{
    NSTextPackage::InstallGroupingLocale();
    std::set_new_handler(&ThrowOutOfMemory);
    const auto module = MakeProgramCodeModule(instance);
    MakeRunLibraries();
    ParseCommandLineMode(commandLine);
    TUTF16String displayName = GetApplicationName();
    if (GetRunMode() != kRunModeNormal)
        displayName = NSTextPackage::ASCIIToUTF16("Setup ", 0) + displayName;
    const TTrellisStartupBlock block = MakeStartupBlock(displayName);
    const u32 status = GetTrellisInterface()->Run(NSTrellisGlue::NewRunBehaviour<CVantlePacker>(), &block);
    if (status != kTrellisOK)
        ThrowTrellisFailure(status);
}

// Each only when it was made, in this order.
void ReleaseLibraries()
{
    ReleaseCorliss();
    ReleaseUndine();
    delete NSFileLibSupport::gFileLib;
    NSFileLibSupport::gFileLib = nullptr;
    ReleaseTrellisInterface();
    ReleaseSprocketInterface();
    ReleaseTinct();
}
} // namespace

std::unique_ptr<NSFerrant::CApplicationTarget> MakeProgramCodeModule(HINSTANCE instance)
{
    u16 fileName[NSFileLib::kFileLibNameBufferUnits] = {};
    u32 status = NSFileLib::kFileLibNotSet;
    NSFileLibSupport::TDirSpecPtr folder(
        NSFileLibSupport::GetFileLib()->GetApplicationDirectory(fileName, &status));
    NSFileLibSupport::ThrowIfFileLibError(status);
    return std::make_unique<NSFerrant::CApplicationTarget>(
        NSFerrant::TCodeModuleInfo(folder, TUTF16String(fileName), GetApplicationName(), instance));
}

void MakeRunLibraries(TSystemGatherer gather)
{
    CreateTrellisInterface();
    GetSystemDescription(gather);
    CreateSprocketInterface(GetTrellisInterface());
}

u32 GetProgramExitCode(ERunMode mode, bool fatalReportShown)
{
    if (mode != kRunModeNormal)
        return GetExitCode();
    return fatalReportShown ? kExitCodeFailed : kExitCodeDone;
}

u32 RunProgram(HINSTANCE instance, const std::string& commandLine)
{
    NSQuorral::RegisterApplicationObjectTypeTable(NSQuorral::GetApplicationObjectTypeTable());
    bool reported = false;
    {
        std::unique_ptr<CComUse> com;
        try
        {
            com = std::make_unique<CComUse>();
            RunApplication(instance, commandLine);
        }
        catch (...)
        {
            reported = ReportStartupFailure();
        }
        ReleaseLibraries();
    }
    return GetProgramExitCode(GetRunMode(), reported);
}
} // namespace NSVantleApp
