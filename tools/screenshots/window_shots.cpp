// Renders the main window in a few typical states to PNG files, for a look
// at the layout without a display:
//   window_shots OUTDIR
// writes two-way.png, cantilever.png, error.png, sheet-menu.png (the
// result sheet's popup menu), save-question.png (a message box, in Qt's
// Japanese texts), latex-settings.png, arrange.png (the data arrangement
// dialog over the sample's slabs), the two tabs of the print settings
// dialog, print-setup.png and print-setup-title.png, the printer setup
// dialog, printer-setup.png, and the print preview of the sample filling
// the screen at each of its zoom steps, preview-zoomN.png (N from 1), with
// the whole page image of each step, preview-page-zoomN.png, and page 2 at
// the smallest step, preview-page2.png; edit-menu.png (the 編集 menu after
// an edit), slab-menu.png (the スラブ menu) and recovery-question.png (the
// question at start-up about data a window left unsaved); layout-refused.png,
// the warning that refuses the preview of a layout the paper cannot hold;
// overview.png (the slab overview of the sample with slab 7 judged by
// 16δ/Lx, which fails) and overview-ng.png (its NG slabs only).
// On an X server (QT_QPA_PLATFORM=xcb, e.g. under xvfb-run -s "-screen 0
// 1366x768x24", with QT_SCALE_FACTOR for a scale) also screen.png: the whole
// screen with the window at its opening size, in the state of error.png (a
// message in the message bar).
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/Application.h"
#include "app/RecoveryCopy.h"
#include "app/Umain.h"
#include "app/Uoverview.h"
#include "app/UserMessages.h"
#include "latex/Ulatexform.h"
#include "components/NumberEdit.h"
#include "datafile/DataFile.h"
#include "dialogs/Udatareplace.h"
#include "engine/SlabData.h"
#include "print/Upreviewform.h"
#include "print/Uprintsetup.h"
#include "printer/PrinterSetupDialog.h"
#include "printer/QtPrinterDevice.h"

namespace {

const QString kSample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

// Types a value into a box of the window and leaves it.
void Enter(TMainForm& form, const char* box, const QString& text)
{
    auto* edit = form.findChild<TNumberEdit*>(QString::fromUtf8(box));
    edit->setText(text);
    edit->ValueUpdate();
    emit edit->exited();
}

bool SavePixmap(const QPixmap& shot, const QDir& out, const char* name)
{
    const QString path = out.filePath(QString::fromUtf8(name));
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.toLocal8Bit().constData());
    return ok;
}

bool Save(QWidget& form, const QDir& out, const char* name)
{
    QApplication::processEvents();
    return SavePixmap(form.grab(), out, name);
}

bool Save(QWidget& form, const QDir& out, const QString& name) { return Save(form, out, name.toUtf8().constData()); }

// A click of the mouse button on a widget.
void Click(QWidget* widget, Qt::MouseButton button)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// The preview of what is open, as large as the screen, at every zoom step
// and on its second page.
bool SavePreviews(TMainForm& form, const QDir& out)
{
    TPreviewForm& preview = *form.PreviewForm;
    preview.setGeometry(preview.screen()->availableGeometry());
    preview.show();
    QApplication::processEvents();
    auto* page = preview.findChild<QWidget*>(QStringLiteral("Preview"));
    bool ok = true;
    for (std::size_t i = 0; i < preview.ZoomSteps().size(); ++i) {
        if (i > 0)
            Click(page, Qt::LeftButton);
        const QString step = QString::number(i + 1) + QStringLiteral(".png");
        ok &= Save(preview, out, QStringLiteral("preview-zoom") + step);
        const QString whole = out.filePath(QStringLiteral("preview-page-zoom") + step);
        ok &= preview.PreviewImage().save(whole);
    }
    while (preview.ZoomIndex() > 0)
        Click(page, Qt::RightButton);
    preview.findChild<QAbstractButton*>(QStringLiteral("NextPageButton"))->click();
    ok &= preview.PreviewImage().save(out.filePath(QStringLiteral("preview-page2.png")));
    preview.hide();
    return ok;
}

// The window with the popup menu that is open drawn over it, then the menu
// closed.
void GrabPopup(TMainForm& form, QPixmap& shot)
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
        QTimer::singleShot(10, &form, [&form, &shot] { GrabPopup(form, shot); });
        return;
    }
    shot = form.grab();
    QPainter painter(&shot);
    painter.drawPixmap(form.mapFromGlobal(menu->pos()), menu->grab());
    menu->close();
}

// The message box that is open, then answered with Cancel (or closed).
void GrabMessageBox(QWidget* owner, QPixmap& shot)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        QTimer::singleShot(10, owner, [owner, &shot] { GrabMessageBox(owner, shot); });
        return;
    }
    shot = box->grab();
    if (QAbstractButton* cancel = box->button(QMessageBox::Cancel))
        cancel->click();
    else
        box->done(0);
}

// The question with buttons of its own that is open, then answered with
// its button `answer`.
void GrabChoice(QWidget* owner, QPixmap& shot, const QString& answer)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        QTimer::singleShot(10, owner, [owner, &shot, answer] { GrabChoice(owner, shot, answer); });
        return;
    }
    shot = box->grab();
    for (QAbstractButton* button : box->buttons())
        if (button->text() == answer)
            button->click();
}

int FirstSlabWith(const TMainForm& form, int bind)
{
    for (int i = 1; i <= form.SlabList.Count(); ++i)
        if (form.SlabList.At(i).Bind == bind)
            return i;
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("KORVEXA_CONFIG_DIR", config.path().toUtf8());
    korvexa::app::Application application(argc, argv);
    korvexa::app::Messages().beep = [] {};
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_shots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    TMainForm form;
    form.show();
    form.FormShow(kSample);
    bool ok = Save(form, out, "two-way.png");

    auto* names = form.findChild<QComboBox*>(QStringLiteral("NameBox"));
    const int cantilever = FirstSlabWith(form, korvexa::BindCantilever);
    names->setCurrentIndex(cantilever - 1);
    emit names->activated(cantilever - 1);
    ok &= Save(form, out, "cantilever.png");

    names->setCurrentIndex(0);
    emit names->activated(0);
    Enter(form, "LxInput", QStringLiteral("7.5"));  // longer than Ly: an error
    ok &= Save(form, out, "error.png");
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        QElapsedTimer painted;  // time for the window system to show it
        painted.start();
        while (painted.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        ok &= SavePixmap(form.screen()->grabWindow(0), out, "screen.png");
    }
    Enter(form, "LxInput", QStringLiteral("4"));

    QPixmap editShot;
    auto* edit = form.findChild<QMenu*>(QStringLiteral("MenuEdit"));
    QTimer::singleShot(0, &form, [&form, &editShot] { GrabPopup(form, editShot); });
    edit->exec(form.menuBar()->mapToGlobal(form.menuBar()->actionGeometry(edit->menuAction()).bottomLeft()));
    ok &= SavePixmap(editShot, out, "edit-menu.png");

    QPixmap slabShot;
    auto* slabMenu = form.findChild<QMenu*>(QStringLiteral("MenuSlab"));
    QTimer::singleShot(0, &form, [&form, &slabShot] { GrabPopup(form, slabShot); });
    slabMenu->exec(form.menuBar()->mapToGlobal(form.menuBar()->actionGeometry(slabMenu->menuAction()).bottomLeft()));
    ok &= SavePixmap(slabShot, out, "slab-menu.png");

    {  // the copy of a window that ended with its data unsaved
        korvexa::app::RecoveryCopy left(config.path());
        QString error;
        left.Write(korvexa::datafile::ReadDataFile(kSample.toStdString()).data.value(), kSample, error);
    }
    QPixmap recoveryShot;
    QTimer::singleShot(0, &form, [&form, &recoveryShot] { GrabChoice(&form, recoveryShot, QStringLiteral("破棄")); });
    form.OfferRecovery();
    ok &= SavePixmap(recoveryShot, out, "recovery-question.png");

    QPixmap menuShot;
    auto* sheet = form.findChild<QLabel*>(QStringLiteral("OBord"));
    QTimer::singleShot(0, &form, [&form, &menuShot] { GrabPopup(form, menuShot); });
    emit sheet->customContextMenuRequested(sheet->rect().center());
    ok &= SavePixmap(menuShot, out, "sheet-menu.png");

    QPixmap boxShot;
    QTimer::singleShot(0, &form, [&form, &boxShot] { GrabMessageBox(&form, boxShot); });
    form.findChild<QAction*>(QStringLiteral("NewDataButton"))->trigger();  // the save question
    ok &= SavePixmap(boxShot, out, "save-question.png");

    form.LatexForm->show();
    ok &= Save(*form.LatexForm, out, "latex-settings.png");

    form.FormShow(kSample);
    std::vector<std::string> slabNames;
    for (int i = 1; i <= form.SlabList.Count(); ++i)
        slabNames.push_back(form.SlabList.At(i).Name);
    form.ReplaceForm->Fill(slabNames);
    form.ReplaceForm->show();
    ok &= Save(*form.ReplaceForm, out, "arrange.png");

    form.PrintSetup->show();
    auto* tabs = form.PrintSetup->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    ok &= Save(*form.PrintSetup, out, "print-setup.png");
    tabs->setCurrentIndex(1);
    ok &= Save(*form.PrintSetup, out, "print-setup-title.png");
    form.PrintSetup->hide();

    if (auto* printer = dynamic_cast<korvexa::printer::QtPrinterDevice*>(&form.PrintSetup->Printer())) {
        korvexa::printer::PrinterSetupDialog setup(*printer);
        setup.show();
        ok &= Save(setup, out, "printer-setup.png");
    }

    form.FormShow(kSample);
    ok &= SavePreviews(form, out);

    // The preview refused for a body font the A4 sheet cannot hold.
    korvexa::datafile::PrintLayout wide = form.PrintLayout();
    wide.BodyFont.Size = 11;
    form.PrintSetup->ApplyLayout(wide);
    QTimer::singleShot(0, &form, [&form, &boxShot] { GrabMessageBox(&form, boxShot); });
    form.findChild<QAction*>(QStringLiteral("PreviewButton"))->trigger();
    ok &= SavePixmap(boxShot, out, "layout-refused.png");

    form.FormShow(kSample);
    form.ShowSlabAt(7);
    form.findChild<QCheckBox*>(QStringLiteral("Conditional"))->click();  // 16δ/Lx = 1/227: NG
    form.OverviewButtonClick();
    ok &= Save(*form.OverviewForm, out, "overview.png");
    form.OverviewForm->findChild<QCheckBox*>(QStringLiteral("NgOnly"))->click();
    ok &= Save(*form.OverviewForm, out, "overview-ng.png");
    return ok ? 0 : 1;
}
