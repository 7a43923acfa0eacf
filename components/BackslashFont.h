// Fonts for texts that hold backslashes (a LaTeX header, a compiler's
// messages).  The Japanese fonts the program uses (IPA Gothic in place of
// ＭＳ ゴシック) draw U+005C as the yen sign, after the Japanese code page,
// so "\usepackage" would read "¥usepackage".
#pragma once

#include <QFont>

// `base` with a font that draws U+005C as a backslash put first (DejaVu
// Sans, or DejaVu Sans Mono for a fixed pitch); what that font lacks,
// kana and kanji, still comes from `base`'s family.
QFont WithTrueBackslash(const QFont& base, bool fixedPitch = false);
