#include "engine/Ucommon.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvexa {

namespace {

enum class RoundMode { HalfUp, Up, Down };

inline double Tolerance(double a, double b)
{
    return kDecimalTolerance * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

// floor() by integer conversion where the value fits, which is several
// times faster than the library call on extended precision.
inline double Floor(double y)
{
    constexpr double kFits = 9.0e18;
    if (y > -kFits && y < kFits) {
        const double t = static_cast<double>(static_cast<long long>(y));
        return t > y ? t - 1 : t;
    }
    return std::floor(y);
}

// Snaps y to the nearest integer when it is that integer as a decimal.
inline double SnapToInteger(double y)
{
    const double r = Floor(y + 0.5);
    return std::fabs(y - r) <= Tolerance(y, r) ? r : y;
}

// 10^digits for digits ≥ 0 (exact up to 10^22).
double PowerOfTen(int digits)
{
    static constexpr double kPowers[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    if (digits >= 0 && digits <= 8)
        return kPowers[digits];
    return std::pow(10.0, digits);
}

double Round(double x, int digits, RoundMode mode)
{
    if (x == 0)
        return 0;
    // Scale by an exact power of ten: multiply for places after the point,
    // divide for tens, hundreds, ...
    const double power = PowerOfTen(digits >= 0 ? digits : -digits);
    const double magnitude = std::fabs(static_cast<double>(x));
    const double y = SnapToInteger(digits >= 0 ? magnitude * power : magnitude / power);
    double i = Floor(y);
    const double f = y - i;
    switch (mode) {
    case RoundMode::HalfUp:
        if (f >= 0.5 || std::fabs(f - 0.5) <= Tolerance(y, 0.5))
            i += 1;
        break;
    case RoundMode::Up:
        if (f > 0)
            i += 1;
        break;
    case RoundMode::Down:
        break;
    }
    const double r = digits >= 0 ? i / power : i * power;
    return static_cast<double>(x < 0 ? -r : r);
}

}  // namespace

double RoundHalfUp(double x, int digits) { return Round(x, digits, RoundMode::HalfUp); }
double RoundUp(double x, int digits) { return Round(x, digits, RoundMode::Up); }
double RoundDown(double x, int digits) { return Round(x, digits, RoundMode::Down); }

double NthRoot(double x, int n)
{
    if (x <= 0)
        return 0;
    if (n == 1)
        return x;
    if (n == 3)
        return std::cbrt(x);
    return std::pow(x, 1.0 / n);
}

int VersionNumber(std::string_view text)
{
    double weight = 1000;
    double sum = 0;
    while (!text.empty()) {
        const auto dot = text.find('.');
        const std::string_view field = text.substr(0, dot);
        long long value = 0;
        std::from_chars(field.data(), field.data() + field.size(), value);
        sum = std::trunc(sum + value * weight);
        weight /= 10;
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
    }
    // A text of absurd numbers stays within int.
    return static_cast<int>(std::clamp(sum, -2147483648.0, 2147483647.0));
}

bool DecimalEqual(double a, double b) { return std::fabs(a - b) <= Tolerance(a, b); }
bool DecimalGreater(double a, double b) { return a > b && !DecimalEqual(a, b); }
bool DecimalGreaterEqual(double a, double b) { return a >= b || DecimalEqual(a, b); }

long long DecimalFloor(double x)
{
    // Held inside the range of long long (NaN gives the lower end).
    constexpr double kLimit = 9.0e18;
    const double f = Floor(SnapToInteger(x));
    if (!(f > -kLimit))
        return static_cast<long long>(-kLimit);
    if (f >= kLimit)
        return static_cast<long long>(kLimit);
    return static_cast<long long>(f);
}

SharedFiles& Shared()
{
    static SharedFiles files;
    return files;
}

}  // namespace korvexa
