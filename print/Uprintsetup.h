// The print settings dialog "印刷設定": margins, block spacing and indent,
// the fonts of title, blocks and page number, page numbers, the even-page
// mirroring, the title printed on the first page, and the printer; with a
// set of default settings kept in the settings file.
//
// For the main window and the print code:
//   * One dialog lives from start-up to exit.  It owns the program's
//     printer (Printer()) and the page layout record (PrinterInfo()).  Its
//     constructor reads the defaults from the settings file (the built-in
//     ones without it) and puts them in force.
//   * exec() shows it; every change takes effect as it is made.  There is
//     only OK, and any way of closing counts as OK; closing computes the
//     layout and, when the paper cannot hold the sheet, says what does not
//     fit and offers to stay open for mending.  Print and preview refuse
//     such a layout (RefusesLayout()).
//   * Layout() is the current settings as a data file stores them,
//     ApplyLayout() puts a data file's in force, ApplyDefaults() the
//     defaults (new data).
//   * Before printing or previewing: ReadPrinterInfo(), ComputeLayout();
//     PrinterInfo() then holds every metric for the current printer, and
//     FirstPageNo(), TitleLines() and IsTitlePrint() the rest of a page;
//     PrintJob() prints the pages and tells the user when it cannot.
//   * What is printed comes from the PrintSource the main window sets.
//     Paginate() splits the designed slabs (or, in SelectMode, the
//     Selection) into Pages; DrawPage() draws one of them on any painter
//     from any layout record; PrintPages() is the whole print command
//     with its dialog.
#pragma once

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "datafile/DataSet.h"
#include "print/Pagination.h"
#include "print/PrinterInfomation.h"

class QPainter;
class QShowEvent;
class TNumberEdit;
class TUpDown;

namespace korvexa::printer {
class PrinterDevice;
}

namespace Ui {
class TPrintSetup;
}

class TPrintSetup : public QDialog {
    Q_OBJECT

public:
    // With the program's printer and settings file.
    explicit TPrintSetup(QWidget* parent = nullptr);
    TPrintSetup(std::unique_ptr<korvexa::printer::PrinterDevice> printer, const QString& settingsFile,
                QWidget* parent = nullptr);
    ~TPrintSetup() override;

    korvexa::print::PrinterInfomation& PrinterInfo() { return info_; }
    const korvexa::print::PrinterInfomation& PrinterInfo() const { return info_; }
    korvexa::printer::PrinterDevice& Printer() { return *printer_; }

    // The geometry of the current printer, margins raised to its minimums.
    void ReadPrinterInfo();
    // Every derived metric for the current printer.
    void ComputeLayout();
    // The defaults in force: settings, title, its switch, first page number.
    void ApplyDefaults();
    // The controls from the current settings.
    void ShowLayout();

    int FirstPageNo() const { return firstPageNo_; }  // 0: no page numbers
    QStringList TitleLines() const;
    bool IsTitlePrint() const;
    // The summary table of the printed slabs before their sheets.
    bool IsSummaryPrint() const;

    // One print job of `pageCount` pages on the printer (see RunPrintJob).
    // A printer that cannot be opened, or fails midway, is reported in the
    // error box; the result is then false.
    bool PrintJob(int pageCount, const std::function<void(QPainter&, int)>& drawPage);

    // --- pagination and printing ------------------------------------------
    void SetPrintSource(std::unique_ptr<korvexa::print::PrintSource> source);
    const korvexa::print::PrintSource& Source() const { return *source_; }
    // Off: every designed slab is printed; on: the slabs of Selection, in
    // its order (set while the selection dialog prints or previews).
    bool SelectMode = false;
    std::vector<int> Selection;
    // PrintList, PageIndex and PageCount of the last Paginate().
    korvexa::print::Pagination Pages;
    // The title lines, their switch and the first page number as they are now.
    korvexa::print::PageTitle CurrentTitle() const;
    // The slabs, the title and the summary switch as they are now.
    korvexa::print::PageContent Content() const;
    void Paginate();
    // Page p of Pages with the printed number n (see print::DrawPage).
    int DrawPage(QPainter& canvas, korvexa::print::PrinterInfomation& info, int p, int n, bool pageNumbersOff);
    // The print command: layout and pagination for the printer, the print
    // dialog, both again (the dialog may have changed printer or paper),
    // then the chosen pages and copies.  False when cancelled or failed
    // (a failure is told in the error box).
    bool PrintPages(QWidget* parent);

    korvexa::datafile::PrintLayout Layout() const;
    void ApplyLayout(const korvexa::datafile::PrintLayout& layout);
    const korvexa::datafile::PrintLayout& PrintDefaults() const { return defaults_; }

    // --- the layout against the paper ------------------------------------
    // What of the sheet the paper cannot hold (print::LayoutProblems), for
    // the layout computed last and the pages of the last Paginate().
    QStringList LayoutProblems();
    // Tells the user what does not fit, followed by `refused` (what cannot
    // be done), and returns true, when the layout cannot hold the sheet.
    bool RefusesLayout(QWidget* parent, const QString& refused);
    static inline const QString kPrintRefused = QStringLiteral("印刷できません。印刷設定を直してください。");
    static inline const QString kPreviewRefused =
        QStringLiteral("印刷プレビューを表示できません。印刷設定を直してください。");

    // The PDF printer's file offered in the print dialog; without it, the
    // data file's name beside it (printer::DefaultPdfFileName).
    std::function<QString()> OfferPdfFile;

    // The font dialog (nothing when cancelled), the error and warning
    // boxes, and the question whether to mend a layout that does not fit
    // (true: yes, the dialog stays open); tests answer them.
    std::function<std::optional<QFont>(QWidget* parent, const QFont& font)> ChooseFont;
    std::function<void(QWidget* parent, const QString& text)> ShowError;
    std::function<void(QWidget* parent, const QString& text)> Warn;
    std::function<bool(QWidget* parent, const QString& text)> AskToFix;

    void done(int result) override;

Q_SIGNALS:
    // The dialog closed with the layout changed since it was shown (an
    // undo step of the window that showed it).
    void LayoutEdited(const korvexa::datafile::PrintLayout& before, const korvexa::datafile::PrintLayout& after);
    // A print on the PDF printer wrote this file.
    void PdfWritten(const QString& fileName);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetUpControls();
    void LinkBoxes();
    void FormCreate();
    void FormShow();
    void ShowPrinter();
    void ShowFontLabels();
    void FontButtonClick(int tag);
    void PrinterButtonClick();
    void DefSetButtonClick();
    void DefReadButtonClick();
    void SpeedButton1Click();
    void NumberBoxKeyDown();
    void SetMinimum(TNumberEdit* box, TUpDown* upDown, int minimum);

    std::unique_ptr<Ui::TPrintSetup> ui;
    std::unique_ptr<korvexa::printer::PrinterDevice> printer_;
    std::unique_ptr<korvexa::print::PrintSource> source_;
    korvexa::print::PrinterInfomation info_;
    QString iniFileName_;
    korvexa::datafile::PrintLayout defaults_;
    korvexa::datafile::PrintLayout layoutAtShow_;
    int firstPageNo_ = 0;
};
