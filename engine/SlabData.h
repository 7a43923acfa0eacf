// The slab design record, the design-wide settings and the enumerations
// shared by every layer.
//
// Index conventions of the result arrays:
//   dir  0 = short side (Lx; main bars of one-way slabs and the cantilever),
//        1 = long side (Ly; distribution bars);
//   pos  0 = end (support region), 1 = centre (mid-span);
//   case 0 = main case (long-term, or short-term when LoadTime is 2),
//        1 = snow case, 2 = deflection case;
//   layer 0 = top bars, 1 = bottom bars.
// Loads are stored in the record's own unit (LoadUnit: 1 = N/m², 1000 = kN/m²).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvexa {

enum BindType : int {
    BindFixedApprox = 0,       // four edges fixed, approximate method
    BindFixedExact = 1,        // four edges fixed, exact table
    BindFixed3ShortSupported,  // 2
    BindFixed3LongSupported,   // 3
    BindFixed2AdjSupported,    // 4
    BindFixed2LongSupported,   // 5: long edges fixed, short edges supported
    BindFixed2ShortSupported,  // 6: short edges fixed, long edges supported
    BindSupported4,            // 7
    BindFixed3ShortFree,       // 8
    BindFixed3LongFree,        // 9
    BindFixed2AdjFree,         // 10
    BindOneWayFixed,           // 11
    BindOneWaySupported,       // 12
    BindOneWayPropped,         // 13: one end supported, the other fixed
    BindCantilever,            // 14
    BindTypeCount
};

enum LoadTime : int { LoadLongTerm = 0, LoadLongTermSnow = 1, LoadShortTerm = 2, LoadTimeCount };
enum ConcreteKind : int { ConcreteNormal = 0, ConcreteLight1 = 1, ConcreteLight2 = 2, ConcreteKindCount };
enum CompMode : int { CompDouble = 0, CompLargerThrough = 1, CompSmallerThrough = 2, CompNone = 3, CompModeCount };
enum BarSize : int { BarNone = 0, BarD10, BarD13, BarD16, BarD19, BarD22, BarD25, BarD29, BarD32, BarSizeCount };

// Fixed display names (UTF-8).
std::string_view BindTypeName(int bind);
std::string_view LoadTimeName(int loadTime);
std::string_view ConcreteKindName(int kind);
std::string_view CompModeName(int mode);
// Item texts of the load distribution box for an edge condition.
int LoadShapeCount(int bind);
std::string_view LoadShapeName(int bind, int loadShape);

inline bool IsTwoWay(int bind) { return bind >= 0 && bind <= BindFixed2AdjFree; }
inline bool IsSimplySupportedSpan(int bind) { return bind == BindSupported4 || bind == BindOneWaySupported; }

using Case3 = std::array<double, 3>;
template <typename T> using DirPos = std::array<std::array<T, 2>, 2>;
template <typename T> using CaseDirPos = std::array<DirPos<T>, 2>;
using BarGrid = std::array<DirPos<int>, 2>;                // [dir][pos][n]
using TextGrid = std::array<DirPos<std::string>, 2>;       // [dir][pos][layer]

// Per direction: end bars D10 and D13, centre bar D10.
inline constexpr BarGrid kDefaultBars = {{{{{BarD10, BarD13}, {BarD10, BarNone}}},
                                          {{{BarD10, BarD13}, {BarD10, BarNone}}}}};

struct SlabInputData {
    std::string Name;
    int Bind = BindFixedApprox;
    int LoadShape = 0;
    int LoadTime = LoadLongTerm;
    double Fc = 21;        // N/mm²
    double T = 15;         // cm
    double Lx = 0;         // m
    double Ly = 0;         // m
    double Cov = 4;        // cm
    double Gamma = 24;     // kN/m³
    double Own = 0;        // load unit
    double FL = 0;         // load unit
    Case3 LL{};            // LL, LLS, LLE
    Case3 TL{};            // TL, TLS, TLE
    Case3 P{};             // P, PS, PE
    double IncreaseS = 1.0;
    double IncreaseD = 1.0;
    bool TLDirect = false;
    bool DeltCheck = true;
    bool OwnDirect = false;
    bool FLAdd = true;
    BarGrid Bar = kDefaultBars;  // [dir][pos][n]
    DirPos<int> Pitch{};   // mm; 0 = chosen by the design
    std::array<int, 2> CompMode{};  // end, centre
    int BarOutside = 0;
    bool DeflectionOnly = false;
    double LoadUnit = 1.0;
    int Concrete = ConcreteNormal;

    bool operator==(const SlabInputData&) const = default;
};

struct SlabData : SlabInputData {
    DirPos<double> Dt{};        // cm
    double AddLoadE = 0;
    double DeadLoad = 0;
    double TReq = 0;            // cm
    CaseDirPos<double> M{};     // kN·m/m, [case][dir][pos]
    DirPos<double> Q{};         // kN/m, [case][dir]
    double Delta = 0;           // mm
    CaseDirPos<double> Ma{};
    DirPos<double> Qa{};
    DirPos<double> At{};        // cm²/m
    DirPos<double> BarArea{};   // working value [pos][long/short]
    DirPos<double> Ft{};        // working value [pos][long/short]
    CaseDirPos<double> MRatio{};
    DirPos<double> QRatio{};
    DirPos<int> CalcPitch{};    // mm
    double Fv = 0;              // Hz
    std::string FvNote;
    int DeltaRatio = 0;
    int DeltaRatio16 = 0;
    std::string GradeText;
    double Lambda = 0;
    double LambdaMax = 0;
    Case3 SL{};
    bool Calculated = false;
    std::string Message;

    bool operator==(const SlabData&) const = default;
};

struct CommonSettings {
    int SnowDepth = 140;        // cm
    int SnowUnitWeight = 30;    // N/m² per cm
    Case3 SnowCoef{0.7, 1.0, 0.35};
    std::array<int, 2> PitchMax{200, 300};
    std::array<int, 2> PitchMin{100, 100};
    int PitchStep = 25;
    double LoadUnitFactor = 1.0;
};

bool operator==(const CommonSettings&, const CommonSettings&);

}  // namespace korvexa
