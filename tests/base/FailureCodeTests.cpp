#include "base/FailureCodes.h"
#include "base/Quorral.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace NSQuorral;

namespace
{
TObjectTypeTable Registered()
{
    return GetRegisteredApplicationObjectTypeTable();
}

struct TCodeCase
{
    u32 fKind;
    const char* fObjectType;
    TFailureCode fCode;
    const char* fDecodedObjectType; // what survives the packing
};

const TCodeCase kCodeCases[] = {
    {34, "file", 0x220109BA, "file"},           // generic row 9
    {22, "kiv_file", 0x16020ABA, "kiv_file"},   // application row 10
    {41, "", 0x290000BA, ""},                   // no object type
    {34, "vantle", 0x220000BA, ""},             // in neither table: dropped
    {9, "range", 0x090100BA, "range"},          // first generic row
    {17, "directory", 0x11011FBA, "directory"}, // last generic row
    {21, "search_operation", 0x150200BA, "search_operation"},
    {43, "hsq_magic", 0x2B0216BA, "hsq_magic"}, // last application row, after the unused ones
    {42, "File", 0x2A0000BA, ""},               // names are case-sensitive
};

TEST(FailureCodes, EncodeAndDecodeTheKnownVectors)
{
    for (const TCodeCase& c : kCodeCases)
    {
        SCOPED_TRACE(c.fObjectType);
        EXPECT_EQ(EncodeFailureCode({c.fKind, c.fObjectType}, Registered()), c.fCode);
        const TFailureInfo decoded = DecodeFailureCode(c.fCode, Registered());
        EXPECT_EQ(decoded.fKind, c.fKind);
        EXPECT_STREQ(decoded.fObjectType.c_str(), c.fDecodedObjectType);
    }
}

TEST(FailureCodes, DecodingIgnoresBit31AndTheMarkerByte)
{
    for (TFailureCode code : {0xA20109BAu, 0x22010900u, 0x220109FFu})
    {
        const TFailureInfo decoded = DecodeFailureCode(code, Registered());
        EXPECT_EQ(decoded.fKind, 34u);
        EXPECT_STREQ(decoded.fObjectType.c_str(), "file");
    }
}

struct TRejectCase
{
    TFailureCode fCode;
    const char* fMessage;
};

const TRejectCase kRejectCases[] = {
    {0x040000BA, "Illegal Quorral failure_code!"}, // kind 4
    {0x2C0000BA, "Illegal Quorral failure_code!"}, // kind 44, the end-of-table marker
    {0x000000BA, "Illegal Quorral failure_code!"},
    {0xFF0000BA, "Illegal Quorral failure_code!"}, // kind 127 after bit 31 is dropped
    {0x220300BA, "Unknown group for target object type!"},
    {0x22FF00BA, "Unknown group for target object type!"},
};

TEST(FailureCodes, BadKindOrGroupIsADomainErrorWithItsMessage)
{
    for (const TRejectCase& c : kRejectCases)
    {
        SCOPED_TRACE(c.fCode);
        try
        {
            DecodeFailureCode(c.fCode, Registered());
            ADD_FAILURE() << "decoded";
        }
        catch (const XStdDomainError& exception)
        {
            EXPECT_STREQ(exception.what(), c.fMessage);
            EXPECT_EQ(GetLastFrame(GetExceptionBody(exception)).GetKind(), kFailureCode_LogicError_Domain);
        }
    }
}

TEST(FailureCodes, IndexPastItsTableDecodesWithoutObjectType)
{
    for (TFailureCode code : {0x220120BAu, 0x2201FFBAu, 0x220217BAu, 0x2202FFBAu})
    {
        SCOPED_TRACE(code);
        const TFailureInfo decoded = DecodeFailureCode(code, Registered());
        EXPECT_EQ(decoded.fKind, 34u);
        EXPECT_TRUE(decoded.fObjectType.IsEmpty());
    }
    // Before the application registers its table, group 2 names nothing.
    const TFailureInfo unregistered = DecodeFailureCode(0x16020ABA, TObjectTypeTable());
    EXPECT_EQ(unregistered.fKind, 22u);
    EXPECT_TRUE(unregistered.fObjectType.IsEmpty());
}

TEST(FailureCodes, ApplicationRowBeyondTheIndexByteIsDropped)
{
    std::vector<TFixedName> rows(300, TFixedName("filler"));
    rows[255] = "last_that_fits";
    rows[256] = "one_too_far";
    const TObjectTypeTable large{rows.data(), static_cast<u32>(rows.size())};
    EXPECT_EQ(EncodeFailureCode({34, "last_that_fits"}, large), 0x2202FFBAu);
    EXPECT_EQ(EncodeFailureCode({34, "one_too_far"}, large), 0x220000BAu);
}

TEST(FailureCodes, NamesLongerThanTheirFixedSizeAreCut)
{
    const std::string longName(70, 'x');
    const TFixedName name(longName.c_str());
    EXPECT_EQ(std::string(name.c_str()), longName.substr(0, 64));
}

TEST(FailureCodes, ApplicationTableIsRegisteredAndKeepsItsRowsInPlace)
{
    const TObjectTypeTable table = GetApplicationObjectTypeTable();
    EXPECT_EQ(table.fCount, 23u);
    EXPECT_EQ(GetApplicationObjectTypeTable().fRows, table.fRows);
    EXPECT_EQ(Registered().fRows, table.fRows);
    EXPECT_EQ(Registered().fCount, table.fCount);
    EXPECT_STREQ(table.fRows[15].c_str(), "farside");
    EXPECT_STREQ(table.fRows[19].c_str(), "pondus_lua_file");

    // Every name of both tables is distinct, so each encodes to its own row.
    std::set<std::string> names;
    const TObjectTypeTable generic = GetGenericObjectTypeTable();
    EXPECT_EQ(generic.fCount, 32u);
    for (const TObjectTypeTable& t : {generic, table})
    {
        for (u32 row = 0; row < t.fCount; ++row)
            EXPECT_TRUE(names.insert(t.fRows[row].c_str()).second) << t.fRows[row].c_str();
    }
}
} // namespace
