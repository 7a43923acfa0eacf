#include "app/EditSteps.h"

#include <array>
#include <functional>
#include <optional>

#include "app/FieldLabels.h"
#include "app/InputState.h"

namespace korvexa::app {

namespace {

std::string Index(std::size_t i) { return "[" + std::to_string(i) + "]"; }

// Where two values differ: nothing when they are equal, "" for a plain
// value, the first differing element ("[i][j]") of an array.
template <typename T>
std::optional<std::string> Where(const T& a, const T& b)
{
    return a == b ? std::nullopt : std::optional<std::string>(std::string());
}

template <typename T, std::size_t N>
std::optional<std::string> Where(const std::array<T, N>& a, const std::array<T, N>& b)
{
    for (std::size_t i = 0; i < N; ++i)
        if (std::optional<std::string> inner = Where(a[i], b[i]))
            return Index(i) + *inner;
    return std::nullopt;
}

// A pitch typed at the centre of a simply supported span is copied to the
// end: the centre is looked at first.
std::optional<std::string> PitchWhere(const SlabInputData& a, const SlabInputData& b)
{
    for (std::size_t d = 0; d < 2; ++d)
        for (std::size_t p : {std::size_t{1}, std::size_t{0}})
            if (a.Pitch[d][p] != b.Pitch[d][p])
                return Index(d) + Index(p);
    return std::nullopt;
}

using Difference = std::function<std::optional<std::string>(const SlabInputData&, const SlabInputData&)>;

template <typename T>
std::pair<const char*, Difference> Field(const char* name, T SlabInputData::*member)
{
    return {name, [member](const SlabInputData& a, const SlabInputData& b) { return Where(a.*member, b.*member); }};
}

}  // namespace

std::string ChangedInput(const SlabInputData& before, const SlabInputData& after)
{
    // What the user chooses comes before what follows from it: the edge
    // condition before the spans and the load shape, the load case and the
    // check boxes before the flags they force, typed loads before the self
    // weight and the totals that are derived from them.
    static const std::array<std::pair<const char*, Difference>, 28> order = {
        Field("Name", &SlabInputData::Name),
        Field("Bind", &SlabInputData::Bind),
        Field("LoadTime", &SlabInputData::LoadTime),
        Field("Concrete", &SlabInputData::Concrete),
        Field("Fc", &SlabInputData::Fc),
        Field("T", &SlabInputData::T),
        Field("Lx", &SlabInputData::Lx),
        Field("Ly", &SlabInputData::Ly),
        Field("LoadShape", &SlabInputData::LoadShape),
        Field("TLDirect", &SlabInputData::TLDirect),
        Field("DeltCheck", &SlabInputData::DeltCheck),
        Field("DeflectionOnly", &SlabInputData::DeflectionOnly),
        Field("FLAdd", &SlabInputData::FLAdd),
        Field("OwnDirect", &SlabInputData::OwnDirect),
        Field("IncreaseS", &SlabInputData::IncreaseS),
        Field("IncreaseD", &SlabInputData::IncreaseD),
        Field("Cov", &SlabInputData::Cov),
        Field("Bar", &SlabInputData::Bar),
        Field("CompMode", &SlabInputData::CompMode),
        std::pair<const char*, Difference>{"Pitch", PitchWhere},
        Field("BarOutside", &SlabInputData::BarOutside),
        Field("Gamma", &SlabInputData::Gamma),
        Field("FL", &SlabInputData::FL),
        Field("LL", &SlabInputData::LL),
        Field("P", &SlabInputData::P),
        Field("Own", &SlabInputData::Own),
        Field("TL", &SlabInputData::TL),
        Field("LoadUnit", &SlabInputData::LoadUnit),
    };
    for (const auto& [name, where] : order)
        if (const std::optional<std::string> at = where(before, after))
            return name + *at;
    return {};
}

std::string EditStepText(const SlabInputData& before, const SlabInputData& after)
{
    PanelChoices choices;
    choices.bind = after.Bind;
    choices.loadUnitFactor = after.LoadUnit;
    const std::string field = ChangedInput(before, after);
    return (field.empty() ? std::string("入力") : FieldLabel(field, ComputePanelState(choices))) + " の変更";
}

}  // namespace korvexa::app
