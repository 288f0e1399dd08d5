#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <ios>
#include <typeinfo>

using namespace NSQuorral;

namespace
{
struct XOwnRuntimeError : std::runtime_error
{
    XOwnRuntimeError() : std::runtime_error("own") {}
};

struct XOwnException : std::exception
{
};

template <class TClass> void ThrowFromBody()
{
    throw TClass(CExceptionBodyMixin(), "from a body");
}

struct TClassifyCase
{
    const char* fName;
    std::function<void()> fThrow;
    u32 fKind;
    const char* fFixedText = nullptr; // when the text is not what() of the runtime
};

const TClassifyCase kClassifyCases[] = {
    // Standard classes, and classes of other code.
    {"std::exception", [] { throw std::exception(); }, 7, "Unknown exception"},
    {"std::bad_alloc", [] { throw std::bad_alloc(); }, 16, "bad allocation"},
    {"std::bad_array_new_length", [] { throw std::bad_array_new_length(); }, 16},
    {"std::runtime_error", [] { throw std::runtime_error(""); }, 17},
    {"std::overflow_error", [] { throw std::overflow_error(""); }, 18},
    {"std::underflow_error", [] { throw std::underflow_error(""); }, 19},
    {"std::range_error", [] { throw std::range_error(""); }, 20},
    {"std::ios_base::failure", [] { throw std::ios_base::failure(""); }, 17},
    {"runtime error of other code", [] { throw XOwnRuntimeError(); }, 17},
    {"std::logic_error", [] { throw std::logic_error(""); }, 9},
    {"std::domain_error", [] { throw std::domain_error(""); }, 10},
    {"std::invalid_argument", [] { throw std::invalid_argument(""); }, 11},
    {"std::length_error", [] { throw std::length_error(""); }, 12},
    {"std::out_of_range", [] { throw std::out_of_range(""); }, 13},
    {"std::future_error", [] { throw std::future_error(std::future_errc::no_state); }, 9},
    {"std::bad_cast", [] { throw std::bad_cast(); }, 6},
    {"std::bad_typeid", [] { throw std::bad_typeid(); }, 6},
    {"exception of other code", [] { throw XOwnException(); }, 6},
    // The framework's classes.
    {"XStdException", ThrowFromBody<XStdException>, 7},
    {"XTunneledError", ThrowFromBody<XTunneledError>, 8},
    {"XStdLogicError", ThrowFromBody<XStdLogicError>, 9},
    {"XStdDomainError", ThrowFromBody<XStdDomainError>, 10},
    {"XStdInvalidArgument", ThrowFromBody<XStdInvalidArgument>, 11},
    {"XStdLengthError", ThrowFromBody<XStdLengthError>, 12},
    {"XStdOutOfRange", ThrowFromBody<XStdOutOfRange>, 13},
    {"XIllegalCallSequence", ThrowFromBody<XIllegalCallSequence>, 14},
    {"XInvariantCorrupt", ThrowFromBody<XInvariantCorrupt>, 15},
    {"XStdBadAlloc", ThrowFromBody<XStdBadAlloc>, 16},
    {"XStdRuntimeError", ThrowFromBody<XStdRuntimeError>, 17},
    {"XStdOverflowError", ThrowFromBody<XStdOverflowError>, 18},
    {"XStdUnderflowError", ThrowFromBody<XStdUnderflowError>, 19},
    {"XStdRangeError", ThrowFromBody<XStdRangeError>, 20},
    {"XUnsupportedFormat", ThrowFromBody<XUnsupportedFormat>, 21},
    {"XFormatViolation", ThrowFromBody<XFormatViolation>, 22},
    {"XVersionTooOld", ThrowFromBody<XVersionTooOld>, 23},
    {"XVersionTooNew", ThrowFromBody<XVersionTooNew>, 24},
    {"XRead", ThrowFromBody<XRead>, 25},
    {"XWrite", ThrowFromBody<XWrite>, 26},
    {"XOutOfSpace", ThrowFromBody<XOutOfSpace>, 27},
    {"XOutOfItems", ThrowFromBody<XOutOfItems>, 28},
    {"XCreate", ThrowFromBody<XCreate>, 29},
    {"XOpen", ThrowFromBody<XOpen>, 30},
    {"XClose", ThrowFromBody<XClose>, 31},
    {"XDelete", ThrowFromBody<XDelete>, 32},
    {"XResolve", ThrowFromBody<XResolve>, 33},
    {"XNotFound", ThrowFromBody<XNotFound>, 34},
    {"XAlreadyExists", ThrowFromBody<XAlreadyExists>, 35},
    {"XPermission", ThrowFromBody<XPermission>, 36},
    {"XLocked", ThrowFromBody<XLocked>, 37},
    {"XReadOnly", ThrowFromBody<XReadOnly>, 38},
    {"XNotReady", ThrowFromBody<XNotReady>, 39},
    {"XTimeout", ThrowFromBody<XTimeout>, 40},
    {"XAbort", ThrowFromBody<XAbort>, 41},
    {"XSilentAbort", ThrowFromBody<XSilentAbort>, 42},
    {"XUnitTestFailure", ThrowFromBody<XUnitTestFailure>, 43},
};

TEST(ExceptionClasses, ClassifyExceptionKnowsEveryStandardAndFrameworkClass)
{
    for (const TClassifyCase& c : kClassifyCases)
    {
        SCOPED_TRACE(c.fName);
        try
        {
            c.fThrow();
            ADD_FAILURE() << "nothing thrown";
        }
        catch (const std::exception& exception)
        {
            const TClassification classification = ClassifyException(exception);
            EXPECT_EQ(classification.fKind, c.fKind);
            EXPECT_STREQ(classification.fText.c_str(), c.fFixedText ? c.fFixedText : exception.what());
        }
    }
}

// Every kind thrown by ThrowConcreteException is the class that classifies back to it, catchable
// as its standard family and as the body.
TEST(ExceptionClasses, EveryKindThrowsItsClassWithBodyAndStandardBase)
{
    CExceptionBodyMixin body =
        AppendFrame(MakeBodyFromSite(TThrowSite{}), TExceptionFrame{TThrowSite{}, 34, "m", {}});
    for (u32 kind = kFailureCode_NonQuorralException; kind <= kFailureCode_UnitTestFailure; ++kind)
    {
        SCOPED_TRACE(kind);
        std::exception_ptr thrown;
        try
        {
            ThrowConcreteException(kind, body, "m");
        }
        catch (const CExceptionBodyMixin& caughtBody)
        {
            EXPECT_EQ(caughtBody.GetFrames().size(), 1u);
            thrown = std::current_exception();
        }
        try
        {
            std::rethrow_exception(thrown);
        }
        catch (const std::exception& exception)
        {
            EXPECT_EQ(ClassifyException(exception).fKind,
                      kind == kFailureCode_NonQuorralException ? kFailureCode_Exception : kind);
            const bool isRuntimeError = dynamic_cast<const std::runtime_error*>(&exception);
            const bool isLogicError = dynamic_cast<const std::logic_error*>(&exception);
            EXPECT_EQ(isRuntimeError, kind >= 17 && kind <= 42);
            EXPECT_EQ(isLogicError, kind >= 9 && kind <= 15);
            EXPECT_STREQ(exception.what(), kind == kFailureCode_BadAlloc ? "bad allocation" : "m");
        }
    }
}

TEST(ExceptionClasses, KindWithoutAClassThrowsUnknownExceptionNotAnInteger)
{
    for (u32 kind : {0u, 4u, 5u, 44u, 0xFFFFFFFFu})
    {
        SCOPED_TRACE(kind);
        try
        {
            ThrowConcreteException(kind, MakeBodyFromSite(TThrowSite{}), "m");
        }
        catch (const XStdException& exception)
        {
            EXPECT_STREQ(exception.what(), "Unknown exception");
        }
        catch (...)
        {
            ADD_FAILURE() << "not an XStdException";
        }
    }
}
} // namespace
