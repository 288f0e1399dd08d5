#include "base/CodeModule.h"
#include "base/Quorral.h"
#include "base/TextConversions.h"

#include "tests/support/TextLiterals.h"

#include <gtest/gtest.h>

namespace
{
NSFerrant::TCodeModuleInfo MakeInfo(const char* name)
{
    return NSFerrant::TCodeModuleInfo(nullptr, MakeText(u"VantlePacker.exe"),
                                      NSTextPackage::ASCIIToUTF16(name, 0), GetModuleHandleW(nullptr));
}

TEST(CodeModule, TheFirstModuleBuiltStaysCurrentUntilAModuleEnds)
{
    ASSERT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
    {
        NSFerrant::CApplicationTarget application(MakeInfo("Vantle Packer"));
        EXPECT_EQ(NSFerrant::GetCurrentCodeModule(), &application);
        EXPECT_EQ(NSFerrant::GetCodeModuleName(), MakeText(u"Vantle Packer"));
        {
            NSFerrant::CApplicationTarget second(MakeInfo("Second"));
            EXPECT_EQ(NSFerrant::GetCurrentCodeModule(), &application);
        }
        // Ending any module clears the registration.
        EXPECT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
    }
    EXPECT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
}

TEST(CodeModule, NameWithoutAModuleIsAnIllegalCallNotACrash)
{
    ASSERT_EQ(NSFerrant::GetCurrentCodeModule(), nullptr);
    EXPECT_THROW(NSFerrant::GetCodeModuleName(), NSQuorral::XIllegalCallSequence);
}
} // namespace
