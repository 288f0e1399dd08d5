// The status boundary of the library: object and argument checks, presets, and the mapping of
// whatever the backend throws to a status.
#include "filelib/FileLibGlue.h"
#include "filelib/GlueFence.h"
#include "filelib/SpecGlue.h"
#include "tests/filelib/FileLibTestFolder.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>

using namespace NSFileLib;
using namespace NSFileLibInternals;

namespace
{
// Rows of the file library's status table.

// Objects of this library that fail their validity check.
class CInvalidFileLib : public CFileLibGlue
{
public:
    u32 IsValid() override { return 0; }
};

class CInvalidDirSpec : public CDirSpecGlue
{
public:
    using CDirSpecGlue::CDirSpecGlue;
    u32 IsValid() override { return 0; }
};

class CInvalidFileSpec : public CFileSpecGlue
{
public:
    using CFileSpecGlue::CFileSpecGlue;
    u32 IsValid() override { return 0; }
};

class CInvalidVolumeSpec : public CVolumeSpecGlue
{
public:
    using CVolumeSpecGlue::CVolumeSpecGlue;
    u32 IsValid() override { return 0; }
};

// Specifications of another origin: valid by their own word, but not made by this library.
class CForeignDirSpec : public IDirSpec
{
public:
    TFileLibStatus GetName(u16*) override { return kFileLibOK; }
    IDirSpec* Clone(u32*) override { return nullptr; }
    TFileLibStatus IsEqual(IDirSpec*, u32*) override { return kFileLibOK; }
    u32 IsValid() override { return 1; }
};

class CForeignFileSpec : public IFileSpec
{
public:
    TFileLibStatus GetName(u16*) override { return kFileLibOK; }
    IFileSpec* Clone(u32*) override { return nullptr; }
    TFileLibStatus IsEqual(IFileSpec*, u32*) override { return kFileLibOK; }
    u32 IsValid() override { return 1; }
};

class CForeignVolumeSpec : public IVolumeSpec
{
public:
    IVolumeSpec* Clone(u32*) override { return nullptr; }
    TFileLibStatus IsEqual(IVolumeSpec*, u32*) override { return kFileLibOK; }
    u32 IsValid() override { return 1; }
};

struct TSpecs
{
    IDirSpec* folder;
    IFileSpec* file;
    IVolumeSpec* volume;
};

// What an operation answered: its status, and whether it handed out an object.
struct TAnswer
{
    u32 status;
    bool made;
};

template <class TCall> TAnswer Make(TCall call)
{
    u32 status = 0;
    auto* object = call(&status);
    const bool made = object != nullptr;
    delete object;
    return {status, made};
}

TAnswer Status(u32 status)
{
    return {status, false};
}

const u16 kName[] = {'x', 0};
const u16 kList[] = {'.', 't', 'x', 't', 0};

struct Case
{
    const char* operation;
    bool takesSpecification;
    std::function<TAnswer(IFileLib&, const TSpecs&)> call;
};

const Case kCases[] = {
    {"InterpretURL", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 name[kFileLibNameBufferUnits];
         return Make([&](u32* s) { return lib.InterpretURL("file://C:/x", name, s); });
     }},
    {"GetFileURL", true,
     [](IFileLib& lib, const TSpecs& specs) {
         char url[kFileLibURLBufferBytes];
         return Status(lib.GetFileURL(specs.file, url));
     }},
    {"GetDirURL", true,
     [](IFileLib& lib, const TSpecs& specs) {
         char url[kFileLibURLBufferBytes];
         return Status(lib.GetDirURL(specs.folder, url));
     }},
    {"DoesFileHaveExtension", true,
     [](IFileLib& lib, const TSpecs& specs) {
         u32 result;
         return Status(lib.DoesFileHaveExtension(kList, specs.file, &result));
     }},
    {"DoesNameHaveExtension", false,
     [](IFileLib& lib, const TSpecs&) {
         u32 result;
         return Status(lib.DoesNameHaveExtension(kList, nullptr, kName, &result));
     }},
    {"OpenReadFile", true,
     [](IFileLib& lib, const TSpecs& specs) { return Make([&](u32* s) { return lib.OpenReadFile(specs.file, s); }); }},
    {"CreateFile", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.CreateFile(specs.folder, kName, 0, 0, s); });
     }},
    {"SafeCreateFile", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.SafeCreateFile(specs.folder, kName, 0, 0, s); });
     }},
    {"ValidateVolumePath", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 path[kFileLibNameBufferUnits] = {'C', ':', 0};
         return Status(lib.ValidateVolumePath(path));
     }},
    {"MakeValidFileName", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 name[kFileLibNameBufferUnits] = {'a', 0};
         return Status(lib.MakeValidFileName(name));
     }},
    {"MakeValidDirName", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 name[kFileLibNameBufferUnits] = {'a', 0};
         return Status(lib.MakeValidDirName(name));
     }},
    {"SplitExtension", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 base[kFileLibNameBufferUnits], extension[kFileLibNameBufferUnits];
         return Status(lib.SplitExtension(kName, base, extension));
     }},
    {"GetVolumes", false, [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetVolumes(s); }); }},
    {"GetSystemVolume", false,
     [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetSystemVolume(s); }); }},
    {"GetVolumeInfo", true,
     [](IFileLib& lib, const TSpecs& specs) {
         SVolumeInfo info;
         return Status(lib.GetVolumeInfo(specs.volume, &info));
     }},
    {"GetVolumeKind", true,
     [](IFileLib& lib, const TSpecs& specs) {
         u32 kind;
         return Status(lib.GetVolumeKind(specs.volume, &kind));
     }},
    {"GetVolumeDetails", true,
     [](IFileLib& lib, const TSpecs& specs) {
         SVolumeDetails details;
         return Status(lib.GetVolumeDetails(specs.volume, &details));
     }},
    {"GetVolumeRootDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetVolumeRootDirectory(specs.volume, s); });
     }},
    {"GetChildInfo", true,
     [](IFileLib& lib, const TSpecs& specs) {
         SChildInfo info;
         return Status(lib.GetChildInfo(specs.folder, kName, &info));
     }},
    {"GetDirInfo", true,
     [](IFileLib& lib, const TSpecs& specs) {
         SDirInfo info;
         return Status(lib.GetDirInfo(specs.folder, &info));
     }},
    {"CreateDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.CreateDirectory(specs.folder, kName, s); });
     }},
    {"DeleteDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) { return Status(lib.DeleteDirectory(specs.folder)); }},
    {"DoesChildFileExist", true,
     [](IFileLib& lib, const TSpecs& specs) {
         u32 result;
         return Status(lib.DoesChildFileExist(specs.folder, kName, &result));
     }},
    {"DoesChildDirectoryExist", true,
     [](IFileLib& lib, const TSpecs& specs) {
         u32 result;
         return Status(lib.DoesChildDirectoryExist(specs.folder, kName, &result));
     }},
    {"GetChildFile", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetChildFile(specs.folder, kName, s); });
     }},
    {"GetChildDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetChildDirectory(specs.folder, kName, s); });
     }},
    {"GetParentDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetParentDirectory(specs.folder, s); });
     }},
    {"CreateDirScanner", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.CreateDirScanner(specs.folder, s); });
     }},
    {"ReplaceFile", true,
     [](IFileLib& lib, const TSpecs& specs) { return Status(lib.ReplaceFile(specs.file, specs.file)); }},
    {"DeleteFile", true, [](IFileLib& lib, const TSpecs& specs) { return Status(lib.DeleteFile(specs.file)); }},
    {"GetFileInfo", true,
     [](IFileLib& lib, const TSpecs& specs) {
         SFileInfo info;
         return Status(lib.GetFileInfo(specs.file, &info));
     }},
    {"SetFileInfo", true,
     [](IFileLib& lib, const TSpecs& specs) {
         const SFileInfo info = {};
         return Status(lib.SetFileInfo(specs.file, &info));
     }},
    {"GetFileParentDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetFileParentDirectory(specs.file, s); });
     }},
    {"ResolvePossibleAlias", true,
     [](IFileLib& lib, const TSpecs& specs) {
         IVolumeSpec* volume = nullptr;
         IDirSpec* folder = nullptr;
         IFileSpec* target = nullptr;
         const u32 status = lib.ResolvePossibleAlias(specs.file, &volume, &folder, &target);
         const bool made = volume != nullptr || folder != nullptr || target != nullptr;
         delete volume;
         delete folder;
         delete target;
         return TAnswer{status, made};
     }},
    {"GetTempDirectory", false,
     [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetTempDirectory(s); }); }},
    {"GetDesktopDirectory", false,
     [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetDesktopDirectory(s); }); }},
    {"GetDocumentsDirectory", false,
     [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetDocumentsDirectory(s); }); }},
    {"GetUserProfileDirectory", false,
     [](IFileLib& lib, const TSpecs&) { return Make([&](u32* s) { return lib.GetUserProfileDirectory(s); }); }},
    {"GetUserAppDataDirectory", false,
     [](IFileLib& lib, const TSpecs&) {
         return Make([&](u32* s) { return lib.GetUserAppDataDirectory(kName, kName, s); });
     }},
    {"GetCommonAppDataDirectory", false,
     [](IFileLib& lib, const TSpecs&) {
         return Make([&](u32* s) { return lib.GetCommonAppDataDirectory(kName, kName, s); });
     }},
    {"GetApplicationDirectory", false,
     [](IFileLib& lib, const TSpecs&) {
         u16 name[kFileLibNameBufferUnits];
         return Make([&](u32* s) { return lib.GetApplicationDirectory(name, s); });
     }},
    {"GetVolumeOfRootDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetVolumeOfRootDirectory(specs.folder, s); });
     }},
    {"CreateTemporaryFile", true,
     [](IFileLib& lib, const TSpecs& specs) {
         IFileSpec* file = nullptr;
         const TAnswer answer =
             Make([&](u32* s) { return lib.CreateTemporaryFile(specs.folder, 0, 0, kList, &file, s); });
         const bool madeFile = file != nullptr;
         delete file;
         return TAnswer{answer.status, answer.made || madeFile};
     }},
    {"CreateTemporaryDirectory", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.CreateTemporaryDirectory(specs.folder, s); });
     }},
    {"CreateVolumeSpec", false,
     [](IFileLib& lib, const TSpecs&) {
         const u16 path[] = {'C', ':', '\\', 0};
         return Make([&](u32* s) { return lib.GetWinExtensions()->CreateVolumeSpec(path, s); });
     }},
    {"CreateDirSpec", false,
     [](IFileLib& lib, const TSpecs&) {
         const u16 path[] = {'C', ':', '\\', 0};
         return Make([&](u32* s) { return lib.GetWinExtensions()->CreateDirSpec(path, s); });
     }},
    {"CreateFileSpec", false,
     [](IFileLib& lib, const TSpecs&) {
         const u16 path[] = {'C', ':', '\\', 'x', 0};
         return Make([&](u32* s) { return lib.GetWinExtensions()->CreateFileSpec(path, s); });
     }},
    {"CreateAlias", true,
     [](IFileLib& lib, const TSpecs& specs) {
         return Make([&](u32* s) { return lib.GetWinExtensions()->CreateAlias(specs.file, specs.folder, kName, s); });
     }},
};

class FileLibGlueContract : public CFileLibTestFolder
{
protected:
    void SetUp() override
    {
        CFileLibTestFolder::SetUp();
        WriteFileBytes("file.txt", "content");
        fFile = FileSpec("file.txt");
        u32 status = 0;
        fVolume.reset(Lib().GetSystemVolume(&status));
        ASSERT_EQ(status, kFileLibOK);
    }

    TSpecs ValidSpecs() { return {Folder(), fFile.get(), fVolume.get()}; }

    std::unique_ptr<IFileSpec> fFile;
    std::unique_ptr<IVolumeSpec> fVolume;
};
} // namespace

TEST(FileLibCreate, AnswersOnlyForItsExactInterfaceName)
{
    // The test main has initialised COM on this thread already, in the mode the library asks for.
    struct NameCase
    {
        const char* name;
        u32 status;
    };
    const NameCase kNames[] = {
        {"IFileLib", kFileLibOK},          {"IFileLibX", kFileLibUnsupported}, {"ifilelib", kFileLibUnsupported},
        {"IFileLi", kFileLibUnsupported}, {"", kFileLibUnsupported},           {nullptr, kFileLibUnsupported},
    };
    for (const NameCase& c : kNames)
    {
        u32 status = 0;
        std::unique_ptr<IFileLib> lib(FileLib_Create(c.name, &status));
        EXPECT_EQ(status, c.status) << (c.name ? c.name : "null");
        EXPECT_EQ(lib != nullptr, c.status == kFileLibOK) << (c.name ? c.name : "null");
    }
}

TEST(FileLibCreate, SetDebuggerThrowsAndReservedSlotsAnswerNothing)
{
    u32 status = 0;
    std::unique_ptr<IFileLib> lib(FileLib_Create("IFileLib", &status));
    ASSERT_EQ(status, kFileLibOK);
    try
    {
        lib->SetDebugger(nullptr);
        ADD_FAILURE() << "SetDebugger returned";
    }
    catch (const std::logic_error& e)
    {
        EXPECT_STREQ(e.what(), "Can't set debugger when using static lib");
    }
    EXPECT_EQ(lib->ReservedStatus(nullptr), kFileLibNotSet);
    EXPECT_EQ(lib->ReservedPointer(nullptr), nullptr);
}

TEST_F(FileLibGlueContract, EveryOperationOfAnInvalidLibraryAnswersInvalidObject)
{
    CInvalidFileLib invalid;
    for (const Case& c : kCases)
    {
        const TAnswer answer = c.call(invalid, ValidSpecs());
        EXPECT_EQ(answer.status, kFileLibInvalidObject) << c.operation;
        EXPECT_FALSE(answer.made) << c.operation;
    }
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"file.txt"});
}

TEST_F(FileLibGlueContract, EverySpecificationArgumentIsCheckedBeforeAnyWork)
{
    CInvalidDirSpec invalidFolder(FolderPath());
    CInvalidFileSpec invalidFile(PathOf("file.txt"));
    CInvalidVolumeSpec invalidVolume(Wide("C:\\"));
    CForeignDirSpec foreignFolder;
    CForeignFileSpec foreignFile;
    CForeignVolumeSpec foreignVolume;
    const struct
    {
        const char* kind;
        TSpecs specs;
    } kBadSpecs[] = {
        {"null", {nullptr, nullptr, nullptr}},
        {"invalid", {&invalidFolder, &invalidFile, &invalidVolume}},
        {"foreign", {&foreignFolder, &foreignFile, &foreignVolume}},
    };
    for (const auto& bad : kBadSpecs)
    {
        for (const Case& c : kCases)
        {
            if (!c.takesSpecification)
                continue;
            const TAnswer answer = c.call(Lib(), bad.specs);
            EXPECT_EQ(answer.status, kFileLibBadArgument) << c.operation << " with " << bad.kind;
            EXPECT_FALSE(answer.made) << c.operation << " with " << bad.kind;
        }
    }
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"file.txt"});
}

TEST_F(FileLibGlueContract, PlainArgumentsAreCheckedBeforeAnyWork)
{
    u16 longName[kFileLibNameBufferUnits + 1];
    std::fill(std::begin(longName), std::end(longName), u16('a'));
    longName[kFileLibNameBufferUnits] = 0;
    const u16 empty[] = {0};
    u16 buffer[kFileLibNameBufferUnits];
    const SFileInfo hiddenTwo = {2, 0, 0, 0, 0, 0, 0, 0};
    u32 result = 0;
    const struct
    {
        const char* call;
        std::function<TAnswer()> run;
    } kRefusals[] = {
        {"InterpretURL without scheme", [&] { return Make([&](u32* s) { return Lib().InterpretURL("C:/x/y", buffer, s); }); }},
        {"InterpretURL scheme only", [&] { return Make([&](u32* s) { return Lib().InterpretURL("file://", buffer, s); }); }},
        {"InterpretURL null", [&] { return Make([&](u32* s) { return Lib().InterpretURL(nullptr, buffer, s); }); }},
        {"InterpretURL null name", [&] { return Make([&](u32* s) { return Lib().InterpretURL("file://C:/", nullptr, s); }); }},
        {"CreateFile empty name", [&] { return Make([&](u32* s) { return Lib().CreateFile(Folder(), empty, 0, 0, s); }); }},
        {"SafeCreateFile null name", [&] { return Make([&](u32* s) { return Lib().SafeCreateFile(Folder(), nullptr, 0, 0, s); }); }},
        {"GetChildFile 1024 units", [&] { return Make([&](u32* s) { return Lib().GetChildFile(Folder(), longName, s); }); }},
        {"CreateDirectory empty", [&] { return Make([&](u32* s) { return Lib().CreateDirectory(Folder(), empty, s); }); }},
        {"GetChildInfo 1024 units", [&] { SChildInfo info; return Status(Lib().GetChildInfo(Folder(), longName, &info)); }},
        {"MakeValidFileName 1024 units", [&] { return Status(Lib().MakeValidFileName(longName)); }},
        {"ValidateVolumePath null", [&] { return Status(Lib().ValidateVolumePath(nullptr)); }},
        {"SplitExtension null base", [&] { return Status(Lib().SplitExtension(empty, nullptr, buffer)); }},
        {"DoesNameHaveExtension null name", [&] { return Status(Lib().DoesNameHaveExtension(kList, nullptr, nullptr, &result)); }},
        {"SetFileInfo isHidden 2", [&] { return Status(Lib().SetFileInfo(FileSpec("file.txt").get(), &hiddenTwo)); }},
        {"CreateDirSpec 261 units", [&] {
             const TUTF16String path = FolderPath() + TUTF16String(261 - FolderPath().size(), u16('a'));
             return Make([&](u32* s) { return Win().CreateDirSpec(path.c_str(), s); });
         }},
        {"CreateFileSpec empty", [&] { return Make([&](u32* s) { return Win().CreateFileSpec(empty, s); }); }},
        {"CreateVolumeSpec null", [&] { return Make([&](u32* s) { return Win().CreateVolumeSpec(nullptr, s); }); }},
    };
    for (const auto& refusal : kRefusals)
    {
        const TAnswer answer = refusal.run();
        EXPECT_EQ(answer.status, kFileLibBadArgument) << refusal.call;
        EXPECT_FALSE(answer.made) << refusal.call;
    }
    SFileInfo info = {};
    ASSERT_EQ(Lib().GetFileInfo(FileSpec("file.txt").get(), &info), kFileLibOK);
    EXPECT_EQ(info.isHidden, 0u);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"file.txt"});
}

TEST_F(FileLibGlueContract, FailuresNeverAnswerSuccessWithoutAnObject)
{
    u16 name[kFileLibNameBufferUnits];
    const TUTF16String missing = PathOf("missing.txt");
    const TUTF16String filePath = PathOf("file.txt");
    const u16 missingName[] = {'m', 'i', 's', 's', 'i', 'n', 'g', 0};
    const u16 noDrive[] = {'Q', ':', '\\', 0};
    CFileSpecGlue goneFile(missing);
    CDirSpecGlue driveRoot(Wide("C:\\"));
    const std::string missingURL = "file://" + Narrow(FolderPath()) + "missing\\x.txt";
    const struct
    {
        const char* call;
        u32 status;
        std::function<TAnswer()> run;
    } kFailures[] = {
        {"GetChildFile of a missing file", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Lib().GetChildFile(Folder(), missingName, s); }); }},
        {"GetChildDirectory of a missing folder", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Lib().GetChildDirectory(Folder(), missingName, s); }); }},
        {"GetParentDirectory of a drive root", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Lib().GetParentDirectory(&driveRoot, s); }); }},
        {"OpenReadFile of a deleted file", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Lib().OpenReadFile(&goneFile, s); }); }},
        {"CreateFileSpec of a missing file", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Win().CreateFileSpec(missing.c_str(), s); }); }},
        {"CreateDirSpec of a file", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Win().CreateDirSpec(filePath.c_str(), s); }); }},
        {"CreateVolumeSpec of an unused letter", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Win().CreateVolumeSpec(noDrive, s); }); }},
        {"InterpretURL of a missing folder", kFileLibNotFound,
         [&] { return Make([&](u32* s) { return Lib().InterpretURL(missingURL.c_str(), name, s); }); }},
        {"GetVolumeOfRootDirectory of a folder with a parent", kFileLibBadArgument,
         [&] { return Make([&](u32* s) { return Lib().GetVolumeOfRootDirectory(Folder(), s); }); }},
    };
    for (const auto& failure : kFailures)
    {
        const TAnswer answer = failure.run();
        EXPECT_EQ(answer.status, failure.status) << failure.call;
        EXPECT_FALSE(answer.made) << failure.call;
    }
}

TEST_F(FileLibGlueContract, PresetsAreVisibleAfterAFailure)
{
    CInvalidFileLib invalid;
    u32 result = 7;
    EXPECT_EQ(invalid.DoesChildFileExist(Folder(), kName, &result), kFileLibInvalidObject);
    EXPECT_EQ(result, 0u);
    result = 7;
    EXPECT_EQ(invalid.DoesChildDirectoryExist(Folder(), nullptr, &result), kFileLibInvalidObject);
    EXPECT_EQ(result, 0u);

    CVolumeSpecGlue noDrive(Wide("Q:\\"));
    u32 kind = 7;
    EXPECT_EQ(Lib().GetVolumeKind(&noDrive, &kind), kFileLibNotFound);
    EXPECT_EQ(kind, kFileLibResultNotSet);

    CInvalidDirSpec invalidFolder(FolderPath());
    u16 name[kFileLibNameBufferUnits] = {'a', 'b', 'c', 0};
    EXPECT_EQ(invalidFolder.GetName(name), kFileLibInvalidObject);
    EXPECT_EQ(Narrow(name), "abc");
    u32 status = 0;
    EXPECT_EQ(invalidFolder.Clone(&status), nullptr);
    EXPECT_EQ(status, kFileLibInvalidObject);
}

TEST_F(FileLibGlueContract, ASharingViolationAnswersLocked)
{
    u32 status = 0;
    std::unique_ptr<IOpenReadWriteFile> writer(Lib().CreateFile(Folder(), Wide("held.bin").c_str(), 0, 0, &status));
    ASSERT_EQ(status, kFileLibOK);
    std::unique_ptr<IFileSpec> held = FileSpec("held.bin");
    std::unique_ptr<IOpenReadFile> reader(Lib().OpenReadFile(held.get(), &status));
    EXPECT_EQ(status, kFileLibLocked);
    EXPECT_EQ(reader, nullptr);
}

TEST(FileLibFence, MapsWhatWasThrownToTheStatusOfItsClass)
{
    struct FenceCase
    {
        const char* thrown;
        std::function<void()> work;
        u32 status;
    };
    const FenceCase kThrows[] = {
        {"nothing", [] {}, kFileLibOK},
        {"an int", [] { throw 42; }, kFileLibUnknownError},
        {"a string literal", [] { throw "text"; }, kFileLibUnknownError},
        {"std::bad_alloc", [] { throw std::bad_alloc(); }, kFileLibOutOfMemory},
        {"std::invalid_argument", [] { throw std::invalid_argument("x"); }, kFileLibBadArgument},
        {"std::runtime_error", [] { throw std::runtime_error("x"); }, kFileLibUnknownError},
    };
    for (const FenceCase& c : kThrows)
        EXPECT_EQ(RunFenced(c.work), c.status) << c.thrown;
}
