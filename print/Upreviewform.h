// The print preview "印刷プレビュー": the pages printing would make, one at a
// time, as a white sheet with a shadow on grey, at a few zoom steps that
// fit the window.  Each page is drawn by the printer's own page drawing
// from the printer's layout record scaled for the screen.  From here the
// user prints, opens the print settings, pages through the document and
// copies the page shown to the clipboard.
//
// For the main window:
//   * One preview lives from start-up to exit; exec() shows it modally,
//     maximised, at the first page and the smallest zoom, paginated afresh.
//   * It previews what TPrintSetup::Paginate() makes: the designed slabs,
//     or the selection while SelectMode is on (the selection dialog's
//     preview); its print button prints the same.
//   * Left click on the page enlarges, any other button reduces, keeping
//     the point clicked under the pointer; so do Ctrl with the wheel, and
//     + and - (around the middle of the view).  Page Down and Space go to
//     the next page, Page Up to the previous one, Home and End to the first
//     and the last; Ctrl+P prints.
#pragma once

#include <QDialog>
#include <QIcon>
#include <memory>
#include <vector>

#include "print/PrinterInfomation.h"

class QPainter;
class TPrintSetup;

namespace korvexa::print {
enum class PageMove;
}

namespace Ui {
class TPreviewForm;
}

class TPreviewForm : public QDialog {
    Q_OBJECT

public:
    // Previews and prints through `setup`, which owns the printer, the
    // layout and the pagination.
    explicit TPreviewForm(TPrintSetup& setup, QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Shown maximised.
    int exec() override;

    // The tool bar's pictures, which the program draws itself.
    struct ToolIcons {
        QIcon print, copy, first, previous, next, last;
    };
    void SetToolIcons(const ToolIcons& icons);

    // --- state ---------------------------------------------------------------
    int CurrentPage() const { return currentPage_; }  // 1-based
    int ZoomIndex() const { return zoomIndex_; }
    const std::vector<double>& ZoomSteps() const { return zoomSteps_; }
    // The record the page is drawn from, scaled and placed on the image.
    const korvexa::print::PrinterInfomation& PreviewLayout() const { return previewLayout_; }
    QRect PaperRect() const { return paperRect_; }  // the sheet in the image
    const QImage& PreviewImage() const;

    // --- operations -----------------------------------------------------------
    // Zoom steps for the window as it is now (the printer read afresh).
    void ComputeZoomSteps();
    // The image at `zoom`: grey, the shadow, the border and the blank sheet.
    void RenderPaper(double zoom);
    // The current page onto the sheet.
    void ShowPreviewPage();
    // Draws the current page on `canvas` as on the sheet: within the
    // printable area, page numbers on.
    void PaintPage(QPainter& canvas);
    void UpdatePageCount();
    void UpdatePageButtons();

protected:
    void showEvent(QShowEvent* event) override;
    // The scroll area resized: the window, or the bars around it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Space pages where the control with the focus has no use for it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetUpControls();
    void FormShow();
    void FormResize();
    void ShowZoom();
    // After a pagination: the page held within the new count, the zoom
    // steps and the sheet for the printer as it is now.
    void Refresh(int page);
    void GoTo(int page);
    void PageButtonClick(korvexa::print::PageMove move);
    void PageNoEditKeyPress();
    void PreviewMouseDown(Qt::MouseButton button, QPoint at);
    // Zoom step `index`, the point of the sheet at `anchor` (a point of the
    // scroll area's viewport) staying there.
    void ZoomTo(int index, QPointF anchor);
    void ZoomAroundCentre(int step);
    void PrintButtonClick();
    void SettingButtonClick();
    void MetaFileButtonClick();
    double ScreenPpi() const;     // logical pixels per inch
    double PixelRatio() const;    // device pixels per logical pixel
    int ScrollBarExtent() const;  // logical pixels

    std::unique_ptr<Ui::TPreviewForm> ui;
    TPrintSetup& setup_;
    int currentPage_ = 1;
    int zoomIndex_ = 0;
    std::vector<double> zoomSteps_{1};
    korvexa::print::PrinterInfomation previewLayout_;
    QRect paperRect_;
    QSize viewport_;  // the scroll area's room the sheet was last placed in
};
