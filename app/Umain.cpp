#include "app/Umain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

#include "app/AppSettings.h"
#include "app/Help.h"
#include "app/Icons.h"
#include "app/RecoveryCopy.h"
#include "app/StartupPaths.h"
#include "app/UmainShared.h"
#include "app/Uoverview.h"
#include "app/UserMessages.h"
#include "components/ConfigFolder.h"
#include "components/DesktopOpener.h"
#include "components/FileHistory.h"
#include "components/SlabNameEdit.h"
#include "datafile/DataFile.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/Uabout.h"
#include "dialogs/Udatareplace.h"
#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"
#include "print/BackColour.h"
#include "print/ResultSheet.h"
#include "print/Uprintsetup.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageKind;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>())
{
    ui->setupUi(this);
    setWindowIcon(app::ProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    OpenBrowser = [this](const QUrl& url) {
        return OpenWithDesktop(url, this, [this, url] {
            app::Tell(this, MessageKind::Warning,
                      QStringLiteral("このファイルを開くアプリケーションがデスクトップにないか、開けませんでした。\n") +
                          (url.isLocalFile() ? url.toLocalFile() : url.toString()));
        });
    };
    ProgramFolder = QCoreApplication::applicationDirPath();
    ApplyFonts();
    SetUpToolBar();
    SetUpMenus();
    SetUpPanel();
    SetUpBars();
    SetUpSheet();
    FormCreate();
    SetUpFiles();
    ReplaceForm = new TReplaceForm(this);
    AboutBox = new TAboutBox(this);
    SetUpPrint();
    SetUpLatex();
    SetUpEdit();
    SetUpOverview();
    qApp->installEventFilter(this);
    RestoreWindowState();
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
    // The stack clears itself as it goes: that is no change of the data
    // (and keeps the recovery copy of a window that did not close cleanly).
    undo_->blockSignals(true);
}

void TMainForm::ApplyFonts()
{
    const double dpi = screen() ? screen()->logicalDotsPerInch() : 96;
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(SheetFontSize(dpi));
    setFont(font);
    QFont barFont = font;
    barFont.setPointSize(font.pointSize() + 1);
    ui->MessageBar->setFont(barFont);
    QPalette blue = ui->MessageBar->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    ui->MessageBar->setPalette(blue);
    ui->MessageBar->setMinimumHeight(23);
}

void TMainForm::SetUpToolBar()
{
    using app::ToolIcon;
    const std::pair<QAction*, ToolIcon> images[] = {
        {ui->NewDataButton, ToolIcon::NewData}, {ui->DataOpenButton, ToolIcon::Open},
        {ui->DataSaveButton, ToolIcon::Save},   {ui->PrintButton, ToolIcon::Print},
        {ui->PreviewButton, ToolIcon::Preview}, {ui->TopButton, ToolIcon::First},
        {ui->BeforButton, ToolIcon::Previous},  {ui->NextButton, ToolIcon::Next},
        {ui->LastButton, ToolIcon::Last},
    };
    for (const auto& [action, icon] : images)
        action->setIcon(app::MakeToolIcon(icon));
    ui->ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (QAction* textButton : {ui->EnvironButton, ui->SlabAddButton, ui->SlabCopyButton, ui->SlabDeleteButton,
                                ui->ReplaceButton})
        if (auto* button = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(textButton)))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);

    NameBox = new QComboBox(this);
    NameBox->setObjectName(QStringLiteral("NameBox"));
    NameBox->setEditable(true);
    NameBox->setInsertPolicy(QComboBox::NoInsert);
    NameBox->setCompleter(nullptr);
    NameBox->setFixedWidth(205);
    NameBox->setToolTip(QStringLiteral("スラブ名称"));
    SetUpSlabNameEdit(NameBox->lineEdit());
    ui->ToolBar1->insertWidget(ui->NextButton, NameBox);

    InfoPanel = new QLabel(this);
    InfoPanel->setObjectName(QStringLiteral("InfoPanel"));
    InfoPanel->setFixedWidth(45);
    InfoPanel->setAlignment(Qt::AlignCenter);
    InfoPanel->setToolTip(QStringLiteral("現在のデータ番号／総データ数"));
    ui->ToolBar1->insertWidget(ui->SlabAddButton, InfoPanel);

    connect(ui->TopButton, &QAction::triggered, this, [this] { TopButtonClick(0); });
    connect(ui->BeforButton, &QAction::triggered, this, [this] { TopButtonClick(1); });
    connect(ui->NextButton, &QAction::triggered, this, [this] { TopButtonClick(2); });
    connect(ui->LastButton, &QAction::triggered, this, [this] { TopButtonClick(3); });
    connect(ui->SlabAddButton, &QAction::triggered, this, &TMainForm::SlabAddButtonClick);
    connect(ui->SlabCopyButton, &QAction::triggered, this, &TMainForm::SlabCopyButtonClick);
    connect(ui->SlabDeleteButton, &QAction::triggered, this, &TMainForm::SlabDeleteButtonClick);
    connect(ui->ReplaceButton, &QAction::triggered, this, &TMainForm::ReplaceButtonClick);
    SetUpNameBox();

    // The keys of the スラブ menu.  None is a key the boxes edit with:
    // Ctrl+Home and Ctrl+End do in a one-line box what Home and End do,
    // and the window takes them (IsWindowKey).
    const std::pair<QAction*, QKeySequence> keys[] = {
        {ui->SlabAddButton, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)},
        {ui->SlabCopyButton, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D)},
        {ui->SlabDeleteButton, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)},
        {ui->ReplaceButton, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
        {ui->TopButton, QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {ui->BeforButton, QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {ui->NextButton, QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {ui->LastButton, QKeySequence(Qt::CTRL | Qt::Key_End)},
    };
    for (const auto& [action, key] : keys)
        action->setShortcut(key);
}

void TMainForm::SetUpMenus()
{
    connect(ui->MenuClose, &QAction::triggered, this, &QWidget::close);
    connect(ui->HELP2, &QAction::triggered, this, &TMainForm::HELP2Click);
    ui->MenuClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ui->HELP2->setShortcut(QKeySequence(Qt::Key_F1));
    connect(ui->About1, &QAction::triggered, this, &TMainForm::About1Click);
}

void TMainForm::FormCreate()
{
    iniFileName_ = korvexa::SettingsFilePath();
    Shared().IniFileName = iniFileName_.toStdString();
    TexFileName = QString::fromStdString(app::DefaultTexFileName());
    const app::LatexTools tools = app::FindLatexToolsOnPath();
    Shared().LatexCompilerPath = tools.compiler;
    Shared().LatexViewerPath.clear();  // none: the desktop's opener shows the PDF

    DefaultBackColor = DesignedBackColour();
    QColor back = DefaultBackColor;
    if (QFileInfo::exists(iniFileName_))
        back = BackColourFromText(app::ReadSetting(iniFileName_, "Color", "BackColor", QString()), DefaultBackColor);
    SetPanelColour(back);
}

void TMainForm::FormShow(const QString& fileToOpen)
{
    InitSlabList();
    SetCaption(QString(), false);
    if (!fileToOpen.isEmpty())
        OpenParamFile(fileToOpen);
}

QColor TMainForm::BackColor() const { return ui->ViewPanel->palette().color(QPalette::Window); }

void TMainForm::SetPanelColour(const QColor& colour)
{
    QPalette palette = ui->ViewPanel->palette();
    palette.setColor(QPalette::Window, colour);
    ui->ViewPanel->setPalette(palette);
}

// The caption, with the place of the modified marker "*".
void TMainForm::SetCaption(const QString& fileName, bool readOnly)
{
    const QString marker = QStringLiteral("[*]");
    if (fileName.isEmpty())
        setWindowTitle(CaptionPrefix + QStringLiteral("(無題)") + marker);
    else
        setWindowTitle(CaptionPrefix + fileName + (readOnly ? QStringLiteral("(閲覧)") : QString()) + marker);
}

bool TMainForm::OpenParamFile(const QString& fileName)
{
    const std::filesystem::path path = fileName.toStdString();
    datafile::ReadResult result = datafile::ReadDataFile(path, PrintLayout());
    if (!result.ok()) {
        QString text = app::Utf8(result.error.message) + QStringLiteral("\n") + fileName;
        if (!result.error.detail.empty())
            text += QStringLiteral("\n") + app::Utf8(result.error.detail);
        app::Tell(this, MessageKind::Error, text);
        return false;
    }
    ApplyDataSet(*result.data, QFileInfo(fileName).absoluteFilePath());
    // Read, but not every byte as it stands in the file (characters that are
    // not CP932, bytes after the last field): say so before the data is
    // edited and saved again.
    if (!result.warnings.empty())
        TellWarnings(QStringLiteral("ファイルを読み込みましたが、次の点を変更または無視しました。"), result.warnings);
    return true;
}

// The window's keyboard rule: Enter in any control moves to the next one,
// as Tab does (but not while a drop-down list or menu is open).  The boxes
// with keys of their own hook them in the file of their panel.
bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The undo keys undo the window's steps, also in a box that has an
    // undo of its own; the keys to the first and last slab are the
    // window's too.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && IsWindowKey(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (widget && widget->window() == this && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
            !QApplication::activePopupWidget()) {
            focusNextChild();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Keys that the window's commands take before a box sees them.
bool TMainForm::IsWindowKey(const QKeyEvent& key) const
{
    const QKeySequence pressed(key.keyCombination());
    return IsUndoKey(key) || ui->TopButton->shortcut() == pressed || ui->LastButton->shortcut() == pressed;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::FormCloseQuery()
{
    QString saved;
    if (AskSaveCurrent(true, &saved) == Continuation::Abandon)
        return false;
    if (!saved.isEmpty())
        FileHistory->Remake(saved, false);
    if (OverviewForm)
        OverviewForm->close();  // keeps its size for the next time
    app::WriteSetting(iniFileName_, "Color", "BackColor", BackColourText(BackColor(), DefaultBackColor));
    SaveWindowState();
    FileHistory->Save();
    recovery_->Remove();  // a clean exit: saved or given up
    return true;
}

void TMainForm::HELP2Click()
{
    app::ShowHelp(this, ProgramFolder, [this](const QString& index) {
        if (!HelpWindow) {
            HelpWindow = new THelpWindow(this);
            HelpWindow->OpenUrl = [this](const QUrl& url) { return OpenBrowser(url); };
            HelpWindow->ShowError = [](QWidget* parent, const QString& text) {
                app::Tell(parent, MessageKind::Warning, text);
            };
        }
        HelpWindow->ShowContents(index);
    });
}

void TMainForm::About1Click() { AboutBox->exec(); }
