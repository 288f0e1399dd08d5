// The entries of one level of a package's tree: kept in the order added, found by name ignoring
// case, the first added winning, whatever the hashes do to the table (hashes are given here, so
// collisions and long probe runs across the table's growth are made on purpose).
#include "content/package/NamedEntries.h"
#include "tests/content/ContentTestSupport.h"

#include <string>

namespace
{
struct TNode
{
    const NSTextPackage::TUTF16String& GetName() const { return fName; }

    NSTextPackage::TUTF16String fName;
    int fNumber;
    bool fFolder;
};
using TNodePtr = std::shared_ptr<TNode>;

struct TNamedEntriesCase
{
    const char* fWhat;
    int fCount;
    // The hash entry i is added under, and its name (in the case it is added).
    u32 (*fHash)(int i);
    std::string (*fName)(int i);
};

const TNamedEntriesCase kCases[] = {
    {"true hashes", 1000, [](int i) { return HashEntryName(U("e" + std::to_string(i))); },
     [](int i) { return "e" + std::to_string(i); }},
    {"one hash for all", 300, [](int) { return 7u; }, [](int i) { return "e" + std::to_string(i); }},
    {"hashes of one home slot in every table size", 300, [](int i) { return u32(i) << 16; },
     [](int i) { return "e" + std::to_string(i); }},
    {"neighbouring hashes whose runs overlap", 300, [](int i) { return u32(i % 5); },
     [](int i) { return "e" + std::to_string(i); }},
    {"the highest hashes", 300, [](int i) { return ~u32(i % 3); },
     [](int i) { return "E" + std::to_string(i); }},
};

// Entries 0 to count - 1; after entry 3, namesakes of it (numbered -1, -2, ...), so that the
// table grows several times after they were added.
TNamedEntries<TNode> Fill(const TNamedEntriesCase& fill, const std::vector<TNode>& namesakesOf3 = {})
{
    TNamedEntries<TNode> entries;
    for (int i = 0; i < fill.fCount; ++i)
    {
        entries.Add(std::make_shared<TNode>(TNode{U(fill.fName(i)), i, i % 2 == 0}), fill.fHash(i));
        if (i == 3)
        {
            for (const TNode& namesake : namesakesOf3)
                entries.Add(std::make_shared<TNode>(namesake), fill.fHash(3));
        }
    }
    return entries;
}

std::string Upper(std::string name)
{
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

std::string Lower(std::string name)
{
    for (char& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

TEST(NamedEntries, EveryEntryIsFoundByItsNameInAnyCaseAndKeptInOrder)
{
    for (const TNamedEntriesCase& fill : kCases)
    {
        const TNamedEntries<TNode> entries = Fill(fill);
        ASSERT_EQ(entries.InOrder().size(), std::size_t(fill.fCount)) << fill.fWhat;
        for (int i = 0; i < fill.fCount; ++i)
        {
            EXPECT_EQ(entries.InOrder()[std::size_t(i)]->fNumber, i) << fill.fWhat;
            const std::string name = fill.fName(i);
            for (const std::string& asked : {Upper(name), Lower(name)})
            {
                const TNodePtr found = entries.Find(U(asked), fill.fHash(i));
                ASSERT_TRUE(found) << fill.fWhat << ": " << asked;
                EXPECT_EQ(found->fNumber, i) << fill.fWhat << ": " << asked;
            }
        }
        EXPECT_FALSE(entries.Find(U("absent"), fill.fHash(0))) << fill.fWhat;
    }
}

TEST(NamedEntries, TheFirstEntryAddedUnderANameWinsAndAcceptSkipsOthers)
{
    for (const TNamedEntriesCase& fill : kCases)
    {
        const u32 hash = fill.fHash(3);
        // A file first, in other cases.
        TNamedEntries<TNode> entries = Fill(fill, {{U(Upper(fill.fName(3))), -1, false},
                                                   {U(Lower(fill.fName(3))), -2, true},
                                                   {U(fill.fName(3)), -3, true}});
        EXPECT_EQ(entries.Find(U(fill.fName(3)), hash)->fNumber, 3) << fill.fWhat;
        // Entry 3 is a file (odd): the first folder of the name is the later one.
        EXPECT_EQ(
            entries.Find(U(fill.fName(3)), hash, [](const TNode& node) { return node.fFolder; })->fNumber, -2)
            << fill.fWhat;
        EXPECT_FALSE(entries.Find(U(fill.fName(3)), hash, [](const TNode&) { return false; })) << fill.fWhat;

        const std::vector<TNodePtr> taken = entries.Take();
        ASSERT_EQ(taken.size(), std::size_t(fill.fCount) + 3) << fill.fWhat;
        EXPECT_EQ(taken[4]->fNumber, -1) << fill.fWhat;
        EXPECT_EQ(taken.back()->fNumber, fill.fCount - 1) << fill.fWhat;
        EXPECT_TRUE(entries.InOrder().empty()) << fill.fWhat;
        EXPECT_FALSE(entries.Find(U(fill.fName(3)), hash)) << fill.fWhat;
    }
}
} // namespace
