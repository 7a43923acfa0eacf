// The data arrangement without its window: moves, deletion, the undo of
// every step, and the step that applies the entries to the slabs.
#include <gtest/gtest.h>

#include "dialogs/SlabArrangement.h"

using namespace korvexa;
using dialogs::ApplyArrangement;
using dialogs::ArrangementEntry;
using dialogs::SlabArrangement;

namespace {

std::vector<std::string> Names(int n)
{
    std::vector<std::string> names;
    for (int i = 1; i <= n; ++i)
        names.push_back("S" + std::to_string(i));
    return names;
}

std::vector<int> Order(const SlabArrangement& arrangement)
{
    std::vector<int> order;
    for (const ArrangementEntry& entry : arrangement.Entries())
        order.push_back(entry.slab);
    return order;
}

std::vector<SlabData> Slabs(int n)
{
    std::vector<SlabData> slabs(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        slabs[static_cast<std::size_t>(i)].Name = "S" + std::to_string(i + 1);
        slabs[static_cast<std::size_t>(i)].Lx = i + 1;  // tells the records apart
    }
    return slabs;
}

}  // namespace

TEST(SlabArrangement, MovesOneEntry)
{
    struct Case {
        int from, to;
        bool moved;
        std::vector<int> order;
    };
    const Case cases[] = {
        {2, 0, true, {3, 1, 2, 4}},  // entry 3 dropped on entry 1
        {0, 2, true, {2, 3, 1, 4}},  // entry 1 dropped on entry 3
        {3, 2, true, {1, 2, 4, 3}},
        {1, 1, false, {1, 2, 3, 4}},
        {0, 4, false, {1, 2, 3, 4}},  // below the entries
        {-1, 0, false, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SlabArrangement arrangement;
        arrangement.Reset(Names(4));
        EXPECT_EQ(arrangement.Move(c.from, c.to), c.moved) << c.from << "->" << c.to;
        EXPECT_EQ(Order(arrangement), c.order) << c.from << "->" << c.to;
    }
}

TEST(SlabArrangement, UndoPutsDeletionsBackInReverseOrder)
{
    SlabArrangement arrangement;
    arrangement.Reset(Names(5));
    EXPECT_FALSE(arrangement.CanUndo());
    EXPECT_EQ(arrangement.Undo(), -1);
    ASSERT_TRUE(arrangement.Delete(1));  // slab 2
    ASSERT_TRUE(arrangement.Delete(2));  // slab 4, now the third line
    EXPECT_EQ(Order(arrangement), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(arrangement.Undo(), 2);
    EXPECT_EQ(Order(arrangement), (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(arrangement.Undo(), 1);
    EXPECT_EQ(Order(arrangement), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_FALSE(arrangement.CanUndo());

    arrangement.Delete(0);
    arrangement.Reset(Names(2));  // a fresh arrangement forgets the deletions
    EXPECT_FALSE(arrangement.CanUndo());
}

// Moves, renames and deletions mixed are taken back one step at a time,
// each leaving the list as it was before that step.
TEST(SlabArrangement, UndoTakesBackEachStepInReverseOrder)
{
    SlabArrangement arrangement;
    arrangement.Reset(Names(5));
    std::vector<std::vector<ArrangementEntry>> before;
    const auto step = [&](bool changed) {
        EXPECT_TRUE(changed);
        return changed;
    };
    before.push_back(arrangement.Entries());
    step(arrangement.Move(4, 0));  // slab 5 first
    before.push_back(arrangement.Entries());
    step(arrangement.Rename(0, "F"));
    before.push_back(arrangement.Entries());
    step(arrangement.Delete(2));  // slab 2
    before.push_back(arrangement.Entries());
    step(arrangement.Move(0, 3));
    EXPECT_FALSE(arrangement.Rename(0, "S1"));  // its name already: no step
    const int rows[] = {4, 0, 2, 0};  // where the entry stands once step i is undone
    for (int i = 3; i >= 0; --i) {
        ASSERT_NE(arrangement.LastStep(), nullptr);
        EXPECT_EQ(arrangement.Undo(), rows[i]) << i;
        EXPECT_EQ(arrangement.Entries(), before[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(arrangement.LastStep(), nullptr);
}

TEST(SlabArrangement, LastEntryIsNotDeleted)
{
    SlabArrangement arrangement;
    arrangement.Reset(Names(2));
    EXPECT_FALSE(arrangement.CanDelete(2));
    EXPECT_TRUE(arrangement.Delete(0));
    EXPECT_FALSE(arrangement.CanDelete(0));
    EXPECT_FALSE(arrangement.Delete(0));
    EXPECT_EQ(arrangement.Count(), 1);
}

TEST(ApplyArrangement, CountsChangesAndBuildsTheNewList)
{
    struct Case {
        const char* what;
        void (*edit)(SlabArrangement&);
        int changes;
        std::vector<int> order;  // records' Lx: which slab stands where
    };
    const Case cases[] = {
        {"nothing", [](SlabArrangement&) {}, 0, {}},
        {"rename 2", [](SlabArrangement& a) { a.Rename(1, "B"); }, 1, {1, 2, 3, 4}},
        {"same name again", [](SlabArrangement& a) { a.Rename(1, "S2"); }, 0, {}},
        {"3 onto 1", [](SlabArrangement& a) { a.Move(2, 0); }, 3, {3, 1, 2, 4}},
        {"delete 2", [](SlabArrangement& a) { a.Delete(1); }, 3, {1, 3, 4}},
        {"delete the last", [](SlabArrangement& a) { a.Delete(3); }, 1, {1, 2, 3}},
        {"delete and undo", [](SlabArrangement& a) { a.Delete(1), a.Undo(); }, 0, {}},
    };
    const std::vector<SlabData> slabs = Slabs(4);
    for (const Case& c : cases) {
        SlabArrangement arrangement;
        arrangement.Reset(Names(4));
        c.edit(arrangement);
        const dialogs::ArrangementResult result = ApplyArrangement(arrangement.Entries(), slabs);
        EXPECT_EQ(result.changes, c.changes) << c.what;
        std::vector<int> order;
        for (const SlabData& slab : result.slabs)
            order.push_back(static_cast<int>(slab.Lx));
        EXPECT_EQ(order, c.order) << c.what;
    }
}

// Far more slabs than three digits hold: the thousandth is still itself.
TEST(ApplyArrangement, TwelveHundredSlabs)
{
    SlabArrangement arrangement;
    arrangement.Reset(Names(1200));
    ASSERT_TRUE(arrangement.Move(999, 0));    // slab 1000 first
    ASSERT_TRUE(arrangement.Move(1199, 1));   // slab 1200 second
    ASSERT_TRUE(arrangement.Delete(100));     // the line of slab 99
    const auto result = ApplyArrangement(arrangement.Entries(), Slabs(1200));
    ASSERT_EQ(result.slabs.size(), 1199u);
    EXPECT_EQ(result.slabs[0].Lx, 1000);
    EXPECT_EQ(result.slabs[0].Name, "S1000");
    EXPECT_EQ(result.slabs[1].Lx, 1200);
    EXPECT_EQ(result.slabs[2].Lx, 1);
    EXPECT_EQ(result.slabs[100].Lx, 100);  // 99 is gone
    EXPECT_EQ(result.slabs[1198].Lx, 1199);
}
