#include "app/FieldLabels.h"

#include <array>
#include <charconv>
#include <utility>
#include <vector>


namespace korvexa::app {

namespace {

struct ParsedField {
    std::string_view name;
    std::vector<int> index;
};

// "Pitch[0][1]" → {"Pitch", {0, 1}}; text that is not of that form keeps
// whatever was read before it.
ParsedField Parse(std::string_view field)
{
    ParsedField parsed{field.substr(0, field.find('[')), {}};
    std::string_view rest = field.substr(parsed.name.size());
    while (rest.size() >= 3 && rest.front() == '[') {
        int value = 0;
        const auto [end, error] = std::from_chars(rest.data() + 1, rest.data() + rest.size(), value);
        if (error != std::errc{} || end == rest.data() + rest.size() || *end != ']')
            break;
        parsed.index.push_back(value);
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()) + 1);
    }
    return parsed;
}

// A caption without the full-width blanks that space it out in the panel
// ("短　辺" → "短辺").
std::string Caption(std::string_view caption)
{
    std::string text(caption);
    for (std::size_t at; (at = text.find("　")) != std::string::npos;)
        text.erase(at, std::string_view("　").size());
    return text;
}

// The columns of the panel's load table (case 0, 1, 2).
std::string LoadCase(int k)
{
    static const std::array<const char*, 3> names = {"長期", "短期積雪", "たわみ用"};
    return k >= 0 && k < 3 ? names[static_cast<std::size_t>(k)] : "";
}

}  // namespace

std::string FieldLabel(std::string_view field, const PanelState& panel)
{
    static const std::vector<std::pair<std::string_view, std::string_view>> plain = {
        {"Bind", "周辺拘束条件"},     {"LoadShape", "荷重分布形"},   {"LoadTime", "荷重ケース"},
        {"Concrete", "コンクリート"}, {"BarOutside", "長辺方向の鉄筋の配置"},
        {"Fc", "Fc"},                 {"Gamma", "γ"},               {"T", "t"},
        {"Lx", "Lx"},                 {"Ly", "Ly"},                 {"Cov", "鉄筋のかぶり厚"},
        {"FL", "仕上重量"},           {"Own", "スラブ自重"},         {"IncreaseS", "応力の割増率"},
        {"IncreaseD", "たわみの割増率"}, {"LoadUnit", "荷重の単位"},
        {"Name", "名称"},             {"TLDirect", "床荷重の直接入力"}, {"OwnDirect", "スラブ自重の直接入力"},
        {"DeltCheck", "たわみの検討"}, {"DeflectionOnly", "t/Lx による判定"},
        {"FLAdd", "固有振動数の仕上重量"},
        {"settings.LoadUnitFactor", "基本設定の荷重の単位"}, {"settings.PitchStep", "基本設定の配筋間隔の算定刻み"}};
    const ParsedField f = Parse(field);
    const std::vector<int>& i = f.index;
    if (i.empty()) {
        for (const auto& [name, label] : plain)
            if (f.name == name)
                return std::string(label);
        return std::string(field);
    }
    if ((f.name == "Pitch" || f.name == "Bar") && i.size() >= 2) {
        const std::string where = Caption(i[0] == 0 ? panel.mainDirection : panel.subDirection) + "・" +
                                  Caption(i[1] == 0 ? panel.bendPosition : panel.centerPosition);
        return where + (f.name == "Pitch" ? "のピッチ" : "の鉄筋");
    }
    if (f.name == "LL" || f.name == "TL" || f.name == "P") {
        const std::string row = f.name == "LL"   ? "積載荷重"
                                : f.name == "TL" ? "床荷重"
                                                 : Caption(panel.labelP) + (panel.twoWay ? "荷重" : "");
        return row + "（" + LoadCase(i[0]) + "）";
    }
    if (f.name == "CompMode")
        return "圧縮筋の配筋方法（" + Caption(i[0] == 0 ? panel.bendPosition : panel.centerPosition) + "）";
    if (f.name == "settings.PitchMin" || f.name == "settings.PitchMax")
        return std::string("基本設定の") + (f.name == "settings.PitchMin" ? "最小" : "最大") + "ピッチ（" +
               Caption(i[0] == 0 ? panel.mainDirection : panel.subDirection) + "）";
    if (f.name == "settings.SnowCoef")
        return "基本設定の積雪係数";
    return std::string(field);
}

}  // namespace korvexa::app
