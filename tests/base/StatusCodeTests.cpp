#include "base/FileLibStatus.h"
#include "base/LibraryStatusTables.h"
#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <typeinfo>

using namespace NSQuorral;

namespace
{
struct TLibrary
{
    const char* fName;
    TStatusCodeRange fRange;
    const TStatusCodeRow* fTable;
    u32 fSuccess;
};

const TLibrary kFileLib{"file library", NSFileLibSupport::GetFileLibStatusRange(),
                        NSFileLibSupport::GetFileLibStatusTable(), NSFileLib::kFileLibOK};
const TLibrary kTrellis{"Trellis", GetTrellisStatusRange(), GetTrellisStatusTable(), kTrellisOK};
const TLibrary kSprocket{"Sprocket", GetSprocketStatusRange(), GetSprocketStatusTable(), kTrellisOK};
const TLibrary kOriel{"Oriel", GetOrielStatusRange(), GetOrielStatusTable(), kOrielOK};
const TLibrary kGlisk{"Glisk", GetGliskStatusRange(), GetGliskStatusTable(), kGliskOK};
const TLibrary kTinct{"Tinct", GetTinctStatusRange(), GetTinctStatusTable(), kTinctOK};
const TLibrary kLibraries[] = {kFileLib, kTrellis, kSprocket, kOriel, kGlisk, kTinct};

std::exception_ptr CaptureStatus(const TLibrary& library, u32 status)
{
    try
    {
        ThrowByStatusCode(status, library.fRange, library.fTable, TThrowSite{});
    }
    catch (...)
    {
        return std::current_exception();
    }
}

template <class TInspect> void InspectStatus(const TLibrary& library, u32 status, TInspect inspect)
{
    try
    {
        std::rethrow_exception(CaptureStatus(library, status));
    }
    catch (const std::exception& exception)
    {
        inspect(exception);
    }
}

u32 StatusOf(const TLibrary& library, const std::function<void()>& throwStatement)
{
    try
    {
        throwStatement();
    }
    catch (const std::exception& exception)
    {
        return StatusCodeFromException(exception, library.fRange, library.fTable, TThrowSite{});
    }
    ADD_FAILURE() << "nothing thrown";
    return 0;
}

template <class TClass> std::function<void()> Thrower(const char* objectType = "")
{
    return [objectType]
    {
        CThrowContext context{TThrowSite{}};
        context << TClass("a message that stays inside");
        if (objectType[0] != '\0')
            context.SetTargetObjectType(objectType);
        ThrowException(context);
    };
}

TEST(StatusCodes, EveryRowOfEveryLibraryTableRoundTrips)
{
    for (const TLibrary& library : kLibraries)
    {
        std::set<u32> seen;
        for (const TStatusCodeRow* row = library.fTable; row->fKind != kFailureCode_EndOfTable; ++row)
        {
            SCOPED_TRACE(testing::Message() << library.fName << " status " << row->fStatus);
            // A status that an earlier row holds already reads as that row.
            if (!seen.insert(row->fStatus).second)
                continue;
            InspectStatus(library, row->fStatus,
                          [&](const std::exception& exception)
                          {
                              const CExceptionBodyMixin body = GetExceptionBody(exception);
                              EXPECT_EQ(GetLastFrame(body).GetKind(), row->fKind);
                              EXPECT_EQ(GetLastFrame(body).GetMessage(), "");
                              if (row->fObjectType.IsEmpty())
                                  EXPECT_EQ(GetProperty(body, GetTargetObjectTypeKey()).GetTag(),
                                            kPropertyTag_Empty);
                              else
                                  EXPECT_TRUE(HasTargetObjectType(body, row->fObjectType));
                              // NSFileLib::kFileLibNotFoundFormer is read but never answered: XNotFound
                              // always reports NSFileLib::kFileLibNotFound.
                              const u32 expectedBack = row->fStatus == NSFileLib::kFileLibNotFoundFormer
                                                           ? NSFileLib::kFileLibNotFound
                                                           : row->fStatus;
                              EXPECT_EQ(StatusCodeFromException(exception, library.fRange, library.fTable,
                                                                TThrowSite{}),
                                        expectedBack);
                          });
        }
        EXPECT_GT(seen.size(), 6u) << library.fName;
    }
}

struct TFileStatusCase
{
    u32 fStatus;
    const std::type_info& fClass;
    const char* fObjectType;
};

const TFileStatusCase kFileStatusCases[] = {
    {NSFileLib::kFileLibDiskFull, typeid(XOutOfSpace), "disk"},
    {NSFileLib::kFileLibReferenceUnresolved, typeid(XResolve), "reference"},
    {NSFileLib::kFileLibResolveFailure, typeid(XResolve), ""},
    {NSFileLib::kFileLibNotFoundFormer, typeid(XNotFound), ""},
    {NSFileLib::kFileLibNotFound, typeid(XNotFound), ""},
    {NSFileLib::kFileLibOutOfHandles, typeid(XOutOfItems), "file_handle"},
    {NSFileLib::kFileLibRangeError, typeid(XStdRangeError), "file_handle"},
    {NSFileLib::kFileLibBadArgument, typeid(XStdInvalidArgument), ""},
    {NSFileLib::kFileLibUnknownError, typeid(XStdRuntimeError), ""},
    {NSFileLib::kFileLibOutOfMemory, typeid(XStdBadAlloc), ""},
};

TEST(StatusCodes, FileLibraryStatusesBecomeTheirClasses)
{
    for (const TFileStatusCase& c : kFileStatusCases)
    {
        SCOPED_TRACE(c.fStatus);
        InspectStatus(kFileLib, c.fStatus,
                      [&](const std::exception& exception)
                      {
                          EXPECT_EQ(typeid(exception), c.fClass);
                          EXPECT_STREQ(exception.what(),
                                       c.fClass == typeid(XStdBadAlloc) ? "bad allocation" : "");
                          const TPropertyValue type =
                              GetProperty(GetExceptionBody(exception), GetTargetObjectTypeKey());
                          EXPECT_STREQ(type.GetText() ? type.GetText() : "", c.fObjectType);
                      });
    }
}

struct TToStatusCase
{
    const char* fName;
    const TLibrary& fLibrary;
    std::function<void()> fThrow;
    u32 fStatus;
};

void ThrowTunneled(bool withErrorCode)
{
    CThrowContext context{TThrowSite{}};
    context.AttachFrame(TExceptionFrame{TThrowSite{}, kFailureCode_TunneledError, "", {}});
    if (withErrorCode)
        context.SetProperty(MakeIntegerProperty("error_code", 1234));
    ThrowException(context);
}

const TToStatusCase kToStatusCases[] = {
    {"not found", kFileLib, Thrower<XNotFound>(), NSFileLib::kFileLibNotFound},
    {"not found, file", kFileLib, Thrower<XNotFound>("file"), NSFileLib::kFileLibNotFound},
    {"resolve, reference", kFileLib, Thrower<XResolve>("reference"), NSFileLib::kFileLibReferenceUnresolved},
    {"resolve", kFileLib, Thrower<XResolve>(), NSFileLib::kFileLibResolveFailure},
    {"resolve, file", kFileLib, Thrower<XResolve>("file"), NSFileLib::kFileLibResolveFailure},
    {"out of space, disk", kFileLib, Thrower<XOutOfSpace>("disk"), NSFileLib::kFileLibDiskFull},
    {"out of space", kFileLib, Thrower<XOutOfSpace>(), NSFileLib::kFileLibDiskFull},
    {"abort has no row", kFileLib, Thrower<XAbort>(), 100000 + 0x290000BA},
    {"unsupported api, GUI", kTrellis, Thrower<XUnsupportedFormat>("api"), kTrellisNoSuchAPI},
    {"unsupported api, widgets", kSprocket, Thrower<XUnsupportedFormat>("api"), kTrellisUnsupported},
    {"unsupported interface, widgets", kSprocket, Thrower<XUnsupportedFormat>("interface"),
     kTrellisNoSuchInterface},
    {"not found, file, GUI", kTrellis, Thrower<XNotFound>("file"), 100000 + 0x220109BA},
    {"not found, vantle, GUI", kTrellis, Thrower<XNotFound>("vantle"), 100000 + 0x220000BA},
    {"format, kiv_file, pixels", kTinct, Thrower<XFormatViolation>("kiv_file"), 1003 + 0x16020ABA},
    {"read, PNG", kOriel, Thrower<XRead>(), OrielStatus(kImageReadFailure)},
    {"read, JPEG", kGlisk, Thrower<XRead>(), GliskStatus(kImageReadFailure)},
    {"format, JPEG", kGlisk, Thrower<XFormatViolation>(), GliskStatus(kImageFormatViolation)},
    {"plain bad_alloc, GUI", kTrellis, [] { throw std::bad_alloc(); }, kTrellisOutOfMemory},
    {"plain runtime_error, pixels", kTinct, [] { throw std::runtime_error("r"); }, kTinctRuntimeError},
    {"tunnelled error code", kTrellis, [] { ThrowTunneled(true); }, 100000 + 1234},
    {"tunnelled without code", kTrellis, [] { ThrowTunneled(false); }, 100000},
};

TEST(StatusCodes, ExceptionsBecomeTheFirstMatchingRowOrTheirFailureCode)
{
    for (const TToStatusCase& c : kToStatusCases)
    {
        SCOPED_TRACE(c.fName);
        EXPECT_EQ(StatusOf(c.fLibrary, c.fThrow), c.fStatus);
    }
}

TEST(StatusCodes, FailureCodeTunnelsThroughEveryLibrary)
{
    for (const TLibrary& library : kLibraries)
    {
        SCOPED_TRACE(library.fName);
        const u32 silent = StatusOf(
            library, [] { ThrowException(CThrowContext(TThrowSite{}) << XSilentAbort("User aborted")); });
        EXPECT_EQ(silent, library.fRange.fBase + 0x2A0000BA);
        InspectStatus(library, silent,
                      [](const std::exception& exception)
                      {
                          EXPECT_EQ(typeid(exception), typeid(XSilentAbort));
                          EXPECT_STREQ(exception.what(), "");
                      });

        const u32 exists = StatusOf(library, Thrower<XAlreadyExists>("kiv_file"));
        InspectStatus(library, exists,
                      [](const std::exception& exception)
                      {
                          EXPECT_EQ(typeid(exception), typeid(XAlreadyExists));
                          EXPECT_TRUE(HasTargetObjectType(GetExceptionBody(exception), "kiv_file"));
                      });
    }
}

struct TUnknownStatusCase
{
    const char* fName;
    const TLibrary& fLibrary;
    u32 fStatus;
    const std::type_info& fClass;
    const char* fWhat;
};

const TUnknownStatusCase kUnknownStatusCases[] = {
    {"file 5008 has no row", kFileLib, 5008, typeid(XStdException), "Unknown exception"},
    {"file success is no failure", kFileLib, NSFileLib::kFileLibOK, typeid(XStdException),
     "Unknown exception"},
    {"below the range", kFileLib, 99999, typeid(XStdException), "Unknown exception"},
    {"GUI success", kTrellis, kTrellisOK, typeid(XStdException), "Unknown exception"},
    {"no marker byte", kTrellis, 100000 + 0x22010900, typeid(XStdException), "Unknown exception"},
    {"bit 31 set", kTrellis, 100000 + 0xA20109BA, typeid(XStdException), "Unknown exception"},
    {"the limit itself", kTrellis, 0xFFFFFFFF, typeid(XStdException), "Unknown exception"},
    {"decoded kind 5", kTinct, 1003 + 0x050000BA, typeid(XStdException), "Unknown exception"},
    {"pixel 999 has no row", kTinct, 999, typeid(XStdException), "Unknown exception"},
    {"bad kind", kTrellis, 100000 + 0x040000BA, typeid(XStdDomainError), "Illegal Quorral failure_code!"},
    {"bad group", kOriel, 100000 + 0x220300BA, typeid(XStdDomainError),
     "Unknown group for target object type!"},
};

TEST(StatusCodes, UnknownStatusBecomesAnUnknownException)
{
    for (const TUnknownStatusCase& c : kUnknownStatusCases)
    {
        SCOPED_TRACE(c.fName);
        InspectStatus(c.fLibrary, c.fStatus,
                      [&](const std::exception& exception)
                      {
                          EXPECT_EQ(typeid(exception), c.fClass);
                          EXPECT_STREQ(exception.what(), c.fWhat);
                      });
    }
}

struct TCallbackCase
{
    const char* fName;
    std::function<void()> fThrow;
    u32 (*fStatusFromCurrentException)(const TThrowSite&);
    u32 fStatus;
};

const TCallbackCase kCallbackCases[] = {
    {"GUI, bad_alloc", [] { throw std::bad_alloc(); }, TrellisStatusFromCurrentException,
     kTrellisOutOfMemory},
    {"GUI, int", [] { throw 7; }, TrellisStatusFromCurrentException, kTrellisRuntimeError},
    {"GUI, silent abort", Thrower<XSilentAbort>(), TrellisStatusFromCurrentException, 100000 + 0x2A0000BA},
    {"widgets, int", [] { throw 7; }, SprocketStatusFromCurrentException, kTrellisRuntimeError},
    {"widgets, invariant", Thrower<XInvariantCorrupt>(), SprocketStatusFromCurrentException,
     kTrellisInvariantCorrupt},
    {"PNG, int", [] { throw 7; }, OrielStatusFromCurrentException, OrielStatus(kImageRuntimeError)},
    {"PNG, format", Thrower<XFormatViolation>(), OrielStatusFromCurrentException,
     OrielStatus(kImageFormatViolation)},
};

TEST(StatusCodes, CallbackCatchAllAnswersTheLibrarysStatus)
{
    for (const TCallbackCase& c : kCallbackCases)
    {
        SCOPED_TRACE(c.fName);
        u32 status = 0;
        try
        {
            c.fThrow();
        }
        catch (...)
        {
            status = c.fStatusFromCurrentException(TThrowSite{});
        }
        EXPECT_EQ(status, c.fStatus);
    }
}

TEST(StatusCodes, FileLibrarySuccessDoesNotThrow)
{
    EXPECT_NO_THROW(NSFileLibSupport::ThrowIfFileLibError(NSFileLib::kFileLibOK));
    EXPECT_THROW(NSFileLibSupport::ThrowIfFileLibError(NSFileLib::kFileLibReadFailure), XRead);
}
} // namespace
