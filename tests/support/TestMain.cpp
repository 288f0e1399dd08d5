// Shared entry point of every test executable: the process is set up as the program's own
// entry point sets it up before any test runs.
#include "base/ObjectTypeTables.h"

#include <gtest/gtest.h>
#include <objbase.h>

int main(int argc, char** argv)
{
    NSQuorral::RegisterApplicationObjectTypeTable(NSQuorral::GetApplicationObjectTypeTable());
    ::testing::InitGoogleTest(&argc, argv);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(com))
        CoUninitialize();
    return result;
}
