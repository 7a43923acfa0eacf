#include "print/Upreviewform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "components/NumberEdit.h"
#include "print/PageCopy.h"
#include "print/PageImage.h"
#include "print/PreviewLayout.h"
#include "print/PreviewNavigation.h"
#include "print/PrintPages.h"
#include "print/Uprintsetup.h"
#include "print/ZoomCursor.h"
#include "ui_Upreviewform.h"

using namespace korvexa;
using print::PageMove;

namespace {

const QColor kBackground(128, 128, 128);
const QColor kBorder(0, 0, 128);

}  // namespace

TPreviewForm::TPreviewForm(TPrintSetup& setup, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TPreviewForm>()), setup_(setup)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    if (parent)
        setFont(parent->font());
    SetUpControls();
}

TPreviewForm::~TPreviewForm() = default;

void TPreviewForm::SetUpControls()
{
    QWidget* viewport = ui->ScrollBox->viewport();
    QPalette grey = viewport->palette();
    grey.setColor(QPalette::Window, kBackground);
    viewport->setPalette(grey);
    viewport->setBackgroundRole(QPalette::Window);
    viewport->setAutoFillBackground(true);
    ui->ScrollBox->installEventFilter(this);
    viewport->installEventFilter(this);  // Ctrl with the wheel
    ui->Preview->setCursor(print::ZoomCursor());
    connect(ui->Preview, &TPageImage::pressed, this, &TPreviewForm::PreviewMouseDown);

    TNumberEdit* box = ui->PageNoEdit;
    box->SetSignState(TNumberEdit::numUnSigned);
    box->SetDigits(0);
    box->SetUseMin(true);
    box->SetValueMin(1);
    box->SetZeroValue(1);
    box->SetUseMax(true);
    box->SetValueMax(1);
    box->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    box->Link(&currentPage_);
    connect(box, &TNumberEdit::keyPressed, this, &TPreviewForm::PageNoEditKeyPress);
    // Leaving the box takes the page typed, as Enter does, so that the
    // page shown is always the one in the box.
    connect(box, &TNumberEdit::exited, this, [this] { GoTo(currentPage_); });

    const std::pair<QToolButton*, PageMove> pageButtons[] = {
        {ui->TopPageButton, PageMove::First}, {ui->BeforPageButton, PageMove::Previous},
        {ui->NextPageButton, PageMove::Next}, {ui->LastPageButton, PageMove::Last}};
    for (auto [button, move] : pageButtons)
        connect(button, &QToolButton::clicked, this, [this, move] { PageButtonClick(move); });
    for (const Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] { PageButtonClick(*print::PageKeyMove(key)); });
    }
    const std::pair<QKeySequence, int> zoomKeys[] = {{QKeySequence(Qt::Key_Plus), 1},
                                                     {QKeySequence(QKeySequence::ZoomIn), 1},
                                                     {QKeySequence(Qt::Key_Minus), -1},
                                                     {QKeySequence(QKeySequence::ZoomOut), -1}};
    for (const auto& [key, step] : zoomKeys) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this, step] { ZoomAroundCentre(step); });
    }
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, &TPreviewForm::PrintButtonClick);
    connect(ui->PrintButton, &QToolButton::clicked, this, &TPreviewForm::PrintButtonClick);
    connect(ui->SettingButton, &QToolButton::clicked, this, &TPreviewForm::SettingButtonClick);
    connect(ui->MetaFileButton, &QToolButton::clicked, this, &TPreviewForm::MetaFileButtonClick);
    connect(ui->CloseButton, &QPushButton::clicked, this, &QDialog::close);

    const QFontMetrics metrics = fontMetrics();
    ui->ViewScale->setMinimumWidth(metrics.horizontalAdvance(print::ViewScaleText(1.5)) + 16);
    ui->TotalPage->setMinimumWidth(metrics.horizontalAdvance(print::TotalPageText(999)) + 16);
    ui->StatusBar->showMessage(QStringLiteral("　マウスの左クリックで拡大、右クリックで縮小"));
    ui->StatusBar->setFixedHeight(ui->StatusBar->fontMetrics().height() + 10);
}

void TPreviewForm::SetToolIcons(const ToolIcons& icons)
{
    const std::pair<QToolButton*, const QIcon*> buttons[] = {
        {ui->PrintButton, &icons.print},       {ui->MetaFileButton, &icons.copy},
        {ui->TopPageButton, &icons.first},     {ui->BeforPageButton, &icons.previous},
        {ui->NextPageButton, &icons.next},     {ui->LastPageButton, &icons.last}};
    for (auto [button, icon] : buttons)
        button->setIcon(*icon);
}

int TPreviewForm::exec()
{
    // Never a blank or cut page: a layout the paper cannot hold is told, not shown.
    setup_.ReadPrinterInfo();
    setup_.ComputeLayout();
    setup_.Paginate();
    if (setup_.RefusesLayout(parentWidget(), TPrintSetup::kPreviewRefused))
        return Rejected;
    // The whole desktop also where no window manager maximises.
    if (const QScreen* desktop = parentWidget() ? parentWidget()->screen() : screen())
        setGeometry(desktop->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    return QDialog::exec();
}

const QImage& TPreviewForm::PreviewImage() const { return ui->Preview->Image(); }

void TPreviewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->ScrollBox && event->type() == QEvent::Resize)
        FormResize();
    if (watched == ui->ScrollBox->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int notch = wheel->angleDelta().y();
            if (notch != 0)
                ZoomTo(zoomIndex_ + (notch > 0 ? 1 : -1), wheel->position());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        PageButtonClick(*print::PageKeyMove(Qt::Key_Space));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPreviewForm::FormResize()
{
    // Scroll bars coming and going do not count: the room is measured
    // without them.
    if (!isVisible() || ui->ScrollBox->maximumViewportSize() == viewport_)
        return;
    ComputeZoomSteps();
    RenderPaper(zoomSteps_[static_cast<std::size_t>(zoomIndex_)]);
    ShowZoom();
    ShowPreviewPage();
}

void TPreviewForm::FormShow()
{
    currentPage_ = 1;
    zoomIndex_ = 0;
    ComputeZoomSteps();
    RenderPaper(zoomSteps_.front());
    UpdatePageCount();
    ShowZoom();
    ShowPreviewPage();
    UpdatePageButtons();
    // The keys page and zoom from the page, not in the page number box.
    ui->ScrollBox->setFocus(Qt::OtherFocusReason);
}

double TPreviewForm::ScreenPpi() const { return logicalDpiY(); }

double TPreviewForm::PixelRatio() const { return devicePixelRatioF(); }

int TPreviewForm::ScrollBarExtent() const
{
    const QScrollArea* area = ui->ScrollBox;
    const QStyle* style = area->style();
    int extent = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area->verticalScrollBar());
    if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, area))
        extent += style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, area);
    return extent;
}

void TPreviewForm::ComputeZoomSteps()
{
    setup_.ReadPrinterInfo();
    setup_.ComputeLayout();
    zoomSteps_ = print::ComputeZoomSteps(setup_.PrinterInfo(), ui->ScrollBox->maximumViewportSize(), ScreenPpi(),
                                         ScrollBarExtent());
    if (zoomIndex_ >= static_cast<int>(zoomSteps_.size()))
        zoomIndex_ = 0;
}

void TPreviewForm::RenderPaper(double zoom)
{
    // The image is drawn in device pixels, the room measured in logical ones.
    const double ratio = PixelRatio();
    previewLayout_ = print::ScaleLayout(setup_.PrinterInfo(), zoom, ScreenPpi() * ratio, &ui->Preview->Image());
    viewport_ = ui->ScrollBox->maximumViewportSize();
    const QSize room(static_cast<int>(viewport_.width() * ratio), static_cast<int>(viewport_.height() * ratio));
    const print::PaperPlace place =
        print::PlacePaper({previewLayout_.PaperWidth, previewLayout_.PaperHeight}, room,
                          static_cast<int>(std::lround(ScrollBarExtent() * ratio)), ratio);
    ui->Preview->Reset(place.image, ratio);
    ui->ScrollBox->horizontalScrollBar()->setValue(0);
    ui->ScrollBox->verticalScrollBar()->setValue(0);
    paperRect_ = place.sheet;
    print::MoveLayout(previewLayout_, paperRect_.topLeft());
    previewLayout_.ThickPen = std::max(2, previewLayout_.ThickPen);

    QPainter canvas(&ui->Preview->Image());
    canvas.fillRect(QRect(QPoint(0, 0), place.image), kBackground);
    const int b = place.border;
    const QRect framed = paperRect_.adjusted(-b, -b, b, b);
    canvas.fillRect(framed.translated(place.shadow, place.shadow), Qt::black);
    canvas.fillRect(framed, kBorder);
    canvas.fillRect(paperRect_, Qt::white);
    ui->Preview->update();
}

void TPreviewForm::PaintPage(QPainter& canvas)
{
    const QRect printable = previewLayout_.PrintableRect;
    canvas.save();
    canvas.setClipRect(printable);
    canvas.fillRect(printable, Qt::white);
    setup_.DrawPage(canvas, previewLayout_, currentPage_, print::PrintedPageNumber(setup_.CurrentTitle(), currentPage_),
                    false);
    canvas.restore();
}

void TPreviewForm::ShowPreviewPage()
{
    QPainter canvas(&ui->Preview->Image());
    PaintPage(canvas);
    canvas.end();
    ui->Preview->update();
}

void TPreviewForm::UpdatePageCount()
{
    setup_.Paginate();
    const int count = setup_.Pages.PageCount;
    ui->TotalPage->setText(print::TotalPageText(count));
    ui->PageNoEdit->SetValueMax(std::max(1, count));
}

void TPreviewForm::UpdatePageButtons()
{
    const print::PageButtons enabled = print::EnabledPageButtons(currentPage_, setup_.Pages.PageCount);
    ui->TopPageButton->setEnabled(enabled.first);
    ui->BeforPageButton->setEnabled(enabled.previous);
    ui->NextPageButton->setEnabled(enabled.next);
    ui->LastPageButton->setEnabled(enabled.last);
    ui->PageNoEdit->ShowUpdate();
}

void TPreviewForm::ShowZoom()
{
    ui->ViewScale->setText(print::ViewScaleText(zoomSteps_[static_cast<std::size_t>(zoomIndex_)]));
}

void TPreviewForm::GoTo(int page)
{
    currentPage_ = print::ClampedPage(page, setup_.Pages.PageCount);
    UpdatePageButtons();
    ShowPreviewPage();
}

void TPreviewForm::PageButtonClick(PageMove move)
{
    const int page = print::MovedPage(move, currentPage_, setup_.Pages.PageCount);
    if (page == currentPage_)
        return;
    GoTo(page);
    ui->ScrollBox->verticalScrollBar()->setValue(0);  // another page is read from its top
}

void TPreviewForm::PageNoEditKeyPress()
{
    if (ui->PageNoEdit->GetPressKey() != '\r')
        return;
    ui->PageNoEdit->ValueUpdate();  // limited to 1..PageCount, written to the page
    GoTo(currentPage_);
}

void TPreviewForm::PreviewMouseDown(Qt::MouseButton button, QPoint at)
{
    const int step = button == Qt::LeftButton ? 1 : -1;
    ZoomTo(zoomIndex_ + step, ui->Preview->mapTo(ui->ScrollBox->viewport(), QPointF(at)));
}

void TPreviewForm::ZoomAroundCentre(int step)
{
    ZoomTo(zoomIndex_ + step, QRectF(ui->ScrollBox->viewport()->rect()).center());
}

void TPreviewForm::ZoomTo(int index, QPointF anchor)
{
    index = std::clamp(index, 0, static_cast<int>(zoomSteps_.size()) - 1);
    if (index == zoomIndex_)
        return;
    // Where the anchor lies on the sheet, as a fraction of its size; the
    // sheet and the image are in device pixels, the view in logical ones.
    const double ratio = PixelRatio();
    const QRectF before(QPointF(paperRect_.topLeft()) / ratio, QSizeF(paperRect_.size()) / ratio);
    const QPointF onImage = ui->Preview->mapFrom(ui->ScrollBox->viewport(), anchor);
    const QPointF fraction((onImage.x() - before.left()) / before.width(),
                           (onImage.y() - before.top()) / before.height());

    zoomIndex_ = index;
    RenderPaper(zoomSteps_[static_cast<std::size_t>(zoomIndex_)]);
    ShowZoom();
    ShowPreviewPage();

    const QRectF after(QPointF(paperRect_.topLeft()) / ratio, QSizeF(paperRect_.size()) / ratio);
    const QPointF wanted(after.left() + fraction.x() * after.width(), after.top() + fraction.y() * after.height());
    ui->ScrollBox->horizontalScrollBar()->setValue(static_cast<int>(std::lround(wanted.x() - anchor.x())));
    ui->ScrollBox->verticalScrollBar()->setValue(static_cast<int>(std::lround(wanted.y() - anchor.y())));
}

void TPreviewForm::Refresh(int page)
{
    ComputeZoomSteps();
    UpdatePageCount();
    currentPage_ = print::ClampedPage(page, setup_.Pages.PageCount);
    RenderPaper(zoomSteps_[static_cast<std::size_t>(zoomIndex_)]);
    ShowZoom();
    ShowPreviewPage();
    UpdatePageButtons();
}

void TPreviewForm::PrintButtonClick()
{
    // Printing paginates again, for the paper chosen in its dialog.
    setup_.PrintPages(this);
    // A paper chosen there that cannot hold the sheet was told by the
    // print command; its pages are not shown either.
    if (!setup_.LayoutProblems().isEmpty()) {
        reject();
        return;
    }
    Refresh(currentPage_);
}

void TPreviewForm::SettingButtonClick()
{
    // The dialog applies its changes as they are made and has no Cancel:
    // however it is closed, the pages are those of its settings.
    setup_.exec();
    setup_.ReadPrinterInfo();
    setup_.ComputeLayout();
    setup_.Paginate();
    if (setup_.RefusesLayout(this, TPrintSetup::kPreviewRefused)) {
        reject();
        return;
    }
    Refresh(1);
}

void TPreviewForm::MetaFileButtonClick()
{
    std::unique_ptr<QMimeData> copy =
        print::CopyOfPage(setup_.PrinterInfo(), {setup_.Source(), setup_.CurrentTitle()}, setup_.Pages, currentPage_);
    QGuiApplication::clipboard()->setMimeData(copy.release());
}
