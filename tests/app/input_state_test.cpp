// Which input boxes are in use for each combination of choices.
#include <gtest/gtest.h>

#include "app/InputState.h"
#include "engine/SlabData.h"

using namespace korvexa;
using namespace korvexa::app;

namespace {

constexpr BoxState kEditable{true, true};
constexpr BoxState kShown{false, true};
constexpr BoxState kUnused{false, false};

PanelChoices Choices(bool d, bool e, bool s, bool o, int bind = BindFixedExact, int shape = 0)
{
    PanelChoices c;
    c.bind = bind;
    c.loadShape = shape;
    c.totalsDirect = d;
    c.deflection = e;
    c.snowCase = s;
    c.ownDirect = o;
    return c;
}

}  // namespace

TEST(PanelState, SummedLoadsWithDeflectionAndSnow)
{
    const PanelState s = ComputePanelState(Choices(false, true, true, false));
    EXPECT_EQ(s.Own, kShown);  // computed self weight, shown white
    EXPECT_EQ(s.FL, kEditable);
    EXPECT_EQ(s.LL, kEditable);
    EXPECT_EQ(s.TL, kShown);
    EXPECT_EQ(s.LLS, kEditable);
    EXPECT_EQ(s.SL, kShown);
    EXPECT_EQ(s.SLS, kShown);
    EXPECT_EQ(s.SLE, kShown);
    EXPECT_EQ(s.LLE, kEditable);
    EXPECT_EQ(s.TLE, kShown);
    EXPECT_EQ(s.TLS, kShown);
    EXPECT_TRUE(s.own1Used);  // the snow column repeats self weight and finish
    EXPECT_TRUE(s.own2Used);
    EXPECT_TRUE(s.flAddEnabled);
    EXPECT_EQ(s.P, kUnused);  // uniform load: no varying part
    EXPECT_EQ(s.PE, kUnused);
}

TEST(PanelState, DirectTotalsWithoutDeflectionNeedNoSelfWeight)
{
    const PanelState s = ComputePanelState(Choices(true, false, false, true));
    EXPECT_TRUE(s.ownDirectForcedOff);
    EXPECT_FALSE(s.ownDirectEnabled);
    EXPECT_EQ(s.Own, kUnused);
    EXPECT_EQ(s.FL, kUnused);
    EXPECT_EQ(s.LL, kUnused);
    EXPECT_EQ(s.TL, kEditable);  // the only floor load typed
    EXPECT_EQ(s.TLE, kUnused);
    EXPECT_FALSE(s.flAddEnabled);
    EXPECT_FALSE(s.own1Used);
    EXPECT_FALSE(s.own2Used);
}

TEST(PanelState, DirectTotalsWithDeflectionAndSnow)
{
    const PanelState s = ComputePanelState(Choices(true, true, true, true));
    EXPECT_FALSE(s.ownDirectForcedOff);
    EXPECT_EQ(s.Own, kEditable);
    EXPECT_EQ(s.FL, kEditable);
    EXPECT_EQ(s.LLS, kUnused);
    EXPECT_EQ(s.SL, kUnused);
    EXPECT_EQ(s.LLE, kUnused);
    EXPECT_EQ(s.TLE, kEditable);
    EXPECT_EQ(s.TLS, kEditable);
}

TEST(PanelState, ShortTermLeavesTheOtherColumnsUnused)
{
    // Short-term: no snow case, and the deflection box is off.
    const PanelState s = ComputePanelState(Choices(false, false, false, false));
    EXPECT_EQ(s.Own, kShown);
    EXPECT_EQ(s.LLS, kUnused);
    EXPECT_EQ(s.LLE, kUnused);
    EXPECT_EQ(s.TLE, kUnused);
    EXPECT_EQ(s.TLS, kUnused);
    EXPECT_EQ(s.SLE, kUnused);
}

TEST(PanelState, CaptionsFollowTheEdgeCondition)
{
    PanelState s = ComputePanelState(Choices(false, true, false, false, BindSupported4));
    EXPECT_TRUE(s.twoWay);
    EXPECT_EQ(s.mainDirection, "短　辺");
    EXPECT_EQ(s.bendPosition, "圧縮筋");
    EXPECT_EQ(s.centerPosition, "引張筋");
    EXPECT_EQ(s.labelP, "等変分布");

    s = ComputePanelState(Choices(false, true, false, false, BindFixedExact, 1));
    EXPECT_EQ(s.P, kEditable);
    EXPECT_EQ(s.PE, kEditable);
    EXPECT_EQ(s.PS, kUnused);
    EXPECT_EQ(s.bendPosition, "端　部");

    s = ComputePanelState(Choices(false, true, true, false, BindOneWaySupported));
    EXPECT_FALSE(s.twoWay);
    EXPECT_EQ(s.Ly, kUnused);
    EXPECT_EQ(s.P, kEditable);
    EXPECT_EQ(s.PS, kEditable);
    EXPECT_EQ(s.mainDirection, "主　筋");
    EXPECT_EQ(s.subDirection, "配力筋");
    EXPECT_EQ(s.barPositionCaption, "配力筋を外側に配筋する");
    EXPECT_EQ(s.bendPosition, "圧縮筋");
    EXPECT_EQ(s.labelP, "集中荷重");
    EXPECT_EQ(s.labelPload, "(N/m)");

    PanelChoices kn = Choices(false, true, false, false, BindCantilever);
    kn.loadUnitFactor = 1000;
    s = ComputePanelState(kn);
    EXPECT_EQ(s.bendPosition, "引張筋");
    EXPECT_EQ(s.centerPosition, "圧縮筋");
    EXPECT_EQ(s.labelPload, "(kN/m)");
}
