// The page layout record: the user's print settings, the geometry of the
// current printer, and the drawing metrics derived from both in the
// printer's device pixels.  Every printed page is drawn from it; the
// preview draws from a copy scaled for the screen.
//
// Device positions have their origin at the top left corner of the
// printable area.  Lengths of the settings are whole millimetres, font
// sizes whole points; px(v) = v × dpi / 25.4 and points × dpi / 72, each
// rounded half up.
//
//   ReadPrinterInfo(info, printer);            // geometry, minimum margins
//   ComputeLayout(info, printer.GetCanvas());  // every derived metric
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "datafile/DataSet.h"

class QPaintDevice;

namespace korvexa::printer {
class PrinterDevice;
}

namespace korvexa::print {

struct PrinterInfomation {
    // --- settings (the user's values, mm) --------------------------------
    int LeftMargin = 20;        // text from the paper's left edge
    int TopMargin = 15;         // first line from the paper's top edge
    int BottomMargin = 5;       // kept free at the paper's bottom edge
    int ParagraphSpace = 3;     // between two slab blocks, and after the title
    int Indent = 10;            // of the blocks relative to the title
    int HeaderTopMargin = 6;    // page number from the paper's top edge
    int HeaderSideMargin = 15;  // page number from the right edge (left when mirrored)
    QFont TitleFont, BodyFont, HeaderFont;  // whole point sizes
    bool ChangeEvenSideMargin = false;      // mirror the blocks on even pages
    bool ChangeEvenHeaderPos = false;       // page number at the left on even pages

    // --- printer geometry (ReadPrinterInfo) -------------------------------
    QString PrinterName;
    QString PaperName;        // empty when the printer does not name it
    QString OrientationText;  // "タテ" or "ヨコ"
    int DpiX = 0, DpiY = 0;
    int PaperWidth = 0, PaperHeight = 0;  // px, the whole sheet
    int PageWidth = 0, PageHeight = 0;    // px, the printable area
    int OffsetX = 0, OffsetY = 0;         // px, unprintable strips left and top
    int RightUnprintable = 0, BottomUnprintable = 0;
    // The four unprintable strips in whole mm (rounded half up).
    int MinLeftMargin = 0, MinTopMargin = 0, MinBottomMargin = 0, MinSideMargin = 0;

    // --- derived metrics (ComputeLayout), device px ------------------------
    int LeftX = 0;         // text on normal pages
    int OddLeftX = 0;      // title on odd pages (blocks IndentPx further right)
    int EvenLeftX = 0;     // title on mirrored even pages
    int CurrentLeftX = 0;  // the one in use on the page being drawn
    int TopY = 0;          // first line
    int BottomInset = 0;   // bottom margin from the printable area's bottom
    int UsableHeight = 0;  // for title and blocks on one page
    int HeaderSide = 0;    // HeaderSideMargin
    int PageNoY = 0;
    int PageNoLeftX = 0;   // a left page number starts here
    int PageNoRightX = 0;  // a right page number ends here
    int IndentPx = 0;
    double ParagraphGap = 0;
    double LineGap = 0;    // 3 points, added to each line's font height
    // Character heights (em, without leading), negative as the sizes of a
    // font are given by height: the font is set with SizedFont().
    int BodyFontHeight = 0, TitleFontHeight = 0, HeaderFontHeight = 0;
    double BodyPitch = 0, TitlePitch = 0;  // line pitch of block and title lines
    int ThinPen = 0, ThickPen = 0;         // 0.3 and 0.7 points

    // Columns of the slab block (MeasureBlockColumns).
    int CaseLabelWidth = 0;
    int QuantityLabelWidth = 0;
    int ValueAreaWidth = 0;
    int PointLoadColumnWidth = 0;
    int ValueColumnWidth = 0;
    int TableWidth = 0;

    int BlockTop = 0;       // top of the block being drawn
    QRect PrintableRect;    // only in the preview's scaled records
};

// v mm in px at `dpi`, rounded half up.
int MmToPx(int mm, int dpi);
// v points in px at `dpi`, rounded half up; tenths of a point for the pens.
int PointsToPx(int points, int dpi);
int TenthPointsToPx(int tenths, int dpi);

// Reads name, paper, orientation and geometry of the current printer,
// the minimum margins, and raises the margins to them.
void ReadPrinterInfo(PrinterInfomation& info, const printer::PrinterDevice& printer);

// Computes every derived metric, measuring the block columns on `canvas`
// (the printer's surface: text is measured at its resolution).  Every
// position is held within the printable area, whatever the margins: a
// margin of whole millimetres may lie a fraction inside the printer's
// unprintable strip.
void ComputeLayout(PrinterInfomation& info, const QPaintDevice* canvas);

// `font` at a character height in px (see BodyFontHeight).
QFont SizedFont(const QFont& font, int height);

// Style texts of fonts: "Bold", "Italic", "Bold & Italic" for exactly those
// styles, else empty (underline and strike-out count as regular).
QString FontStyleText(const QFont& font);
// Sets bold and italic from a style text (anything else: regular) and
// clears underline and strike-out.
void SetFontStyleText(QFont& font, const QString& style);

// Fonts as a data file and the settings file hold them, and back.
QFont FontOf(const datafile::FontSetting& setting);
datafile::FontSetting SettingOf(const QFont& font);

// The fonts, margins and even-page flags of a stored layout into the
// record, and back.  (Title, its switch and the first page number are the
// dialog's.)
void ApplyLayoutSettings(PrinterInfomation& info, const datafile::PrintLayout& layout);
void StoreLayoutSettings(const PrinterInfomation& info, datafile::PrintLayout& layout);

}  // namespace korvexa::print
