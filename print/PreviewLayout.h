// The preview's sheet on the screen: the zoom steps a window offers, the
// page layout record scaled for the screen, and the sheet's place in the
// preview image.  Plain functions of sizes, apart from the window.
//
// Zoom 1 shows the sheet at its true size: one printer inch becomes `ppi`
// screen pixels.  On a high-density screen the image is drawn in device
// pixels: ppi is then the logical resolution times the device pixel ratio.
//
//   steps = ComputeZoomSteps(printer, viewport, ppi, scrollBarExtent);
//   layout = ScaleLayout(printer, steps[i], ppi * ratio, &image);
//   place = PlacePaper({layout.PaperWidth, layout.PaperHeight}, viewport * ratio, extent * ratio, ratio);
//   MoveLayout(layout, place.sheet.topLeft());
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

class QFont;
class QPaintDevice;

namespace korvexa::print {

struct PrinterInfomation;

// The navy border around the sheet and the offset of its black shadow, in
// logical screen pixels.
inline constexpr int kPaperBorder = 1;
inline constexpr int kShadowOffset = 5;

// A font's character height at `ppi`, in px, negative (see BodyFontHeight).
int ScreenFontHeight(const QFont& font, double ppi);

// The zoom steps, ascending, for a scroll area whose viewport is
// `viewport` without scroll bars: 1, the zoom that fits the sheet's height
// and the one that fits its width, each cut to a whole pixel of the body
// font's height, a fit step that rounds to 1.0 at one decimal dropped, the
// fit-width step dropped when it rounds like the fit-height one.  A fit
// step leaves room for the scroll bar (`scrollBarExtent`) its sheet would
// need the other way.  Always two steps at least: 1.5 (cut likewise) is
// added to a lone 1.
std::vector<double> ComputeZoomSteps(const PrinterInfomation& printer, QSize viewport, double ppi,
                                     int scrollBarExtent = 0);

// The printer's record for a screen of `ppi` at `zoom`: the positions of
// page drawing measured from the sheet's corner (the printer offsets added
// back), the printable area in PrintableRect, the sheet's size, indent,
// gaps, fonts, pitches and pens scaled, and the block columns measured on
// `canvas` (null: the screen).  The printer geometry and the settings stay
// the printer's.
PrinterInfomation ScaleLayout(const PrinterInfomation& printer, double zoom, double ppi, const QPaintDevice* canvas);

// Where a sheet of `paper` px lies in the preview image of a viewport of
// `viewport` px: framed by the border, its shadow below and right, centred
// where the viewport is larger, from the corner (plus the border) where it
// is smaller; the image fills the viewport left free by the scroll bars it
// needs.  Border and shadow are scaled by the device pixel ratio.
struct PaperPlace {
    QSize image;
    QRect sheet;
    int border = kPaperBorder;
    int shadow = kShadowOffset;
};
PaperPlace PlacePaper(QSize paper, QSize viewport, int scrollBarExtent, double ratio = 1);

// Moves the positions of a scaled record by `by` (to the sheet's place).
void MoveLayout(PrinterInfomation& layout, QPoint by);

// "表示倍率　58%": the zoom in percent, rounded half up.
QString ViewScaleText(double zoom);

}  // namespace korvexa::print
