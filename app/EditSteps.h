// The names of the undo steps of slab edits: which input an edit changed,
// in the panel's words ("Lx の変更", "短辺・端部の鉄筋 の変更").
#pragma once

#include <string>

#include "engine/SlabData.h"

namespace korvexa::app {

// The input that an edit of one slab changed, named as the record names it
// ("Lx", "LL[2]", "Bar[0][1][0]"); empty when the inputs are the same.  One
// edit may change several inputs (an edge condition empties Ly, a thickness
// changes the self weight): the one the user acted on is named.
std::string ChangedInput(const SlabInputData& before, const SlabInputData& after);

// "Lx の変更": the step of an edit from `before` to `after`, with the
// captions the panel has for `after`.
std::string EditStepText(const SlabInputData& before, const SlabInputData& after);

}  // namespace korvexa::app
