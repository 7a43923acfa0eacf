#include "print/BackColour.h"

namespace korvexa {

namespace {
constexpr long kLargestPacked = 0xFFFFFF;
}

QColor DesignedBackColour() { return QColor(192, 220, 192); }

QColor FromPackedColour(long packed)
{
    return QColor(static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
                  static_cast<int>((packed >> 16) & 0xFF));
}

long ToPackedColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return static_cast<long>(rgb.red()) | (static_cast<long>(rgb.green()) << 8) |
           (static_cast<long>(rgb.blue()) << 16);
}

QColor BackColourFromText(const QString& stored, const QColor& fallback)
{
    bool ok = false;
    const qlonglong value = stored.trimmed().toLongLong(&ok, 10);
    if (!ok || value < 0 || value > kLargestPacked)
        return fallback;
    return FromPackedColour(static_cast<long>(value));
}

QString BackColourText(const QColor& current, const QColor& defaultColour)
{
    const long packed = ToPackedColour(current);
    if (packed == ToPackedColour(defaultColour))
        return QString();
    return QString::number(packed);
}

}  // namespace korvexa
