// The names of undo steps: the input the user acted on, in the panel's words.
#include <gtest/gtest.h>

#include <functional>

#include "app/EditSteps.h"

using namespace korvexa;

TEST(EditSteps, NameTheInputActedOnNotWhatFollowsFromIt)
{
    const std::pair<std::function<void(SlabInputData&)>, const char*> edits[] = {
        {[](SlabInputData& s) { s.Lx = 3; }, "Lx の変更"},
        {[](SlabInputData& s) { s.T = 18, s.Own = 4320; }, "t の変更"},
        {[](SlabInputData& s) { s.Bind = BindOneWaySupported, s.Ly = 0, s.LoadShape = 0; }, "周辺拘束条件 の変更"},
        {[](SlabInputData& s) { s.LL[2] = 800, s.TL[2] = 5000; }, "積載荷重（たわみ用） の変更"},
        {[](SlabInputData& s) { s.Fc = 40, s.Gamma = 24.5, s.Own = 3675; }, "Fc の変更"},
        {[](SlabInputData& s) { s.DeltCheck = false, s.OwnDirect = false; }, "たわみの検討 の変更"},
        {[](SlabInputData& s) { s.Pitch[0] = {150, 150}; }, "短辺・中央のピッチ の変更"},
        {[](SlabInputData& s) { s.Bar[1][0][1] = BarD16; }, "長辺・端部の鉄筋 の変更"},
        {[](SlabInputData& s) { s.Name = "S9"; }, "名称 の変更"},
    };
    for (const auto& [edit, text] : edits) {
        SlabInputData before;
        before.Ly = 4;
        before.OwnDirect = true;
        SlabInputData after = before;
        edit(after);
        EXPECT_EQ(app::EditStepText(before, after), text);
    }
    EXPECT_EQ(app::ChangedInput(SlabInputData{}, SlabInputData{}), "");
}
