// The result sheet of the main window: a small ruled table with the design
// result of the current slab and up to three lines of checks below it.
//
// Layout and painting are apart.  ResultFrame and ResultValues describe what
// is drawn (lines, texts with their top-left corner, colour and size) in
// pixels of the image, origin top left; PaintSheet draws such a description.
// Every call measures the font again, so the sheet keeps no state.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLine>
#include <QString>
#include <QVector>

#include <array>

#include "engine/BarData.h"
#include "engine/SlabData.h"

class QFontMetrics;
class QPainter;

namespace korvexa {

// One text: x is its left edge, y the top of its line (not the baseline).
struct SheetText {
    QString text;
    int x = 0;
    int y = 0;
    QColor colour;
    int pointSize = 0;
};

struct SheetLine {
    QLine line;
    int width = 1;
};

struct SheetDrawing {
    QVector<SheetLine> lines;
    QVector<SheetText> texts;
};

// Measures of the sheet for one font and image width.
struct SheetGeometry {
    int h = 0;    // text height (of "W")
    int RH = 0;   // row height: h + 5 above and below
    int CW = 0;   // value column width: "D29･D29 @500" + 4 each side
    int LW = 0;   // label column width: "長" + 4 each side
    int W = 0;    // image width
    std::array<int, 7> e{};  // column edges
    std::array<int, 9> r{};  // row edges
    int TextTop(int row) const { return r[row] + RH - h - 5 + 1; }
};

SheetGeometry MeasureSheet(const QFontMetrics& metrics, int width);

// The sheet's font: the Japanese proportional Gothic at the given size.
QFont SheetFont(int pointSize);
// The window font size: 10 points, 9 points on screens above 96 dpi.
int SheetFontSize(double logicalDpi);

// The frame: grid, position captions for the edge condition `bind` and the
// row captions for the load case `loadTime` (both as chosen in the input
// panel).
SheetDrawing ResultFrame(const QFont& font, int width, int bind, int loadTime);

// Designs the slab and adds its values to a frame drawn for it.  On a
// non-zero design status nothing is added and the status is returned.
int ResultValues(SheetDrawing& drawing, const QFont& font, int width, SlabData& slab,
                 const CommonSettings& settings, const BarData& bars);
// The values of a slab designed already (ResultValues after the design).
void AddResultValues(SheetDrawing& drawing, const QFont& font, int width, const SlabData& slab,
                     const CommonSettings& settings);

// Cell formats.  A moment beyond ±1000 and a shear above 10000 lose a
// decimal; a ratio of 100 or more shows as "(****)" and is red above 1,
// blue otherwise.
QString MomentText(double m);
QString ShearText(double q);
QString RatioText(double ratio);
QColor RatioColour(double ratio);

// Draws a description; texts have no background box.
void PaintSheet(QPainter& painter, const SheetDrawing& drawing, const QFont& font);

// The same on an image with an alpha channel: the frame clears the image to
// transparent first, so that the panel behind it shows wherever nothing is
// drawn; the values are painted over the frame.
void DrawResultFrame(QImage& image, const QFont& font, int bind, int loadTime);
int DrawResultValues(QImage& image, const QFont& font, SlabData& slab, const CommonSettings& settings,
                     const BarData& bars);
// An image for the sheet: ARGB32 premultiplied, fully transparent.
QImage NewSheetImage(int width, int height);

}  // namespace korvexa
