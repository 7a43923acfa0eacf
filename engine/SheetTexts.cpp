#include "engine/SheetTexts.h"

#include <cstdio>

#include "engine/Ucommon.h"

namespace korvexa {

std::string SlabConditionText(int bind, bool withMethod)
{
    const std::string_view name = BindTypeName(bind);
    const std::size_t bracket = name.find('(');
    std::string text(name.substr(0, bracket));
    text += "スラブ";
    if (withMethod && bracket != std::string_view::npos)
        text += name.substr(bracket);
    return text;
}

bool ShowsSpanThicknessCheck(const SlabData& slab)
{
    if (slab.DeflectionOnly)
        return false;
    return slab.Bind == BindCantilever ? DecimalGreaterEqual(slab.T, slab.Lx * 10)
                                       : DecimalGreaterEqual(slab.T, slab.Lx * 10 / 3);
}

int SpanThicknessRatio(const SlabData& slab) { return static_cast<int>(RoundHalfUp(slab.Lx * 100 / slab.T, 0)); }

int SpanThicknessLimit(const SlabData& slab) { return slab.Bind == BindCantilever ? 10 : 30; }

bool DeflectionOk(const SlabData& slab) { return slab.DeltaRatio16 >= 250; }

ThicknessComparison CompareWithRequired(const SlabData& slab)
{
    if (DecimalEqual(slab.T, slab.TReq))
        return ThicknessComparison::Equal;
    return slab.T > slab.TReq ? ThicknessComparison::Thicker : ThicknessComparison::Thinner;
}

std::string FrequencyNumber(double fv)
{
    char buffer[32];
    if (fv >= 100)
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(fv));
    else
        std::snprintf(buffer, sizeof buffer, "%.1f", fv);
    return buffer;
}

}  // namespace korvexa
