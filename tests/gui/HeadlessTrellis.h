#pragma once
// The real GUI library with headless answering on: alerts and folder choosers are recorded and
// answered from the test's queue, nothing is shown.
#include "dlls/trellis/TrellisHeadless.h"
#include "gui/TrellisInterface.h"

#include <gtest/gtest.h>

#include <vector>

// What headless answering recorded since it was turned on, in order.
inline std::vector<TTrellisHeadlessRecord> HeadlessRecords()
{
    u32 count = 0;
    EXPECT_EQ(TrellisHeadless_CountRecords(&count), kTrellisOK);
    std::vector<TTrellisHeadlessRecord> records(count);
    for (u32 i = 0; i < count; ++i)
        EXPECT_EQ(TrellisHeadless_GetRecord(i, &records[i]), kTrellisOK);
    return records;
}

class HeadlessTrellisTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CreateTrellisInterface();
        ASSERT_EQ(TrellisHeadless_Enable(1), kTrellisOK);
    }
    void TearDown() override
    {
        TrellisHeadless_Enable(0);
        ReleaseTrellisInterface();
    }

    static std::vector<TTrellisHeadlessRecord> Records() { return HeadlessRecords(); }
};
