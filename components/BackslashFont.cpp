#include "components/BackslashFont.h"

#include <QStringList>

QFont WithTrueBackslash(const QFont& base, bool fixedPitch)
{
    QFont font = base;
    QStringList families{fixedPitch ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans")};
    families << base.families();
    if (!families.contains(base.family()))
        families << base.family();
    font.setFamilies(families);
    font.setFixedPitch(fixedPitch);
    if (fixedPitch)
        font.setStyleHint(QFont::Monospace);
    return font;
}
