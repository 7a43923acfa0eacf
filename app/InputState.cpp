#include "app/InputState.h"

#include "engine/SlabData.h"

namespace korvexa::app {

namespace {

constexpr BoxState kEditable{true, true};
constexpr BoxState kShown{false, true};   // computed and used, not typed
constexpr BoxState kUnused{false, false};

void CaptionEdgeCondition(const PanelChoices& c, PanelState& s)
{
    s.twoWay = IsTwoWay(c.bind);
    if (s.twoWay) {
        s.P = c.loadShape != 0 ? kEditable : kUnused;
        s.Ly = kEditable;
        s.mainDirection = "短　辺";
        s.subDirection = "長　辺";
        s.barPositionCaption = "長辺方向の鉄筋を外側に配筋する";
        const bool supported = c.bind == BindSupported4;
        s.bendPosition = supported ? "圧縮筋" : "端　部";
        s.centerPosition = supported ? "引張筋" : "中　央";
        s.labelP = "等変分布";
        s.labelPload = "荷　重";
        return;
    }
    s.P = kEditable;
    s.Ly = kUnused;
    s.mainDirection = "主　筋";
    s.subDirection = "配力筋";
    s.barPositionCaption = "配力筋を外側に配筋する";
    if (c.bind == BindOneWaySupported) {
        s.bendPosition = "圧縮筋";
        s.centerPosition = "引張筋";
    } else if (c.bind == BindCantilever) {
        s.bendPosition = "引張筋";
        s.centerPosition = "圧縮筋";
    } else {
        s.bendPosition = "端　部";
        s.centerPosition = "中　央";
    }
    s.labelP = "集中荷重";
    s.labelPload = c.loadUnitFactor == 1 ? "(N/m)" : "(kN/m)";
}

}  // namespace

PanelState ComputePanelState(const PanelChoices& c)
{
    PanelState s;
    CaptionEdgeCondition(c, s);
    const bool d = c.totalsDirect, e = c.deflection, snow = c.snowCase;

    // Totals typed without a deflection check need no self weight at all.
    s.ownDirectForcedOff = d && !e;
    s.ownDirectEnabled = !s.ownDirectForcedOff;
    const bool o = c.ownDirect && !s.ownDirectForcedOff;
    s.Own = o ? kEditable : (s.ownDirectForcedOff ? kUnused : kShown);

    if (d) {
        s.LL = kUnused;
        s.TL = {true, true};
        s.FL = e ? kEditable : kUnused;
    } else {
        s.FL = kEditable;
        s.LL = kEditable;
        s.TL = kShown;
    }

    if (snow && !d) {
        s.LLS = kEditable;
        s.SL = s.SLS = kShown;
        s.SLE = e ? kShown : kUnused;
    } else {
        s.LLS = kUnused;
        s.SL = s.SLS = s.SLE = kUnused;
    }

    s.LLE = (e && !d) ? kEditable : kUnused;
    s.TLE = e ? BoxState{d, true} : kUnused;
    s.flAddEnabled = e;
    s.TLS = snow ? BoxState{d, true} : kUnused;

    if (s.P.enabled) {
        s.PE = e ? kEditable : kUnused;
        s.PS = snow ? kEditable : kUnused;
    } else {
        s.PE = s.PS = kUnused;
    }
    s.own1Used = s.SLS.used;
    s.own2Used = s.LLE.used;
    return s;
}

}  // namespace korvexa::app
