#include "engine/SlabData.h"

#include <array>

namespace korvexa {

namespace {

constexpr std::array<std::string_view, BindTypeCount> kBindNames = {
    "四辺固定(略算)", "四辺固定(精算)", "三辺固定短辺支持", "三辺固定長辺支持", "二隣辺固定他辺支持",
    "二対辺固定短辺支持", "二対辺固定長辺支持", "四辺単純支持", "三辺固定短辺自由", "三辺固定長辺自由",
    "二隣辺固定他辺自由", "両端固定一方向", "両端支持一方向", "一端支持他端固定一方向", "片持ち",
};
constexpr std::array<std::string_view, LoadTimeCount> kLoadTimeNames = {"長期", "長期＋積雪", "短期"};
constexpr std::array<std::string_view, ConcreteKindCount> kConcreteNames = {"普通", "１種軽量", "２種軽量"};
constexpr std::array<std::string_view, CompModeCount> kCompModeNames = {
    "ダブル配筋", "太径を通す(倍ピッチ)", "細径を通す(倍ピッチ)", "配筋しない"};

constexpr std::string_view kUniform = "等分布荷重";
constexpr std::string_view kVaryingShort = "等分布＋短辺方向等変分布";
constexpr std::string_view kVaryingLong = "等分布＋長辺方向等変分布";

template <std::size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int i)
{
    return i >= 0 && static_cast<std::size_t>(i) < N ? names[static_cast<std::size_t>(i)] : std::string_view{};
}

}  // namespace

std::string_view BindTypeName(int bind) { return NameAt(kBindNames, bind); }
std::string_view LoadTimeName(int loadTime) { return NameAt(kLoadTimeNames, loadTime); }
std::string_view ConcreteKindName(int kind) { return NameAt(kConcreteNames, kind); }
std::string_view CompModeName(int mode) { return NameAt(kCompModeNames, mode); }

int LoadShapeCount(int bind)
{
    switch (bind) {
    case BindFixedExact: return 3;
    case BindFixed3ShortFree:
    case BindFixed3LongFree: return 2;
    default: return 1;
    }
}

std::string_view LoadShapeName(int bind, int loadShape)
{
    if (loadShape == 0)
        return kUniform;
    if (loadShape >= LoadShapeCount(bind))
        return {};
    switch (bind) {
    case BindFixedExact: return loadShape == 1 ? kVaryingShort : kVaryingLong;
    case BindFixed3ShortFree: return kVaryingLong;
    default: return kVaryingShort;  // three edges fixed, long edge free
    }
}

bool operator==(const CommonSettings& a, const CommonSettings& b)
{
    return a.SnowDepth == b.SnowDepth && a.SnowUnitWeight == b.SnowUnitWeight && a.SnowCoef == b.SnowCoef &&
           a.PitchMax == b.PitchMax && a.PitchMin == b.PitchMin && a.PitchStep == b.PitchStep &&
           a.LoadUnitFactor == b.LoadUnitFactor;
}

}  // namespace korvexa
