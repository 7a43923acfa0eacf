#include "engine/SheetTexts.h"

#include <algorithm>
#include <charconv>
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

std::string FixedNumber(double value, int decimals)
{
    // std::to_chars with a precision converts as printf does in the "C"
    // locale.  A double has at most 309 digits before the point.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 20));
    return result.ec == std::errc{} ? std::string(buffer, result.ptr) : std::string();
}

std::string FrequencyNumber(double fv)
{
    if (fv >= 100) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(fv));
        return buffer;
    }
    return FixedNumber(fv, 1);
}

}  // namespace korvexa
