#include "print/Uprintsetup.h"

#include <QApplication>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QShowEvent>
#include <array>
#include <tuple>

#include "components/ConfigFolder.h"
#include "components/NumberEdit.h"
#include "datafile/ProfileFile.h"
#include "print/LayoutCheck.h"
#include "print/PrintDefaults.h"
#include "print/PrintPages.h"
#include "print/UpDown.h"
#include "printer/PrinterDevice.h"
#include "printer/QtPrinterDevice.h"
#include "ui_Uprintsetup.h"

using namespace korvexa;

namespace {

constexpr int kLengthMax = 300;       // mm, every margin and spacing box
constexpr int kFirstPageMax = 99999;  // calculation books run to hundreds of pages

// A memo line per title line.  The memo holds no line end after the last
// line, unless that line is empty and would otherwise vanish.
QString MemoText(const QStringList& lines)
{
    QString text = lines.join(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        text += QLatin1Char('\n');
    return text;
}

QStringList LinesOf(const std::string& stored)
{
    QStringList lines;
    for (const std::string& line : print::TitleLines(stored))
        lines << QString::fromStdString(line);
    return lines;
}

std::optional<QFont> RunFontDialog(QWidget* parent, const QFont& font)
{
    // Preset with the installed font that stands in for the one named.
    QFont preset = font;
    preset.setFamily(QFontInfo(font).family());
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, preset, parent, QString(), QFontDialog::ScalableFonts);
    return ok ? std::optional<QFont>(chosen) : std::nullopt;
}

void ShowErrorBox(QWidget* parent, const QString& text)
{
    QApplication::beep();
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), text);
}

void ShowWarningBox(QWidget* parent, const QString& text)
{
    QApplication::beep();
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

bool AskYesNo(QWidget* parent, const QString& text)
{
    QApplication::beep();
    return QMessageBox::warning(parent, QApplication::applicationDisplayName(), text,
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace

TPrintSetup::TPrintSetup(QWidget* parent)
    : TPrintSetup(printer::PrinterFactory()(), korvexa::SettingsFilePath(), parent)
{
}

TPrintSetup::TPrintSetup(std::unique_ptr<printer::PrinterDevice> device, const QString& settingsFile, QWidget* parent)
    : QDialog(parent), ChooseFont(RunFontDialog), ShowError(ShowErrorBox), Warn(ShowWarningBox),
      AskToFix(AskYesNo), ui(std::make_unique<Ui::TPrintSetup>()),
      printer_(std::move(device)), iniFileName_(settingsFile)
{
    SetPrintSource(nullptr);
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (parent) {
        QFont dialogFont = font();
        dialogFont.setPointSize(parent->font().pointSize());
        setFont(dialogFont);
    }
    SetUpControls();
    FormCreate();
}

TPrintSetup::~TPrintSetup() = default;

void TPrintSetup::SetUpControls()
{
    const std::array<std::pair<TNumberEdit*, TUpDown*>, 8> boxes{{
        {ui->MLeft, ui->MLeftUpDown}, {ui->MTop, ui->MTopUpDown}, {ui->MBottom, ui->MBottomUpDown},
        {ui->Indent, ui->IndentUpDown}, {ui->ParagraphSpace, ui->ParagraphSpaceUpDown},
        {ui->PgNoTop, ui->PgNoTopUpDown}, {ui->PgNoSide, ui->PgNoSideUpDown}, {ui->FirstPgNo, ui->FirstPgNoUpDown},
    }};
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12;
    for (auto [box, upDown] : boxes) {
        box->SetSignState(TNumberEdit::numUnSigned);
        box->SetDigits(0);
        const int limit = box == ui->FirstPgNo ? kFirstPageMax : kLengthMax;
        box->SetUseMax(true);
        box->SetValueMax(limit);
        box->setFixedWidth(boxWidth);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        upDown->SetAssociate(box);
        upDown->SetRange(0, limit);
        connect(box, &TNumberEdit::keyPressed, this, &TPrintSetup::NumberBoxKeyDown);
    }
    // The margins take a fraction of a millimetre too and keep the whole
    // millimetres above it, so that text stays at least that far inside.
    for (TNumberEdit* box : {ui->MLeft, ui->MTop, ui->MBottom}) {
        box->SetType(TNumberEdit::numDOUBLE);
        box->SetCutMode(TNumberEdit::numUP);
    }

    QFont memoFont(QStringLiteral("ＭＳ ゴシック"));
    memoFont.setStyleHint(QFont::TypeWriter);
    memoFont.setPointSize(font().pointSize());
    ui->TitleEdit->setFont(memoFont);

    const std::array<QToolButton*, 3> fontButtons{ui->TitleFontButton, ui->BodyFontButton, ui->HeaderFontButton};
    for (int tag = 0; tag < 3; ++tag)
        connect(fontButtons[static_cast<std::size_t>(tag)], &QToolButton::clicked, this,
                [this, tag] { FontButtonClick(tag); });
    connect(ui->MarginChange, &QCheckBox::clicked, this, [this](bool on) { info_.ChangeEvenSideMargin = on; });
    connect(ui->HeaderPosChange, &QCheckBox::clicked, this, [this](bool on) { info_.ChangeEvenHeaderPos = on; });
    connect(ui->PrinterButton, &QPushButton::clicked, this, &TPrintSetup::PrinterButtonClick);
    connect(ui->DefSetButton, &QPushButton::clicked, this, &TPrintSetup::DefSetButtonClick);
    connect(ui->DefReadButton, &QPushButton::clicked, this, &TPrintSetup::DefReadButtonClick);
    connect(ui->SpeedButton1, &QPushButton::clicked, this, &TPrintSetup::SpeedButton1Click);
    connect(ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TPrintSetup::LinkBoxes()
{
    ui->MLeft->Link(&info_.LeftMargin);
    ui->MTop->Link(&info_.TopMargin);
    ui->MBottom->Link(&info_.BottomMargin);
    ui->Indent->Link(&info_.Indent);
    ui->ParagraphSpace->Link(&info_.ParagraphSpace);
    ui->PgNoTop->Link(&info_.HeaderTopMargin);
    ui->PgNoSide->Link(&info_.HeaderSideMargin);
    ui->FirstPgNo->Link(&firstPageNo_);
}

void TPrintSetup::FormCreate()
{
    print::ApplyLayoutSettings(info_, datafile::PrintLayout{});
    ReadPrinterInfo();
    LinkBoxes();
    defaults_ = print::ReadPrintDefaults(datafile::ProfileFile(iniFileName_.toStdString()));
    ApplyDefaults();
    ComputeLayout();
}

void TPrintSetup::ReadPrinterInfo() { print::ReadPrinterInfo(info_, *printer_); }

void TPrintSetup::ComputeLayout() { print::ComputeLayout(info_, printer_->GetCanvas()); }

void TPrintSetup::ApplyDefaults() { ApplyLayout(defaults_); }

void TPrintSetup::ApplyLayout(const datafile::PrintLayout& layout)
{
    print::ApplyLayoutSettings(info_, layout);
    firstPageNo_ = layout.FirstPageNo;
    ui->TitleEdit->setPlainText(MemoText(LinesOf(layout.Title)));
    ui->IsTitlePrint->setChecked(layout.IsTitlePrint);
    ui->IsSummaryPrint->setChecked(layout.IsSummaryPrint);
    ShowLayout();
}

datafile::PrintLayout TPrintSetup::Layout() const
{
    datafile::PrintLayout layout;
    print::StoreLayoutSettings(info_, layout);
    layout.FirstPageNo = firstPageNo_;
    layout.Title = print::TitleText(print::TitleLines(ui->TitleEdit->toPlainText().toStdString()));
    layout.IsTitlePrint = IsTitlePrint();
    layout.IsSummaryPrint = IsSummaryPrint();
    return layout;
}

bool TPrintSetup::PrintJob(int pageCount, const std::function<void(QPainter&, int)>& drawPage)
{
    const QString error = printer::RunPrintJob(*printer_, pageCount, drawPage);
    if (!error.isEmpty())
        ShowError(parentWidget() ? parentWidget() : this, error);
    return error.isEmpty();
}

namespace {

// Nothing to print until the main window says what.
class NoSlabs : public print::PrintSource {
public:
    int SlabCount() const override { return 0; }
    const SlabData& Slab(int) const override { return none_; }
    double LoadUnitFactor() const override { return 1; }
    const BarData& Bars() const override { return bars_; }
    QString FileName() const override { return QString(); }

private:
    SlabData none_;
    BarData bars_;
};

}  // namespace

void TPrintSetup::SetPrintSource(std::unique_ptr<print::PrintSource> source)
{
    source_ = source ? std::move(source) : std::make_unique<NoSlabs>();
}

print::PageTitle TPrintSetup::CurrentTitle() const { return {TitleLines(), IsTitlePrint(), FirstPageNo()}; }

print::PageContent TPrintSetup::Content() const { return {*source_, CurrentTitle(), IsSummaryPrint()}; }

void TPrintSetup::Paginate()
{
    Pages = print::Paginate(SelectMode ? print::DesignedAmong(*source_, Selection) : print::CalculatedSlabs(*source_),
                            Content(), info_);
}

int TPrintSetup::DrawPage(QPainter& canvas, print::PrinterInfomation& info, int p, int n, bool pageNumbersOff)
{
    return print::DrawPage(canvas, info, Content(), Pages, p, n, pageNumbersOff);
}

bool TPrintSetup::PrintPages(QWidget* parent)
{
    ReadPrinterInfo();
    ComputeLayout();
    Paginate();
    if (RefusesLayout(parent, kPrintRefused))
        return false;
    const int offered = Pages.PageCount;
    const std::optional<printer::PrintChoice> choice = printer_->PrintDialog(
        parent, offered, OfferPdfFile ? OfferPdfFile() : printer::DefaultPdfFileName(source_->FileName()));
    if (!choice)
        return false;
    ReadPrinterInfo();
    ComputeLayout();
    Paginate();
    if (RefusesLayout(parent, kPrintRefused))
        return false;
    const print::PrintPlan plan = print::PlanPrint(*choice, offered, Pages.PageCount,
                                                   printer_->GetPrintCaps() & printer::kPrinterMakesCopies,
                                                   printer_->IsPdfPrinter());
    if (plan.pages.empty())
        return false;
    const QString error = print::PrintPlanned(*printer_, info_, Content(), Pages, plan);
    if (!error.isEmpty())
        ShowError(parentWidget() ? parentWidget() : this, error);
    else if (printer_->IsPdfPrinter())
        emit PdfWritten(printer_->OutputFileName());
    return error.isEmpty();
}

QStringList TPrintSetup::LayoutProblems()
{
    return print::LayoutProblems(info_, CurrentTitle(), Pages.PageCount, printer_->GetCanvas());
}

bool TPrintSetup::RefusesLayout(QWidget* parent, const QString& refused)
{
    const QStringList problems = LayoutProblems();
    if (problems.isEmpty())
        return false;
    Warn(parent ? parent : this, print::LayoutMessage(info_, problems) + QStringLiteral("\n\n") + refused);
    return true;
}

QStringList TPrintSetup::TitleLines() const { return LinesOf(ui->TitleEdit->toPlainText().toStdString()); }

bool TPrintSetup::IsTitlePrint() const { return ui->IsTitlePrint->isChecked(); }

bool TPrintSetup::IsSummaryPrint() const { return ui->IsSummaryPrint->isChecked(); }

void TPrintSetup::SetMinimum(TNumberEdit* box, TUpDown* upDown, int minimum)
{
    box->SetUseMin(true);
    box->SetValueMin(minimum);
    upDown->SetMin(minimum);
}

void TPrintSetup::ShowLayout()
{
    ShowFontLabels();
    ui->MarginChange->setChecked(info_.ChangeEvenSideMargin);
    ui->HeaderPosChange->setChecked(info_.ChangeEvenHeaderPos);
    SetMinimum(ui->MLeft, ui->MLeftUpDown, info_.MinLeftMargin);
    SetMinimum(ui->MTop, ui->MTopUpDown, info_.MinTopMargin);
    SetMinimum(ui->PgNoTop, ui->PgNoTopUpDown, info_.MinTopMargin);
    SetMinimum(ui->MBottom, ui->MBottomUpDown, info_.MinBottomMargin);
    SetMinimum(ui->PgNoSide, ui->PgNoSideUpDown, info_.MinSideMargin);
    // A value from a file or the settings file above what may be typed is
    // shown as it is, not cut to the limit: the limit rises to it.
    const std::array<std::tuple<TNumberEdit*, TUpDown*, const int*>, 8> boxes{{
        {ui->MLeft, ui->MLeftUpDown, &info_.LeftMargin},
        {ui->MTop, ui->MTopUpDown, &info_.TopMargin},
        {ui->MBottom, ui->MBottomUpDown, &info_.BottomMargin},
        {ui->Indent, ui->IndentUpDown, &info_.Indent},
        {ui->ParagraphSpace, ui->ParagraphSpaceUpDown, &info_.ParagraphSpace},
        {ui->PgNoTop, ui->PgNoTopUpDown, &info_.HeaderTopMargin},
        {ui->PgNoSide, ui->PgNoSideUpDown, &info_.HeaderSideMargin},
        {ui->FirstPgNo, ui->FirstPgNoUpDown, &firstPageNo_},
    }};
    for (auto [box, upDown, value] : boxes) {
        const int maximum = std::max(box == ui->FirstPgNo ? kFirstPageMax : kLengthMax, *value);
        box->SetValueMax(maximum);
        upDown->SetRange(upDown->Min(), maximum);
        box->ShowUpdate();
    }
}

void TPrintSetup::ShowFontLabels()
{
    const std::array<std::pair<QLabel*, const QFont*>, 3> labels{{
        {ui->TitleFontName, &info_.TitleFont}, {ui->BodyFontName, &info_.BodyFont}, {ui->HeaderFontName, &info_.HeaderFont},
    }};
    for (auto [label, font] : labels) {
        label->setText(font->family() + QStringLiteral("　") + QString::number(font->pointSize()) + QStringLiteral("pt"));
        QFont shown = this->font();
        shown.setBold(font->bold());
        shown.setItalic(font->italic());
        shown.setUnderline(font->underline());
        shown.setStrikeOut(font->strikeOut());
        label->setFont(shown);
    }
}

void TPrintSetup::ShowPrinter()
{
    ui->SelectPrinter->setText(QStringLiteral("プリンタ： ") + info_.PrinterName);
    ui->PaperInfo->setText(QStringLiteral("用紙： ") + info_.PaperName + QStringLiteral("   ") + info_.OrientationText);
}

void TPrintSetup::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        layoutAtShow_ = Layout();  // before the printer may raise a margin
        FormShow();
    }
    QDialog::showEvent(event);
}

void TPrintSetup::FormShow()
{
    ReadPrinterInfo();
    ShowPrinter();
    ShowLayout();
}

void TPrintSetup::done(int)
{
    // A box still being edited (closed without leaving it) counts.
    if (auto* box = qobject_cast<TNumberEdit*>(focusWidget()))
        box->ValueUpdate();
    ComputeLayout();
    // Any value is taken, but a layout that cannot hold the sheet is told
    // at once, with the offer to mend it; printing refuses it.
    Paginate();
    const QStringList problems = LayoutProblems();
    if (!problems.isEmpty() &&
        AskToFix(this, print::LayoutMessage(info_, problems) + QStringLiteral("\n\nこのままでは印刷できません。設定を直しますか？")))
        return;
    QDialog::done(Accepted);
    if (const datafile::PrintLayout now = Layout(); now != layoutAtShow_)
        emit LayoutEdited(layoutAtShow_, now);
}

void TPrintSetup::NumberBoxKeyDown()
{
    auto* box = qobject_cast<TNumberEdit*>(sender());
    if (box && box->GetPressKey() == '\r')
        focusNextChild();
}

void TPrintSetup::FontButtonClick(int tag)
{
    QFont& font = tag == 0 ? info_.TitleFont : tag == 1 ? info_.BodyFont : info_.HeaderFont;
    std::optional<QFont> chosen = ChooseFont(this, font);
    if (!chosen)
        return;
    // The dialog knows only installed fonts and offers the stand-in of a
    // font missing here: unless another font was chosen, the name stays.
    if (chosen->family() == QFontInfo(font).family())
        chosen->setFamily(font.family());
    // Whole points, as the files keep them; the style by its flags.
    chosen->setPointSize(std::max(1, qRound(chosen->pointSizeF())));
    chosen->setStyleName(QString());
    font = *chosen;
    ShowFontLabels();
}

void TPrintSetup::PrinterButtonClick()
{
    if (!printer_->PrinterSetupDialog(this))
        return;
    ReadPrinterInfo();
    ShowPrinter();
    ShowLayout();
}

void TPrintSetup::DefSetButtonClick()
{
    defaults_ = Layout();
    datafile::ProfileFile file(iniFileName_.toStdString());
    if (!print::WritePrintDefaults(file, defaults_))
        ShowError(this, QString::fromStdString(file.LastError()) + QStringLiteral("\n") + iniFileName_);
}

void TPrintSetup::DefReadButtonClick()
{
    ApplyDefaults();
    ShowLayout();
}

void TPrintSetup::SpeedButton1Click()
{
    if (ui->TitleEdit->document()->isEmpty())
        return;
    ui->TitleEdit->selectAll();
    ui->TitleEdit->textCursor().removeSelectedText();
}
