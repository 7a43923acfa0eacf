#include "datafile/DataSet.h"

#include <tuple>

#include "engine/BarData.h"

namespace korvexa::datafile {

bool IsStyleText(std::string_view style)
{
    return style == kStyleRegular || style == kStyleBold || style == kStyleItalic || style == kStyleBoldItalic;
}

std::array<std::string, 8> DefaultGrades()
{
    std::array<std::string, 8> grades;
    for (int i = 0; i < 8; ++i)
        grades[static_cast<std::size_t>(i)] = std::string(DefaultGrade(i + 1));
    return grades;
}

namespace {

auto Inputs(const SlabInputData& s)
{
    return std::tie(s.Name, s.Bind, s.LoadShape, s.LoadTime, s.Fc, s.T, s.Lx, s.Ly, s.Cov, s.Gamma, s.Own, s.FL, s.LL,
                    s.TL, s.P, s.IncreaseS, s.IncreaseD, s.TLDirect, s.DeltCheck, s.OwnDirect, s.FLAdd, s.Bar, s.Pitch,
                    s.CompMode, s.BarOutside, s.DeflectionOnly, s.LoadUnit, s.Concrete);
}

}  // namespace

bool SameInputs(const SlabInputData& a, const SlabInputData& b) { return Inputs(a) == Inputs(b); }

std::string LeftOutNote(std::span<const SlabData> slabs)
{
    constexpr std::size_t kNamed = 20;
    std::string names;
    std::size_t count = 0;
    for (const SlabData& slab : slabs) {
        if (slab.Calculated)
            continue;
        if (++count <= kNamed)
            names += (count > 1 ? ", " : "") + slab.Name;
    }
    if (count == 0)
        return {};
    if (count > kNamed)
        names += " ほか " + std::to_string(count - kNamed) + " 枚";
    return "計算できないため出力しないスラブ: " + names;
}

}  // namespace korvexa::datafile
