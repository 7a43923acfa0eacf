// Look-ups in a sheet drawing for the tests.
#pragma once

#include <QFontMetrics>
#include <QString>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "print/ResultSheet.h"

namespace korvexa {

// The sheet's font at the size of a 96 dpi screen.
inline QFont TestFont() { return SheetFont(10); }
inline constexpr int kTestWidth = 520;

inline SheetGeometry TestGeometry() { return MeasureSheet(QFontMetrics(TestFont()), kTestWidth); }

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The one text with these characters; fails the test when there is none or
// more than one.
inline SheetText TextOf(const SheetDrawing& d, const QString& text)
{
    std::optional<SheetText> found;
    int count = 0;
    for (const SheetText& t : d.texts)
        if (t.text == text) {
            found = t;
            ++count;
        }
    EXPECT_EQ(count, 1) << "text \"" << text.toStdString() << "\"";
    return found.value_or(SheetText{});
}

inline bool HasText(const SheetDrawing& d, const QString& text)
{
    for (const SheetText& t : d.texts)
        if (t.text == text)
            return true;
    return false;
}

// Texts whose top lies in [top, bottom).
inline QVector<SheetText> TextsBetween(const SheetDrawing& d, int top, int bottom)
{
    QVector<SheetText> out;
    for (const SheetText& t : d.texts)
        if (t.y >= top && t.y < bottom)
            out.append(t);
    return out;
}

// The texts with a given top and left edge in [left, right).
inline QVector<SheetText> TextsInCell(const SheetDrawing& d, int y, int left, int right)
{
    QVector<SheetText> out;
    for (const SheetText& t : d.texts)
        if (t.y == y && t.x >= left && t.x < right)
            out.append(t);
    return out;
}

inline int Advance(const SheetText& t)
{
    QFont font = TestFont();
    font.setPointSize(t.pointSize);
    return QFontMetrics(font).horizontalAdvance(t.text);
}

inline int RightEnd(const SheetText& t) { return t.x + Advance(t); }

}  // namespace korvexa
