#include "app/Uoverview.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHideEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <algorithm>

#include "app/AppSettings.h"
#include "app/SlabOverviewModel.h"
#include "ui_Uoverview.h"

using korvexa::app::SlabOverviewFilter;
using korvexa::app::SlabOverviewModel;

namespace {

constexpr const char* kSection = "Overview";
constexpr int kFirstHeight = 520;

// The widest text a column usually holds, which sizes it (measuring every
// row of a large file would make opening slow).
const char* const kTypical[SlabOverviewModel::ColumnCount] = {
    "▶ 9999", "S99 事務室・会議室", "一端支持他端固定一方向", "99.99", "99.99", "99.9", "長期＋積雪",
    "最大M検定比", "最大Q検定比", "16δ/Lx=1/9999≦1/250 OK", "必要スラブ厚 (cm)", "999.9", "OK",
};

}  // namespace

TOverviewForm::TOverviewForm(const korvexa::app::DataNotifier& notifier, const QString& iniFile, QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TOverviewForm>()), iniFile_(iniFile)
{
    ui->setupUi(this);
    model_ = new SlabOverviewModel(notifier, this);
    filter_ = new SlabOverviewFilter(*model_, this);
    SetUpTable();
    connect(ui->NgOnly, &QCheckBox::toggled, this, [this](bool on) {
        filter_->SetNgOnly(on);
        ShowCounts();
    });
    connect(model_, &SlabOverviewModel::CountsChanged, this, &TOverviewForm::ShowCounts);
    connect(model_, &QAbstractItemModel::modelReset, this, &TOverviewForm::ShowCounts);
    ShowCounts();

    const int width = korvexa::app::ReadSetting(iniFile_, kSection, "Width", QString()).toInt();
    const int height = korvexa::app::ReadSetting(iniFile_, kSection, "Height", QString()).toInt();
    resize(width > 0 && height > 0 ? QSize(width, height) : FirstSize());
}

TOverviewForm::~TOverviewForm() = default;

void TOverviewForm::SetUpTable()
{
    QTableView* table = ui->SlabTable;
    table->setModel(filter_);
    table->verticalHeader()->hide();
    // Rows of one height, set once: a large file opens without measuring
    // every row.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = table->horizontalHeader();
    header->setStretchLastSection(true);
    header->setSortIndicatorShown(true);
    for (int c = 0; c < SlabOverviewModel::ColumnCount - 1; ++c) {
        const QString head = model_->headerData(c, Qt::Horizontal).toString();
        const int text = std::max(fontMetrics().horizontalAdvance(QString::fromUtf8(kTypical[c])),
                                  fontMetrics().horizontalAdvance(head));
        header->resizeSection(c, text + 24);
    }
    // The list order until a column is chosen.
    table->sortByColumn(SlabOverviewModel::No, Qt::AscendingOrder);

    connect(table, &QAbstractItemView::activated, this, &TOverviewForm::Choose);
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &TOverviewForm::CopyRows);
    table->addAction(copy);
}

// Wide enough for every column up to the verdict's reasons, as far as the
// screen allows.
QSize TOverviewForm::FirstSize() const
{
    const QHeaderView* header = ui->SlabTable->horizontalHeader();
    int columns = 0;
    for (int c = 0; c < SlabOverviewModel::ColumnCount - 1; ++c)
        columns += header->sectionSize(c);
    columns += fontMetrics().horizontalAdvance(QStringLiteral("NG　16δ/Lx=1/999＞1/250、t=15.0cm＜必要厚 18.2cm"));
    const QMargins around = layout()->contentsMargins();
    const int margins = around.left() + around.right() + 2 * ui->SlabTable->frameWidth() +
                        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
    const QScreen* shown = screen();
    const int room = shown ? shown->availableGeometry().width() * 9 / 10 : columns + margins;
    return {std::min(columns + margins, room), kFirstHeight};
}

void TOverviewForm::ShowCounts()
{
    QString text = model_->CountText();
    if (filter_->NgOnly())
        text = QStringLiteral("表示 %1 枚　").arg(filter_->rowCount()) + text;
    ui->CountLabel->setText(text);
}

void TOverviewForm::Choose(const QModelIndex& index)
{
    if (index.isValid())
        emit SlabChosen(filter_->mapToSource(index).row() + 1);
}

QString TOverviewForm::SelectedText() const
{
    // The selected rows in the order shown.
    std::vector<int> shown;
    for (const QModelIndex& index : ui->SlabTable->selectionModel()->selectedRows())
        shown.push_back(index.row());
    std::sort(shown.begin(), shown.end());
    std::vector<int> rows;
    for (int row : shown)
        rows.push_back(filter_->mapToSource(filter_->index(row, 0)).row());
    return model_->TabSeparated(rows);
}

void TOverviewForm::CopyRows()
{
    if (!ui->SlabTable->selectionModel()->hasSelection())
        return;
    QGuiApplication::clipboard()->setText(SelectedText());
}

void TOverviewForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        korvexa::app::WriteSetting(iniFile_, kSection, "Width", QString::number(width()));
        korvexa::app::WriteSetting(iniFile_, kSection, "Height", QString::number(height()));
    }
    QWidget::hideEvent(event);
}
