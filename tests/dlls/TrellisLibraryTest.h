#pragma once
// The library's interface, made for each test and released after it.
#include "base/LibraryStatusTables.h"
#include "dlls/trellis/Trellis.h"

#include <gtest/gtest.h>

class TrellisLibraryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        u32 status = kTrellisOK;
        fTrellis = Trellis_Create("ITrellis", &status);
        ASSERT_EQ(status, kTrellisOK);
        ASSERT_NE(fTrellis, nullptr);
    }

    void TearDown() override
    {
        if (fTrellis)
            fTrellis->Release(1);
    }

    ITrellis* fTrellis = nullptr;
};
