// The rules of the slab list: template, add, copy, delete, names.
#include <gtest/gtest.h>

#include "app/SlabList.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;
using app::SlabList;

namespace {

// Gives the current slab spans and designs it.
void DesignCurrent(SlabList& list, double lx = 3, double ly = 4)
{
    list.Current().Lx = lx;
    list.Current().Ly = ly;
    ASSERT_EQ(DesignSlab(list.Current(), CommonSettings{}, BarData{}), 0);
}

// The add, copy and delete commands as the window carries them out.
SlabList::AddResult Add(SlabList& list)
{
    const SlabList::AddResult result = list.AddOutcome();
    if (result == SlabList::AddResult::Added)
        list.Append();
    else if (result == SlabList::AddResult::MovedToLast)
        list.SetCurrentIndex(list.Count());
    return result;
}

SlabList::CopyResult Copy(SlabList& list)
{
    const SlabList::CopyResult result = list.CopyOutcome();
    const SlabData copy = list.Current();
    if (result == SlabList::CopyResult::Appended) {
        list.Insert(list.Count() + 1, copy);
    } else if (result == SlabList::CopyResult::OverwroteLast) {
        list.At(list.Count()) = copy;
        list.SetCurrentIndex(list.Count());
    }
    return result;
}

void DeleteCurrent(SlabList& list) { list.Remove(list.CurrentIndex()); }

// A list as read from a file, of slabs with these names.
SlabList ListOf(std::initializer_list<const char*> names)
{
    std::vector<SlabData> slabs;
    for (const char* name : names) {
        slabs.emplace_back();
        slabs.back().Name = name;
    }
    SlabList list;
    list.Replace(std::move(slabs));
    return list;
}

}  // namespace

TEST(SlabList, StartsWithOneSlabS1)
{
    SlabList list;
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.Current().Name, "S1");
    EXPECT_EQ(list.Current().Bind, SlabData{}.Bind);
    EXPECT_EQ(list.CountCalculated(), 0);
}

TEST(SlabList, AddNeedsADesignedSlabAndInheritsItsInputs)
{
    SlabList list;
    EXPECT_EQ(Add(list), SlabList::AddResult::Refused);
    EXPECT_EQ(list.Count(), 1);

    list.Current().Bind = BindFixed2AdjSupported;
    list.Current().FL = 900;
    list.Current().Pitch[0][0] = 150;
    list.Current().Bar[1][1] = {BarD13, BarNone};
    DesignCurrent(list);
    EXPECT_EQ(Add(list), SlabList::AddResult::Added);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CurrentIndex(), 2);
    const SlabData& s2 = list.Current();
    EXPECT_EQ(s2.Name, "S2");
    EXPECT_EQ(s2.Bind, BindFixed2AdjSupported);
    EXPECT_EQ(s2.FL, 900);
    EXPECT_EQ(s2.Bar[1][1][0], BarD13);
    EXPECT_EQ(s2.Lx, 0);
    EXPECT_EQ(s2.Ly, 0);
    EXPECT_EQ(s2.Pitch[0][0], 0);
    EXPECT_FALSE(s2.Calculated);

    // With S2 undesigned, adding from S1 only moves to S2.
    list.SetCurrentIndex(1);
    EXPECT_EQ(Add(list), SlabList::AddResult::MovedToLast);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CurrentIndex(), 2);
}

TEST(SlabList, CopyAppendsOrOverwritesTheUndesignedLast)
{
    SlabList list;
    EXPECT_EQ(Copy(list), SlabList::CopyResult::Refused);
    DesignCurrent(list);
    Add(list);  // S2, undesigned
    list.SetCurrentIndex(1);
    EXPECT_EQ(Copy(list), SlabList::CopyResult::OverwroteLast);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(2).Name, "S1");
    EXPECT_EQ(list.At(2).Lx, 3);
    EXPECT_EQ(list.CurrentIndex(), 2);

    EXPECT_EQ(Copy(list), SlabList::CopyResult::Appended);  // both designed now
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Current().Name, "S1");
    EXPECT_EQ(list.CountCalculated(), 3);
}

TEST(SlabList, DeleteKeepsAValidCurrentSlab)
{
    SlabList list;
    for (int i = 0; i < 2; ++i) {
        DesignCurrent(list);
        Add(list);
    }
    DesignCurrent(list);
    ASSERT_EQ(list.Count(), 3);

    DeleteCurrent(list);  // the last: the one before it becomes current
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(list.Current().Name, "S2");

    list.SetCurrentIndex(1);
    DeleteCurrent(list);  // the first: the old second moves up
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Current().Name, "S2");
    DeleteCurrent(list);  // never below one slab
    EXPECT_EQ(list.Count(), 1);
}

TEST(SlabList, NewNamesFollowTheIndexNotTheNames)
{
    SlabList list;
    for (int i = 0; i < 2; ++i) {
        DesignCurrent(list);
        Add(list);
    }
    DesignCurrent(list);
    list.SetCurrentIndex(2);
    DeleteCurrent(list);  // S1, S3
    list.SetCurrentIndex(2);
    Add(list);
    EXPECT_EQ(list.Current().Name, "S3");
    EXPECT_EQ(list.At(2).Name, "S3");
}

TEST(SlabList, ReplaceFromAFile)
{
    SlabList list = ListOf({"A", "B"});
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.Current().Name, "A");
    EXPECT_EQ(list.Template().Name, "");

    list.Replace({});  // a file without slabs
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Current().Name, "S1");
}

// Undo puts a removed slab back where it was, the slabs after it moving on.
TEST(SlabList, InsertAndRemoveAtAnyPlace)
{
    SlabList list = ListOf({"A", "B"});
    list.Insert(2, ListOf({"X"}).Current());
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(list.At(3).Name, "B");
    list.SetCurrentIndex(3);
    list.Remove(2);
    EXPECT_EQ(list.At(2).Name, "B");
    EXPECT_EQ(list.CurrentIndex(), 2);
}
