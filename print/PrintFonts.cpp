#include "print/PrintFonts.h"

#include <QFont>
#include <QStringList>

namespace korvexa::print {

void SubstituteFonts()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), {QStringLiteral("IPAPGothic"), QStringLiteral("IPAexGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐ明朝"), {QStringLiteral("IPAPMincho"), QStringLiteral("IPAexMincho")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), {QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPAexMincho")});
    QFont::insertSubstitutions(QStringLiteral("Century"), {QStringLiteral("C059"), QStringLiteral("DejaVu Serif")});
}

}  // namespace korvexa::print
