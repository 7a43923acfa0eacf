#include "app/FcList.h"

#include <algorithm>
#include <charconv>

#include "engine/SlabData.h"

namespace korvexa::app {

void TFc_List::FcListReset()
{
    values_.clear();
    for (double fc = kLowest; fc <= 60; fc += 3)
        values_.push_back(fc);
    maxFc_ = 60;
}

bool TFc_List::FcListAdd(double fc)
{
    if (fc < kLowest || fc > maxFc_ || FcListIndexOf(fc) >= 0)
        return false;
    values_.insert(std::upper_bound(values_.begin(), values_.end(), fc), fc);
    return true;
}

int TFc_List::FcListIndexOf(double fc) const
{
    const auto at = std::find(values_.begin(), values_.end(), fc);
    return at == values_.end() ? -1 : static_cast<int>(at - values_.begin());
}

double TFc_List::FcListAt(int i) const
{
    if (values_.empty())
        return 0;
    return values_[static_cast<std::size_t>(std::clamp(i, 0, Count() - 1))];
}

double MaxFcOf(int concrete)
{
    switch (concrete) {
    case ConcreteLight1: return 36;
    case ConcreteLight2: return 27;
    default: return 60;
    }
}

double UnitWeightFor(int concrete, double fc, double current)
{
    switch (concrete) {
    case ConcreteNormal: return fc <= 36 ? 24.0 : fc <= 48 ? 24.5 : 25.0;
    case ConcreteLight1: return fc <= 27 ? 20.0 : 22.0;
    case ConcreteLight2: return 18.0;
    default: return current;
    }
}

std::string FcText(double fc)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, fc).ptr;
    return std::string(buffer, end);
}

}  // namespace korvexa::app
