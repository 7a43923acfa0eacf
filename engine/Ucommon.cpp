#include "engine/Ucommon.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvexa {

namespace {

enum class RoundMode { HalfUp, Up, Down };

// The margin within which y counts as lying on a decimal boundary.
inline double Tolerance(double y) { return kDecimalTolerance * std::max(1.0, std::fabs(y)); }

// floor() by integer conversion where the value fits.
inline double Floor(double y)
{
    constexpr double kFits = 9.0e18;
    if (y > -kFits && y < kFits) {
        const double t = static_cast<double>(static_cast<long long>(y));
        return t > y ? t - 1 : t;
    }
    return std::floor(y);
}

// The integer part of y ≥ 0 rounded by the mode, y being taken as the
// decimal it stands for: a fraction within the tolerance of 0 or 1 (or, for
// half-up, of 0.5) is that boundary.
inline double RoundMagnitude(double y, RoundMode mode)
{
    const double tolerance = Tolerance(y);
    switch (mode) {
    case RoundMode::HalfUp: {
        const double shifted = y + 0.5;
        const double i = Floor(shifted);
        return shifted - i >= 1 - tolerance ? i + 1 : i;
    }
    case RoundMode::Up: {
        const double i = Floor(y);
        return y - i > tolerance ? i + 1 : i;
    }
    case RoundMode::Down:
    default: {
        const double i = Floor(y);
        return y - i >= 1 - tolerance ? i + 1 : i;
    }
    }
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
    const double magnitude = std::fabs(x);
    const double i = RoundMagnitude(digits >= 0 ? magnitude * power : magnitude / power, mode);
    const double r = digits >= 0 ? i / power : i * power;
    return x < 0 ? -r : r;
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

bool DecimalEqual(double a, double b)
{
    return std::fabs(a - b) <= kDecimalTolerance * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}
bool DecimalGreater(double a, double b) { return a > b && !DecimalEqual(a, b); }
bool DecimalGreaterEqual(double a, double b) { return a >= b || DecimalEqual(a, b); }

long long DecimalFloor(double x)
{
    // Held inside the range of long long (NaN gives the lower end).
    constexpr double kLimit = 9.0e18;
    const double f = x >= 0 ? RoundMagnitude(x, RoundMode::Down) : -RoundMagnitude(-x, RoundMode::Up);
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
