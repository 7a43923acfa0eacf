// The strength choices and the unit weight of the concrete.
#include <gtest/gtest.h>

#include "app/FcList.h"
#include "engine/SlabData.h"

using namespace korvexa;
using namespace korvexa::app;

TEST(FcList, StandardChoicesAndAdditions)
{
    TFc_List list;
    list.FcListReset();
    EXPECT_EQ(list.Count(), 15);
    EXPECT_EQ(list.FcListAt(0), 18);
    EXPECT_EQ(list.FcListAt(14), 60);
    EXPECT_EQ(list.FcListAt(-3), 18);
    EXPECT_EQ(list.FcListAt(99), 60);
    EXPECT_EQ(list.FcListIndexOf(21), 1);
    EXPECT_EQ(list.FcListIndexOf(22), -1);

    EXPECT_TRUE(list.FcListAdd(40));
    EXPECT_EQ(list.FcListIndexOf(40), 8);  // between 39 and 42
    EXPECT_FALSE(list.FcListAdd(40));      // no duplicates
    EXPECT_FALSE(list.FcListAdd(17.5));    // below the lowest strength
    list.SetMaxFc(MaxFcOf(ConcreteLight2));
    EXPECT_FALSE(list.FcListAdd(30));      // above the lightweight limit
    EXPECT_TRUE(list.FcListAdd(19.5));
    EXPECT_EQ(list.FcListIndexOf(19.5), 1);
}

TEST(FcList, UnitWeightByConcreteAndStrength)
{
    EXPECT_EQ(UnitWeightFor(ConcreteNormal, 36, 0), 24.0);
    EXPECT_EQ(UnitWeightFor(ConcreteNormal, 48, 0), 24.5);
    EXPECT_EQ(UnitWeightFor(ConcreteNormal, 48.5, 0), 25.0);
    EXPECT_EQ(UnitWeightFor(ConcreteLight1, 27, 0), 20.0);
    EXPECT_EQ(UnitWeightFor(ConcreteLight1, 30, 0), 22.0);
    EXPECT_EQ(UnitWeightFor(ConcreteLight2, 60, 0), 18.0);
    EXPECT_EQ(UnitWeightFor(7, 24, 23.5), 23.5);
    EXPECT_EQ(MaxFcOf(ConcreteNormal), 60);
    EXPECT_EQ(MaxFcOf(ConcreteLight1), 36);
    EXPECT_EQ(FcText(21), "21");
    EXPECT_EQ(FcText(19.5), "19.5");
}
