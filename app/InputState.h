// Which boxes of the input panel are in use for the current choices, and
// how the panel is captioned.  A box that is "used" is drawn in the window
// colour (white), one that is not in the button colour (grey); "enabled"
// means the user may type into it.
#pragma once

#include <string_view>

namespace korvexa::app {

struct BoxState {
    bool enabled = false;
    bool used = false;
    bool operator==(const BoxState&) const = default;
};

struct PanelChoices {
    int bind = 0;
    int loadShape = 0;           // item index of the load distribution box
    bool totalsDirect = false;   // D: floor loads typed directly
    bool deflection = true;      // E: deflection check
    bool snowCase = false;       // S: long-term plus snow
    bool ownDirect = false;      // O: self weight typed directly
    double loadUnitFactor = 1;
};

struct PanelState {
    // Edge condition.
    bool twoWay = true;
    BoxState Ly, P;
    std::string_view mainDirection, subDirection;      // bar rows
    std::string_view bendPosition, centerPosition;     // bar columns
    std::string_view barPositionCaption;
    std::string_view labelP, labelPload;
    // Self weight.
    bool ownDirectEnabled = true;
    bool ownDirectForcedOff = false;  // D without E: the self weight cannot be typed
    BoxState Own, FL, LL, TL, LLS, SL, SLS, SLE, LLE, TLE, TLS, PE, PS;
    bool flAddEnabled = true;
    // The mirror boxes of the snow and deflection columns.
    bool own1Used = false;  // Own1 and FL1 follow SLS
    bool own2Used = false;  // Own2 and FL2 follow LLE
};

PanelState ComputePanelState(const PanelChoices& choices);

}  // namespace korvexa::app
