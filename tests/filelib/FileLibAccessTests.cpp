// GetFileLib and the throwing wrappers, against a file-library double.
#include "tests/filelib/FileLibDouble.h"
#include "tests/filelib/FileLibSupportTestHelpers.h"
#include "filelib/FileLibAccess.h"
#include "filelib/FileLibWrappers.h"
#include "filelib/WindowsErrorExceptions.h"
#include "tests/support/ExpectThrown.h"
#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace NSFileLibTests;
using namespace NSFileLibSupport;
using namespace NSQuorral;

namespace
{
// Factories that count their calls and the libraries they made that are still alive.
int gFactoryCalls = 0;
int gLibrariesAlive = 0;
u32 gFactoryStatus = kFileLibOK;

class CCountedLibrary : public CFileLibDouble
{
public:
    CCountedLibrary() { ++gLibrariesAlive; }
    ~CCountedLibrary() override { --gLibrariesAlive; }
};

IFileLib* CountingFactory(const char*, u32* status)
{
    ++gFactoryCalls;
    *status = gFactoryStatus;
    return new CCountedLibrary;
}

IFileLib* NullFactory(const char*, u32* status)
{
    ++gFactoryCalls;
    *status = kFileLibOK;
    return nullptr;
}

IFileLib* ThrowingFactory(const char*, u32*)
{
    ++gFactoryCalls;
    ThrowException(CThrowContext(TThrowSite{}) << XLocked(""));
}

// No library while a test runs; the process's own is put back afterwards.
class GetFileLibTest : public testing::Test
{
protected:
    void SetUp() override
    {
        gFactoryCalls = 0;
        gFactoryStatus = kFileLibOK;
    }
    void TearDown() override
    {
        delete gFileLib;
        gFileLib = nullptr;
        SetFileLibFactory(fSavedFactory);
    }

    CFileLibDoubleScope fNoLibrary{nullptr};
    TFileLibFactory fSavedFactory = SetFileLibFactory(&CountingFactory);
};

TEST_F(GetFileLibTest, MakesTheLibraryOnceAndHandsOutTheSameObject)
{
    IFileLib* first = GetFileLib();
    EXPECT_EQ(first, GetFileLib());
    EXPECT_EQ(1, gFactoryCalls);
    EXPECT_EQ(1, gLibrariesAlive);
}

TEST_F(GetFileLibTest, FailingFactoryIsXOpenAndTheNextCallTriesAgain)
{
    gFactoryStatus = kFileLibUnknownError;
    std::optional<std::string> text = CatchThrown<XOpen>([] { GetFileLib(); }, "dll");
    EXPECT_EQ("Failed to open File support library", text.value_or(""));
    EXPECT_EQ(0, gLibrariesAlive) << "the object that came with the failure is destroyed";
    EXPECT_EQ(nullptr, gFileLib);

    gFactoryStatus = kFileLibOK;
    EXPECT_NE(nullptr, GetFileLib());
    EXPECT_EQ(2, gFactoryCalls);
}

TEST_F(GetFileLibTest, ThrowingFactoryIsXOpenToo)
{
    SetFileLibFactory(&ThrowingFactory);
    EXPECT_EQ("Failed to open File support library",
              CatchThrown<XOpen>([] { GetFileLib(); }, "dll").value_or(""));
    EXPECT_EQ(nullptr, gFileLib);
}

TEST_F(GetFileLibTest, FactoryAnsweringNoLibraryIsXOpen)
{
    SetFileLibFactory(&NullFactory);
    EXPECT_EQ("Failed to open File support library",
              CatchThrown<XOpen>([] { GetFileLib(); }, "dll").value_or(""));
    EXPECT_EQ(nullptr, gFileLib);
}

// A library whose operations answer one status and hand out counted objects with it.
class CStatusLibrary : public CFileLibDouble
{
public:
    TFileLibStatus fStatus = kFileLibOK;
    int fAlive = 0;
    bool fFilePresent = false;
    int fDeletes = 0;

    IFileSpec* GetChildFile(IDirSpec*, const u16*, u32* status) override
    {
        *status = fStatus;
        return new CFileSpecDouble(&fAlive);
    }
    TFileLibStatus DoesChildFileExist(IDirSpec*, const u16*, u32* result) override
    {
        *result = fFilePresent;
        return kFileLibOK;
    }
    TFileLibStatus DeleteFile(IFileSpec*) override
    {
        ++fDeletes;
        return kFileLibOK;
    }
    TFileLibStatus ResolvePossibleAlias(IFileSpec*, IVolumeSpec**, IDirSpec** folder, IFileSpec**) override
    {
        *folder = new CDirSpecDouble(&fAlive);
        return fStatus;
    }
};

struct StatusCase
{
    u32 status;
    u32 kind;
};
const StatusCase kStatusCases[] = {
    {kFileLibBadArgument, kFailureCode_LogicError_InvalidArgument},
    {kFileLibInvalidObject, kFailureCode_LogicError_InvariantCorrupt},
    {kFileLibLocked, kFailureCode_RuntimeError_Locked},
    {kFileLibNotReady, kFailureCode_RuntimeError_NotReady},
    {kFileLibReferenceUnresolved, kFailureCode_RuntimeError_ResolveFailure},
    {kFileLibNotFound, kFailureCode_RuntimeError_NotFound},
    {kFileLibUnknownError, kFailureCode_RuntimeError},
};

TEST(FileLibWrappers, RethrowTheStatusTablesClassAndDropTheObjectThatCameWithIt)
{
    CStatusLibrary library;
    CFileLibDoubleScope scope(&library);
    CDirSpecDouble folder;
    for (const StatusCase& c : kStatusCases)
    {
        library.fStatus = c.status;
        EXPECT_EQ(c.kind, ThrownKind([&] { GetChildFile(&folder, MakeText(u"a")); })) << c.status;
        EXPECT_EQ(0, library.fAlive) << c.status;
    }
    library.fStatus = kFileLibOK;
    EXPECT_NE(nullptr, GetChildFile(&folder, TUTF16String()));
}

TEST(FileLibWrappers, FailedResolutionLeavesTheCallersOwnersAsTheyWere)
{
    CStatusLibrary library;
    CFileLibDoubleScope scope(&library);
    CFileSpecDouble shortcut;
    TVolumeSpecPtr volume = std::make_shared<CVolumeSpecDouble>();
    TDirSpecPtr folder;
    TFileSpecPtr target = std::make_shared<CFileSpecDouble>();
    const TFileSpecPtr oldTarget = target;

    library.fStatus = kFileLibReferenceUnresolved;
    CatchThrown<XResolve>([&] { ResolvePossibleAlias(&shortcut, volume, folder, target); }, "reference");
    EXPECT_NE(nullptr, volume);
    EXPECT_EQ(oldTarget, target);
    EXPECT_EQ(0, library.fAlive);

    library.fStatus = kFileLibOK;
    ResolvePossibleAlias(&shortcut, volume, folder, target);
    EXPECT_EQ(nullptr, volume);
    EXPECT_NE(nullptr, folder);
    EXPECT_EQ(nullptr, target);
}

TEST(FileLibWrappers, DeleteChildFileIfExistsAnswersWhetherItDeleted)
{
    CStatusLibrary library;
    CFileLibDoubleScope scope(&library);
    CDirSpecDouble folder;
    EXPECT_FALSE(DeleteChildFileIfExists(&folder, MakeText(u"a")));
    EXPECT_EQ(0, library.fDeletes);
    library.fFilePresent = true;
    EXPECT_TRUE(DeleteChildFileIfExists(&folder, MakeText(u"a")));
    EXPECT_EQ(1, library.fDeletes);
    EXPECT_EQ(0, library.fAlive);
}

// A folder whose name can no longer be read.
class CUnnamedDirSpec : public CDirSpecDouble
{
public:
    TFileLibStatus GetName(u16*) override { return kFileLibInvalidObject; }
};

TEST(FileLibWrappers, SpecIsUsableWhenItsNameCanBeRead)
{
    CDirSpecDouble named;
    CUnnamedDirSpec unnamed;
    EXPECT_TRUE(IsSpecUsable(&named));
    EXPECT_FALSE(IsSpecUsable(&unnamed));
    EXPECT_EQ(u32(kFailureCode_LogicError_InvariantCorrupt), ThrownKind([&] { GetName(&unnamed); }));
}

// A list of three volumes that owns them; every volume and clone counts in one counter.
class CVolumeList : public IVolumes
{
public:
    CVolumeList(int* alive, bool* listDestroyed) : fListDestroyed(listDestroyed)
    {
        for (int i = 0; i < 3; ++i)
            fVolumes.push_back(std::make_unique<CVolumeSpecDouble>(alive));
    }
    ~CVolumeList() override { *fListDestroyed = true; }
    u32 GetCount() override { return u32(fVolumes.size()); }
    IVolumeSpec* GetVolume(u32 index) override { return fVolumes[index].get(); }
    u32 IsValid() override { return 1; }

private:
    std::vector<std::unique_ptr<CVolumeSpecDouble>> fVolumes;
    bool* fListDestroyed;
};

class CVolumesLibrary : public CFileLibDouble
{
public:
    int fAlive = 0;
    bool fListDestroyed = false;
    IVolumes* GetVolumes(u32* status) override
    {
        *status = kFileLibOK;
        return new CVolumeList(&fAlive, &fListDestroyed);
    }
};

TEST(FileLibWrappers, GetVolumesHandsOutIndependentClones)
{
    CVolumesLibrary library;
    CFileLibDoubleScope scope(&library);
    std::vector<TVolumeSpecPtr> volumes = GetVolumes();
    EXPECT_TRUE(library.fListDestroyed);
    ASSERT_EQ(3u, volumes.size());
    EXPECT_EQ(3, library.fAlive) << "the clones outlive the list";
    EXPECT_NE(volumes[0], volumes[1]);
    EXPECT_NE(volumes[1], volumes[2]);
    volumes.pop_back();
    EXPECT_EQ(2, library.fAlive);
    volumes.clear();
    EXPECT_EQ(0, library.fAlive);
}

struct WindowsErrorCase
{
    u32 error;
    u32 kind;
    const char* objectType;
};
// The codes the Windows layer knows raise its classes; the others are this function's own.
const WindowsErrorCase kWindowsErrorCases[] = {
    {2, kFailureCode_RuntimeError_NotFound, ""},
    {3, kFailureCode_RuntimeError_NotFound, ""},
    {15, kFailureCode_RuntimeError_NotFound, ""},
    {21, kFailureCode_LogicError, ""},
    {1235, kFailureCode_RuntimeError_NotFound, "file"},
    {1237, kFailureCode_LogicError, ""},
    {4, kFailureCode_RuntimeError_OutOfItems, "file_handle"},
    {5, kFailureCode_RuntimeError_Permission, ""},
    {19, kFailureCode_RuntimeError_Locked, ""},
    {32, kFailureCode_RuntimeError_Locked, ""},
    {33, kFailureCode_RuntimeError_Locked, ""},
    {8, kFailureCode_BadAlloc, ""},
    {29, kFailureCode_RuntimeError_WriteFailure, ""},
    {30, kFailureCode_RuntimeError_ReadFailure, ""},
    {31, kFailureCode_RuntimeError, ""},
    {39, kFailureCode_RuntimeError_OutOfSpace, ""},
    {112, kFailureCode_RuntimeError_OutOfSpace, ""},
    {82, kFailureCode_RuntimeError_Create, ""},
    {87, kFailureCode_LogicError, ""},
    {6, kFailureCode_Exception, ""},
};

TEST(ThrowExceptionForWindowsError, MapsEachCodeToItsClassAndObjectType)
{
    EXPECT_EQ(0u, ThrownKind([] { ThrowExceptionForWindowsError(0); }));
    for (const WindowsErrorCase& c : kWindowsErrorCases)
    {
        try
        {
            ThrowExceptionForWindowsError(c.error);
            ADD_FAILURE() << c.error << " threw nothing";
        }
        catch (const std::exception& e)
        {
            EXPECT_EQ(c.kind, ClassifyException(e).fKind) << c.error;
            const bool typed = *c.objectType != '\0';
            EXPECT_EQ(typed, HasTargetObjectType(GetExceptionBody(e), c.objectType)) << c.error;
        }
    }
}
} // namespace
