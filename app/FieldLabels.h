// The input a design problem names, as the input panel labels it.  The
// engine names fields as the record does ("T", "Pitch[0][1]",
// "settings.PitchMin[0]"), which the command line prints; the window's
// message bar speaks the panel's words instead ("t", "短辺・中央のピッチ",
// "基本設定の最小ピッチ（短辺）").
#pragma once

#include <string>
#include <string_view>

#include "app/InputState.h"

namespace korvexa::app {

// `panel` gives the captions of the bar rows and columns and of the P row,
// which change with the edge condition.  A field the panel has no word for
// is returned as it stands.
std::string FieldLabel(std::string_view field, const PanelState& panel);

}  // namespace korvexa::app
