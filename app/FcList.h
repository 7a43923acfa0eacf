// The choices of the concrete strength box and the unit weight that goes
// with a concrete.
#pragma once

#include <string>
#include <vector>

namespace korvexa::app {

class TFc_List {
public:
    static constexpr double kLowest = 18;  // N/mm², every kind

    TFc_List() = default;

    // The standard strengths 18, 21, ..., 60 and the limit of normal concrete.
    void FcListReset();
    // Adds a strength within 18..MaxFc that is not yet a choice; true when added.
    bool FcListAdd(double fc);
    int FcListIndexOf(double fc) const;
    // The strength at i; the first below 0, the last beyond the end.
    double FcListAt(int i) const;

    int Count() const { return static_cast<int>(values_.size()); }
    double MaxFc() const { return maxFc_; }
    void SetMaxFc(double maxFc) { maxFc_ = maxFc; }
    const std::vector<double>& Values() const { return values_; }

private:
    std::vector<double> values_;
    double maxFc_ = 60;
};

// Upper limit of Fc for a concrete kind (normal 60, lightweight 36 and 27).
double MaxFcOf(int concrete);

// The unit weight (kN/m³) of reinforced concrete of this kind and strength;
// `current` for an unknown kind.
double UnitWeightFor(int concrete, double fc, double current);

// A strength as the box shows it: the shortest decimal form ("21", "19.5").
std::string FcText(double fc);

}  // namespace korvexa::app
