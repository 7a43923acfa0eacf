#include "dialogs/Uabout.h"

#include <QApplication>

#include "ui_Uabout.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->ProgramIcon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    QFont title = ui->Label1->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.6);
    ui->Label1->setFont(title);
    ui->Version->setText(ui->Version->text() + VersionText());
    ui->Copyright->setText(ui->Copyright->text() + QStringLiteral("\n© 2026 Korvexa developers"));
}

TAboutBox::~TAboutBox() = default;

QString TAboutBox::VersionText() { return QStringLiteral(KORVEXA_VERSION_TEXT); }
