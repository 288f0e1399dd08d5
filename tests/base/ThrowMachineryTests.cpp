#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <cstring>
#include <typeinfo>

using namespace NSQuorral;

namespace
{
// Runs a throw statement and hands back what it threw, for inspection after the handler.
template <class TThrow> std::exception_ptr Capture(TThrow throwStatement)
{
    try
    {
        throwStatement();
    }
    catch (...)
    {
        return std::current_exception();
    }
    ADD_FAILURE() << "nothing was thrown";
    return nullptr;
}

// Calls inspect with the captured exception as a std::exception.
template <class TInspect> void Inspect(const std::exception_ptr& thrown, TInspect inspect)
{
    try
    {
        std::rethrow_exception(thrown);
    }
    catch (const std::exception& exception)
    {
        inspect(exception);
    }
    catch (...)
    {
        ADD_FAILURE() << "not a std::exception";
    }
}

[[noreturn]] void ThrowNotFoundWithFileType()
{
    ThrowException((CThrowContext(TThrowSite{}) << XNotFound("no such sample"))
                       .SetTargetObjectType(GetFileObjectType()));
}

TEST(ThrowMachinery, ThrownExceptionKeepsClassAndMessageAndGathersIntoOneEntry)
{
    Inspect(Capture(ThrowNotFoundWithFileType),
            [](const std::exception& exception)
            {
                ASSERT_EQ(typeid(exception), typeid(XNotFound));
                EXPECT_STREQ(exception.what(), "no such sample");
                const CExceptionBodyMixin body = GetExceptionBody(exception);
                EXPECT_FALSE(body.IsFresh());
                EXPECT_EQ(body.GetKind(), kFailureCode_RuntimeError_NotFound);
                const std::vector<TExceptionFrame> entries = GatherFrames(body);
                ASSERT_EQ(entries.size(), 1u);
                EXPECT_EQ(entries[0].GetKind(), kFailureCode_RuntimeError_NotFound);
                EXPECT_EQ(entries[0].GetMessage(), "no such sample");
                EXPECT_TRUE(HasTargetObjectType(body, GetFileObjectType()));
            });
}

TEST(ThrowMachinery, RethrowWithNewObjectTypeKeepsClassAndReadsTheLastType)
{
    const std::exception_ptr rethrown = Capture(
        []
        {
            try
            {
                ThrowNotFoundWithFileType();
            }
            catch (const XNotFound& caught)
            {
                ThrowException((CThrowContext(TThrowSite{}) << caught)
                                   .SetTargetObjectType(GetDiskObjectType())
                                   .SetProperty(MakeStringProperty(GetTargetObjectIDKey(), "a.wav")));
            }
        });
    Inspect(rethrown,
            [](const std::exception& exception)
            {
                ASSERT_EQ(typeid(exception), typeid(XNotFound));
                EXPECT_STREQ(exception.what(), "no such sample");
                const CExceptionBodyMixin body = GetExceptionBody(exception);
                EXPECT_EQ(body.GetFrames().size(), 2u);
                EXPECT_EQ(body.GetFrames()[1].GetKind(), kFailureCode_UndefinedException);
                EXPECT_TRUE(HasTargetObjectType(body, GetDiskObjectType()));
                EXPECT_FALSE(HasTargetObjectType(body, GetFileObjectType()));
                const TPropertyValue id = GetProperty(body, GetTargetObjectIDKey());
                ASSERT_EQ(id.GetTag(), kPropertyTag_Text);
                EXPECT_STREQ(id.GetText(), "a.wav");
                EXPECT_EQ(id.GetValue(), reinterpret_cast<u64>(id.GetText()));
                // Each key once, in the order of its last occurrence.
                const TExceptionFrame last = GetLastFrame(body);
                ASSERT_EQ(last.fProperties.size(), 2u);
                EXPECT_EQ(last.fProperties[0].fKey, GetTargetObjectTypeKey());
                EXPECT_EQ(last.fProperties[1].fKey, GetTargetObjectIDKey());
            });
}

TEST(ThrowMachinery, CopyOfThrownExceptionCarriesAnEqualBody)
{
    Inspect(Capture(ThrowNotFoundWithFileType),
            [](const std::exception& exception)
            {
                const XNotFound copy = dynamic_cast<const XNotFound&>(exception);
                EXPECT_STREQ(copy.what(), "no such sample");
                EXPECT_EQ(copy.GetFrames().size(), 1u);
                EXPECT_TRUE(HasTargetObjectType(copy, GetFileObjectType()));
            });
}

TEST(ThrowMachinery, SecondValueOfAKeyWinsOnOneContext)
{
    const std::exception_ptr thrown = Capture(
        []
        {
            ThrowException((CThrowContext(TThrowSite{}) << XFormatViolation(""))
                               .SetProperty(MakeIntegerProperty("line_number", 7))
                               .SetProperty(MakeIntegerProperty("line_number", 0xFFFFFFFF)));
        });
    Inspect(thrown,
            [](const std::exception& exception)
            {
                const TPropertyValue line = GetProperty(GetExceptionBody(exception), "line_number");
                EXPECT_EQ(line.GetTag(), kPropertyTag_Integer);
                EXPECT_EQ(line.GetValue(), 0xFFFFFFFFull); // zero-extended, not sign-extended
                EXPECT_EQ(GetLastFrame(GetExceptionBody(exception)).fProperties.size(), 1u);
            });
}

TEST(ThrowMachinery, PropertySetBeforeAttachingAFreshExceptionIsLost)
{
    const std::exception_ptr thrown = Capture(
        []
        {
            CThrowContext context{TThrowSite{}};
            context.SetTargetObjectType(GetFileObjectType());
            context << XRead("");
            ThrowException(context);
        });
    Inspect(thrown,
            [](const std::exception& exception)
            {
                EXPECT_EQ(typeid(exception), typeid(XRead));
                EXPECT_EQ(GetProperty(GetExceptionBody(exception), GetTargetObjectTypeKey()).GetTag(),
                          kPropertyTag_Empty);
            });
}

TEST(ThrowMachinery, ObjectTypeStoredAsTextIsNoObjectType)
{
    const std::exception_ptr thrown = Capture(
        []
        {
            ThrowException((CThrowContext(TThrowSite{}) << XOpen(""))
                               .SetProperty(MakeStringProperty(GetTargetObjectTypeKey(), "file")));
        });
    Inspect(thrown, [](const std::exception& exception)
            { EXPECT_FALSE(HasTargetObjectType(GetExceptionBody(exception), GetFileObjectType())); });
}

TEST(ThrowMachinery, MissingPropertyReadsEmpty)
{
    Inspect(Capture(ThrowNotFoundWithFileType),
            [](const std::exception& exception)
            {
                const TPropertyValue value = GetProperty(GetExceptionBody(exception), "error_code");
                EXPECT_EQ(value.GetTag(), kPropertyTag_Empty);
                EXPECT_EQ(value.GetValue(), 0u);
                EXPECT_EQ(value.GetText(), nullptr);
            });
}

// Standard exceptions streamed into a context come out as the framework's wrapper classes.
struct TStandardCase
{
    const char* fName;
    void (*fThrowStandard)();
    const std::type_info& fThrownClass;
    const char* fWhat;
};

const TStandardCase kStandardCases[] = {
    {"std::exception", [] { throw std::exception(); }, typeid(XStdException), "Unknown exception"},
    {"std::bad_cast", [] { throw std::bad_cast(); }, typeid(XStdException), "std::bad_cast"},
    {"std::bad_alloc", [] { throw std::bad_alloc(); }, typeid(XStdBadAlloc), "bad allocation"},
    {"std::out_of_range", [] { throw std::out_of_range("index 9"); }, typeid(XStdOutOfRange), "index 9"},
    {"std::runtime_error", [] { throw std::runtime_error("r"); }, typeid(XStdRuntimeError), "r"},
    {"std::domain_error", [] { throw std::domain_error("d"); }, typeid(XStdDomainError), "d"},
};

TEST(ThrowMachinery, StandardExceptionsBecomeTheirWrapperClasses)
{
    for (const TStandardCase& c : kStandardCases)
    {
        SCOPED_TRACE(c.fName);
        const std::exception_ptr thrown = Capture(
            [&]
            {
                try
                {
                    c.fThrowStandard();
                }
                catch (const std::exception& caught)
                {
                    ThrowException(CThrowContext(TThrowSite{}) << caught);
                }
            });
        Inspect(thrown,
                [&](const std::exception& exception)
                {
                    EXPECT_EQ(typeid(exception), c.fThrownClass);
                    EXPECT_STREQ(exception.what(), c.fWhat);
                });
    }
}

TEST(ThrowMachinery, BodyOfAPlainThrowIsOneClassifiedFrame)
{
    Inspect(Capture([] { throw XVersionTooNew("version 9.0"); }),
            [](const std::exception& exception)
            {
                const CExceptionBodyMixin body = GetExceptionBody(exception);
                EXPECT_FALSE(body.IsFresh());
                ASSERT_EQ(body.GetFrames().size(), 1u);
                EXPECT_EQ(body.GetFrames()[0].GetKind(), kFailureCode_RuntimeError_VersionTooNew);
                EXPECT_EQ(body.GetFrames()[0].GetMessage(), "version 9.0");
            });
}

TEST(ThrowMachinery, ExceptionMadeFromAMessageIsFreshUntilThrown)
{
    const XFormatViolation made("bad magic");
    EXPECT_TRUE(made.IsFresh());
    EXPECT_STREQ(made.what(), "bad magic");
    EXPECT_EQ(made.GetKind(), kFailureCode_UndefinedException);
    EXPECT_TRUE(made.GetFrames().empty());
}

TEST(ThrowMachinery, ContextWithNothingAttachedThrowsUnknownException)
{
    Inspect(Capture(
                []
                {
                    CThrowContext context{TThrowSite{}};
                    ThrowException(context);
                }),
            [](const std::exception& exception)
            {
                EXPECT_EQ(typeid(exception), typeid(XStdException));
                EXPECT_STREQ(exception.what(), "Unknown exception");
            });
}

TEST(ThrowMachinery, WrapperClassesAnswerTheirFixedTexts)
{
    const CExceptionBodyMixin body = MakeBodyFromSite(TThrowSite{});
    EXPECT_STREQ(XStdException(body, "held here").what(), "held here");
    EXPECT_STREQ(XStdBadAlloc(body, "ignored").what(), "bad allocation");
    EXPECT_STREQ(XUnitTestFailure("check failed").what(), "check failed");
}
} // namespace
