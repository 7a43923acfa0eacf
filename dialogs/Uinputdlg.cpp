#include "dialogs/Uinputdlg.h"

#include <QGuiApplication>
#include <QScreen>

#include "components/SlabNameEdit.h"
#include "ui_Uinputdlg.h"

TInputDlg::TInputDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TInputDlg>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Escape cancels, as in every dialog.
    korvexa::SetUpSlabNameEdit(ui->InputBox);
    // A slab always has a name: OK waits for one.
    connect(ui->InputBox, &QLineEdit::textChanged, this,
            [this](const QString& text) { ui->OKBtn->setEnabled(!text.trimmed().isEmpty()); });
}

void TInputDlg::accept()
{
    if (!ui->InputBox->text().trimmed().isEmpty())
        QDialog::accept();
}

TInputDlg::~TInputDlg() = default;

bool TInputDlg::AskName(QString& name)
{
    korvexa::AllowSlabName(ui->InputBox, name);
    ui->InputBox->setText(name);
    ui->OKBtn->setEnabled(!name.trimmed().isEmpty());
    if (exec() != QDialog::Accepted)
        return false;
    name = ui->InputBox->text().trimmed();
    return true;
}

void TInputDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ui->InputBox->selectAll();
    ui->InputBox->setFocus();
}
