#include "app/FieldLabels.h"

#include <gtest/gtest.h>

#include "engine/SlabData.h"

namespace korvexa::app {
namespace {

std::string Label(const char* field, int bind)
{
    PanelChoices choices;
    choices.bind = bind;
    return FieldLabel(field, ComputePanelState(choices));
}

TEST(FieldLabels, NamesTheInputAsThePanelCaptionsIt)
{
    struct Row {
        const char* field;
        int bind;
        const char* label;
    };
    const Row rows[] = {
        {"T", BindFixedExact, "t"},
        {"Gamma", BindFixedExact, "γ"},
        {"Pitch[0][1]", BindFixedExact, "短辺・中央のピッチ"},
        {"Bar[1][0][1]", BindFixedExact, "長辺・端部の鉄筋"},
        {"Pitch[0][0]", BindCantilever, "主筋・引張筋のピッチ"},
        {"settings.PitchMin[1]", BindOneWaySupported, "基本設定の最小ピッチ（配力筋）"},
        {"settings.PitchStep", BindFixedExact, "基本設定の配筋間隔の算定刻み"},
        {"LL[2]", BindFixedExact, "積載荷重（たわみ用）"},
        {"P[0]", BindFixedExact, "等変分布荷重（長期）"},
        {"P[1]", BindCantilever, "集中荷重（短期積雪）"},
        {"Unknown[3]", BindFixedExact, "Unknown[3]"},
        {"Pitch[", BindFixedExact, "Pitch["},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Label(row.field, row.bind), row.label) << row.field;
}

}  // namespace
}  // namespace korvexa::app
