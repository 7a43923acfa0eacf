// The column widths of the printed slab block, from the body font measured
// on the surface the block is drawn on (the printer, or the preview's
// image).  Widths are whole pixels: a text's advance rounded up, so that a
// cell always holds its text.
#pragma once

class QFontMetricsF;
class QPaintDevice;
class QString;

namespace korvexa::print {

struct PrinterInfomation;

// Sets CaseLabelWidth, QuantityLabelWidth, ValueAreaWidth,
// PointLoadColumnWidth, ValueColumnWidth and TableWidth of `info` for its
// BodyFont at BodyFontHeight.  A null canvas measures for the screen.
void MeasureBlockColumns(PrinterInfomation& info, const QPaintDevice* canvas);

// A text's width in whole pixels, as the block measures and places texts.
int BlockTextWidth(const QFontMetricsF& metrics, const QString& text);

}  // namespace korvexa::print
