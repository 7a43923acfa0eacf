// The background colour of the result sheet's panel and its stored form:
// the packed 0x00BBGGRR colour of the settings file, as a decimal text.
#pragma once

#include <QColor>
#include <QString>

namespace korvexa {

// Money green, the panel's colour as designed.
QColor DesignedBackColour();

// 0x00BBGGRR <-> colour (pure red is 255, pure blue 16711680).  Alpha is
// ignored; bits above the 24 colour bits are ignored by FromPackedColour.
QColor FromPackedColour(long packed);
long ToPackedColour(const QColor& colour);

// The colour a stored "BackColor" text stands for: a decimal integer in
// 0..0xFFFFFF; anything else (empty, other text, out of range) gives
// `fallback`.
QColor BackColourFromText(const QString& stored, const QColor& fallback = DesignedBackColour());
// The text to store: empty when the colour is the default one, otherwise
// its packed value in decimal.
QString BackColourText(const QColor& current, const QColor& defaultColour = DesignedBackColour());

}  // namespace korvexa
