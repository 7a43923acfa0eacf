#include "engine/Ucommon.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvexa {

namespace {

enum class RoundMode { HalfUp, Up, Down };

long double Tolerance(long double a, long double b)
{
    return kDecimalTolerance * std::max({1.0L, std::fabs(a), std::fabs(b)});
}

// Snaps y to the nearest integer when it is that integer as a decimal.
long double SnapToInteger(long double y)
{
    const long double r = std::nearbyint(y);
    return std::fabs(y - r) <= Tolerance(y, r) ? r : y;
}

double Round(double x, int digits, RoundMode mode)
{
    if (x == 0)
        return 0;
    const long double scale = std::pow(10.0L, digits);
    const long double y = SnapToInteger(std::fabs(static_cast<long double>(x)) * scale);
    long double i = std::floor(y);
    const long double f = y - i;
    switch (mode) {
    case RoundMode::HalfUp:
        if (f >= 0.5L || std::fabs(f - 0.5L) <= Tolerance(y, 0.5L))
            i += 1;
        break;
    case RoundMode::Up:
        if (f > 0)
            i += 1;
        break;
    case RoundMode::Down:
        break;
    }
    const long double r = i / scale;
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
    long double weight = 1000;
    long double sum = 0;
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
    return static_cast<int>(sum);
}

bool DecimalEqual(long double a, long double b) { return std::fabs(a - b) <= Tolerance(a, b); }
bool DecimalGreater(long double a, long double b) { return a > b && !DecimalEqual(a, b); }
bool DecimalGreaterEqual(long double a, long double b) { return a >= b || DecimalEqual(a, b); }

long long DecimalFloor(long double x)
{
    return static_cast<long long>(std::floor(SnapToInteger(x)));
}

}  // namespace korvexa
