#include "print/Uselectdialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QShowEvent>

#include "components/SlabEntryList.h"
#include "engine/SlabData.h"
#include "print/Uprintsetup.h"
#include "ui_Uselectdialog.h"

TSelectDialog::TSelectDialog(TPrintSetup& setup, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TSelectDialog>()), setup_(setup)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (parent)
        setFont(parent->font());
    Inform = [](QWidget* parent, const QString& text) {
        QApplication::beep();
        QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
    };
    ui->CheckListBox->setItemDelegate(new SlabEntryDelegate(ui->CheckListBox));
    connect(ui->SpeedButton1, &QPushButton::clicked, this, [this] { SetAllTicks(true); });
    connect(ui->SpeedButton2, &QPushButton::clicked, this, [this] { SetAllTicks(false); });
    connect(ui->PreviewButton, &QPushButton::clicked, this, &TSelectDialog::PreviewButtonClick);
    connect(ui->PrintButton, &QPushButton::clicked, this, &TSelectDialog::PrintButtonClick);
}

TSelectDialog::~TSelectDialog() = default;

void TSelectDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TSelectDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    ArrangeSlabColumns(ui->CheckListBox, twoColumns_, itemHeight_);
}

void TSelectDialog::FormShow()
{
    QListWidget* list = ui->CheckListBox;
    list->clear();
    const korvexa::print::PrintSource& source = setup_.Source();
    for (int i = 1; i <= source.SlabCount(); ++i) {
        const korvexa::SlabData& slab = source.Slab(i);
        if (!slab.Calculated)
            continue;
        auto* item = new QListWidgetItem(SlabEntryText(i, QString::fromStdString(slab.Name)), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(kSlabNumberRole, i);
    }
    itemHeight_ = SlabEntryHeight(*list);
    twoColumns_ = list->count() >= kTwoColumnsFrom;
    ArrangeSlabColumns(list, twoColumns_, itemHeight_);
    ui->PreviewButton->setEnabled(static_cast<bool>(ShowPreview));
}

std::vector<int> TSelectDialog::Ticked() const
{
    std::vector<int> ticked;
    const QListWidget* list = ui->CheckListBox;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            ticked.push_back(list->item(row)->data(kSlabNumberRole).toInt());
    return ticked;
}

void TSelectDialog::SetAllTicks(bool ticked)
{
    QListWidget* list = ui->CheckListBox;
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TSelectDialog::WithSelection(const std::function<void()>& job)
{
    setup_.Selection = Ticked();
    setup_.SelectMode = true;
    job();
    setup_.SelectMode = false;
}

void TSelectDialog::PreviewButtonClick()
{
    if (Ticked().empty() || !ShowPreview)
        return;
    WithSelection([this] { ShowPreview(this); });
}

void TSelectDialog::PrintButtonClick()
{
    if (Ticked().empty()) {
        Inform(this, QStringLiteral("印刷するデータを選択して下さい"));
        return;
    }
    WithSelection([this] { setup_.PrintPages(this); });
}
