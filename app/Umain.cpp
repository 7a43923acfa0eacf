#include "app/Umain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/AppSettings.h"
#include "app/Icons.h"
#include "app/StartupPaths.h"
#include "app/UserMessages.h"
#include "components/ConfigFolder.h"
#include "components/NumberEdit.h"
#include "datafile/DataFile.h"
#include "dialogs/Uabout.h"
#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"
#include "print/BackColour.h"
#include "print/ResultSheet.h"
#include "ui_Umain.h"

using namespace korvexa;
using app::MessageKind;

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kNameBoxMaxLength = 30;

// The sheet's height: eight rows and three lines of checks below.
int SheetHeight(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int h = metrics.height();
    return 8 * (h + 10) + 3 * (h + 5) + 12;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TMainForm>())
{
    ui->setupUi(this);
    setWindowIcon(app::ProgramIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    ChooseColour = [](QWidget* parent, const QColor& initial) {
        return QColorDialog::getColor(initial, parent, QString());
    };
    ApplyFonts();
    SetUpToolBar();
    SetUpMenus();
    SetUpPanel();
    FormCreate();
    AboutBox = new TAboutBox(this);
}

TMainForm::~TMainForm() = default;

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
    NameBox->lineEdit()->setMaxLength(kNameBoxMaxLength);
    NameBox->lineEdit()->setValidator(app::NameValidator(NameBox));
    NameBox->installEventFilter(this);
    NameBox->lineEdit()->installEventFilter(this);
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
    connect(NameBox, &QComboBox::editTextChanged, this, &TMainForm::NameBoxChange);
    connect(NameBox, qOverload<int>(&QComboBox::activated), this, &TMainForm::NameBoxSelect);
}

void TMainForm::SetUpMenus()
{
    connect(ui->MenuClose, &QAction::triggered, this, &QWidget::close);
    connect(ui->HELP2, &QAction::triggered, this, &TMainForm::HELP2Click);
    connect(ui->About1, &QAction::triggered, this, &TMainForm::About1Click);
    // Commands that later parts of the program bring: present, not yet available.
    for (QAction* later : {ui->NewDataButton, ui->DataOpenButton, ui->DataSaveButton, ui->PrintButton,
                           ui->PreviewButton, ui->EnvironButton, ui->ReplaceButton, ui->MenuOpen, ui->MenuSave,
                           ui->MenuSaveAs, ui->MenuPrintSetup, ui->MenuPreview, ui->MenuPrint, ui->MenuSelectPrint,
                           ui->MenuTeXOut, ui->LatexSetting})
        later->setEnabled(false);
}

void TMainForm::SetUpPanel()
{
    for (int bind = 0; bind < BindTypeCount; ++bind)
        ui->BindComboBox->addItem(Utf8(BindTypeName(bind)));
    for (int time = 0; time < LoadTimeCount; ++time)
        ui->LoadTimeChoice->addItem(Utf8(LoadTimeName(time)));

    // Spans: 2 decimals, shown empty when 0; thickness: 1 decimal, 15 when emptied.
    for (TNumberEdit* span : {ui->LxInput, ui->LyInput}) {
        span->SetType(TNumberEdit::numDOUBLE);
        span->SetDigits(2);
        span->SetSignState(TNumberEdit::numUnSigned);
        span->SetZeroVisible(false);
        connect(span, &TNumberEdit::exited, this, &TMainForm::LxInputExit);
    }
    ui->TInput->SetType(TNumberEdit::numDOUBLE);
    ui->TInput->SetDigits(1);
    ui->TInput->SetSignState(TNumberEdit::numUnSigned);
    ui->TInput->SetZeroValue(15);
    connect(ui->TInput, &TNumberEdit::exited, this, &TMainForm::TLInputExit);

    connect(ui->BindComboBox, qOverload<int>(&QComboBox::activated), this, &TMainForm::BindComboBoxSelect);
    connect(ui->LoadTimeChoice, qOverload<int>(&QComboBox::activated), this, &TMainForm::LoadTimeChoiceClick);

    ui->OBord->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(ui->OBord, &QWidget::customContextMenuRequested, this, &TMainForm::SheetContextMenu);
    qApp->installEventFilter(this);
}

void TMainForm::FormCreate()
{
    iniFileName_ = korvexa::SettingsFilePath();
    Shared().IniFileName = iniFileName_.toStdString();
    TexFileName = QString::fromStdString(app::DefaultTexFileName());
    const app::LatexTools tools = app::FindLatexToolsOnPath();
    Shared().LatexCompilerPath = tools.compiler;
    Shared().LatexViewerPath = tools.viewer;

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
    ui->BindComboBox->setCurrentIndex(0);
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

void TMainForm::SetCaption(const QString& fileName, bool readOnly)
{
    if (fileName.isEmpty())
        setWindowTitle(CaptionPrefix + QStringLiteral("(無題)"));
    else
        setWindowTitle(CaptionPrefix + fileName + (readOnly ? QStringLiteral("(閲覧)") : QString()));
}

// ---------------------------------------------------------------- files

bool TMainForm::OpenParamFile(const QString& fileName)
{
    const std::filesystem::path path = fileName.toStdString();
    datafile::ReadResult result = datafile::ReadDataFile(path, printLayout_);
    if (!result.ok()) {
        QString text = Utf8(result.error.message) + QStringLiteral("\n") + fileName;
        if (!result.error.detail.empty())
            text += QStringLiteral("\n") + Utf8(result.error.detail);
        app::Tell(this, MessageKind::Error, text);
        return false;
    }
    datafile::DataSet& data = *result.data;
    ProgramSettings() = data.settings;
    ProgramBars().SetGrades(data.grades);
    printLayout_ = data.layout;
    SlabList.Replace(std::move(data.slabs));
    ReloadNameBox();
    SetCaption(QFileInfo(fileName).absoluteFilePath(), datafile::IsReadOnlyFile(path));
    ShowSlab();
    return true;
}

// ---------------------------------------------------------------- slab list

void TMainForm::InitSlabList()
{
    SlabList.Init();
    ReloadNameBox();
    DrawResultFrame();
    ShowSheet();
    ShowSlab();
}

void TMainForm::ReloadNameBox()
{
    SuppressNameChange = true;
    NameBox->clear();
    for (int i = 1; i <= SlabList.Count(); ++i)
        NameBox->addItem(QString::fromStdString(SlabList.At(i).Name));
    SuppressNameChange = false;
}

void TMainForm::AppendSlab()
{
    SlabList.Append();
    SuppressNameChange = true;
    NameBox->addItem(QString::fromStdString(SlabList.Current().Name));
    SuppressNameChange = false;
    ShowSlab();
}

void TMainForm::SlabAddButtonClick()
{
    using Result = app::SlabList::AddResult;
    if (!SlabList.Current().Calculated) {
        app::Tell(this, MessageKind::Warning, QStringLiteral("現在のスラブデータが未入力です。"));
        return;
    }
    if (SlabList.LastIsCalculated()) {
        AppendSlab();
        NameBox->setFocus();
        return;
    }
    const Result result = SlabList.Add();  // moves to the undesigned last slab
    Q_ASSERT(result == Result::MovedToLast);
    SuppressNameChange = true;
    ShowSlab();
}

void TMainForm::SlabCopyButtonClick()
{
    using Result = app::SlabList::CopyResult;
    const Result result = SlabList.Copy();
    const QString name = QString::fromStdString(SlabList.Current().Name);
    switch (result) {
    case Result::Refused:
        app::Tell(this, MessageKind::Warning, QStringLiteral("現在のスラブデータが未入力です。"));
        return;
    case Result::Appended:
        SuppressNameChange = true;
        NameBox->addItem(name);
        SuppressNameChange = false;
        ShowSlab();
        NameBox->setFocus();
        return;
    case Result::OverwroteLast:
        SuppressNameChange = true;
        NameBox->setItemText(SlabList.Count() - 1, name);
        SuppressNameChange = true;
        ShowSlab();
        return;
    }
}

void TMainForm::SlabDeleteButtonClick()
{
    if (SlabList.Count() <= 1)
        return;
    const int removed = CurrentIndex();
    SlabList.DeleteCurrent();
    SuppressNameChange = true;
    NameBox->removeItem(removed - 1);
    SuppressNameChange = false;
    ShowSlab();
}

void TMainForm::TopButtonClick(int tag)
{
    switch (tag) {
    case 0: SlabList.SetCurrentIndex(1); break;
    case 1: SlabList.SetCurrentIndex(CurrentIndex() - 1); break;
    case 2: SlabList.SetCurrentIndex(CurrentIndex() + 1); break;
    default: SlabList.SetCurrentIndex(SlabList.Count()); break;
    }
    SuppressNameChange = true;
    ShowSlab();
}

void TMainForm::UpdateNavigator()
{
    SuppressNameChange = true;
    NameBox->setCurrentIndex(CurrentIndex() - 1);
    SuppressNameChange = false;
    InfoPanel->setText(QStringLiteral("%1/%2").arg(CurrentIndex()).arg(NameBox->count()));
    const bool single = NameBox->count() == 1;
    for (QAction* button : {ui->TopButton, ui->BeforButton, ui->NextButton, ui->LastButton, ui->SlabDeleteButton})
        button->setEnabled(!single);
    if (!single) {
        if (NameBox->currentIndex() == 0) {
            ui->TopButton->setEnabled(false);
            ui->BeforButton->setEnabled(false);
        } else if (NameBox->currentIndex() == NameBox->count() - 1) {
            ui->LastButton->setEnabled(false);
            ui->NextButton->setEnabled(false);
        }
    }
}

void TMainForm::NameBoxChange(const QString& text)
{
    if (!SuppressNameChange && NameBox->count() > 0) {
        QLineEdit* edit = NameBox->lineEdit();
        const int caret = edit->cursorPosition();
        SlabList.Current().Name = text.toStdString();
        SuppressNameChange = true;
        NameBox->setItemText(CurrentIndex() - 1, text);
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
    SuppressNameChange = false;
}

void TMainForm::NameBoxSelect(int index)
{
    if (index < 0 || index == CurrentIndex() - 1)
        return;
    SlabList.SetCurrentIndex(index + 1);
    NameAtEntry = NameBox->itemText(index);
    SuppressNameChange = true;
    ShowSlab();
}

// Escape, Up and Down in the name box; true when the key was consumed.
bool TMainForm::NameBoxKeyDown(int key)
{
    switch (key) {
    case Qt::Key_Escape:
        SuppressNameChange = true;
        NameBox->lineEdit()->setText(NameAtEntry);
        SuppressNameChange = false;
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int target = CurrentIndex() + (key == Qt::Key_Up ? -1 : 1);
        if (target >= 1 && target <= SlabList.Count()) {
            SlabList.SetCurrentIndex(target);
            NameAtEntry = QString::fromStdString(SlabList.Current().Name);
            ShowSlab();
        }
        return true;
    }
    default:
        return false;
    }
}

void TMainForm::NameBoxExit()
{
    const QString text = NameBox->currentText();
    if (QString::fromStdString(SlabList.Current().Name) != text) {
        SlabList.Current().Name = text.toStdString();
        SuppressNameChange = true;
        NameBox->setItemText(CurrentIndex() - 1, text);
        SuppressNameChange = false;
    }
}

int TMainForm::CountCalculatedSlabs(bool tell)
{
    const int count = SlabList.CountCalculated();
    if (count == 0 && tell)
        app::Tell(this, MessageKind::Information, QStringLiteral("計算されたスラブがありません"));
    return count;
}

// ---------------------------------------------------------------- input panel

void TMainForm::ShowSlab()
{
    SlabData& slab = SlabList.Current();
    ui->BindComboBox->setCurrentIndex(slab.Bind);
    ui->LoadTimeChoice->setCurrentIndex(slab.LoadTime);
    LinkBoxes();
    UpdateNavigator();
    RefreshLoads();
}

void TMainForm::LinkBoxes()
{
    SlabData& slab = SlabList.Current();
    ui->TInput->Link(&slab.T);
    ui->LxInput->Link(&slab.Lx);
    ui->LyInput->Link(&slab.Ly);
}

void TMainForm::BindComboBoxSelect(int index)
{
    SlabData& slab = SlabList.Current();
    slab.Bind = index;
    if (slab.LoadShape >= LoadShapeCount(index))
        slab.LoadShape = 0;
    if (!IsTwoWay(index)) {  // one-way slabs and the cantilever have no Ly
        slab.Ly = 0;
        ui->LyInput->ShowUpdate();
    }
    ui->LyInput->setEnabled(IsTwoWay(index));
    RefreshLoads();
}

void TMainForm::LoadTimeChoiceClick(int index)
{
    SlabList.Current().LoadTime = index;
    RefreshLoads();
}

void TMainForm::LxInputExit() { Recalculate(); }
void TMainForm::TLInputExit() { RefreshLoads(); }

void TMainForm::RefreshLoads()
{
    DeriveLoads(SlabList.Current());
    Recalculate();
}

// ---------------------------------------------------------------- result sheet

int TMainForm::Recalculate()
{
    ui->LabelLambda->clear();
    ui->MessageBar->clear();
    DrawResultFrame();
    const int status = DrawResultValues();
    ShowSheet();
    const SlabData& slab = SlabList.Current();
    if (slab.Lambda > 0)
        ui->LabelLambda->setText(QStringLiteral("λ＝") + QString::number(slab.Lambda, 'f', 2));
    switch (status) {
    case DesignOk:
        if (!slab.Message.empty()) {
            app::Beep();
            ui->MessageBar->setText(QStringLiteral("　Warning : 以下の箇所で、鉄筋全断面積が 0.2% を下廻っています。　　") +
                                    Utf8(slab.Message));
        }
        break;
    case DesignSpansSwapped:
        app::Beep();
        ui->MessageBar->setText(QStringLiteral("　Error : Lx が Ly よりも大きい"));
        break;
    case DesignLambdaTooLarge:
        app::Beep();
        ui->MessageBar->setText(QStringLiteral("　Error : λの値が制限値を越えている。　λ≦") +
                                QString::number(slab.LambdaMax, 'g', 15));
        break;
    default:
        break;
    }
    return status;
}

int TMainForm::SheetWidth() const
{
    // Four value columns and a caption column wide enough for its texts.
    const QFontMetrics metrics(font());
    const int column = metrics.horizontalAdvance(QStringLiteral("D29･D29 @500")) + 8;
    const int captions = metrics.horizontalAdvance(QStringLiteral("必要at ( dt )")) + 12;
    return captions + 4 * column;
}

void TMainForm::DrawResultFrame()
{
    sheet_ = NewSheetImage(SheetWidth(), SheetHeight(font()));
    korvexa::DrawResultFrame(sheet_, font(), ui->BindComboBox->currentIndex(), ui->LoadTimeChoice->currentIndex());
}

int TMainForm::DrawResultValues()
{
    return korvexa::DrawResultValues(sheet_, font(), SlabList.Current(), ProgramSettings(), ProgramBars());
}

void TMainForm::ShowSheet()
{
    ui->OBord->setFixedSize(sheet_.size());
    ui->OBord->setPixmap(QPixmap::fromImage(sheet_));
}

void TMainForm::SheetContextMenu(const QPoint& at)
{
    QMenu menu(this);
    QAction* change = menu.addAction(QStringLiteral("背景色の変更"));
    change->setObjectName(QStringLiteral("N3"));
    menu.addSeparator();
    QAction* reset = menu.addAction(QStringLiteral("デフォルトの背景色"));
    reset->setObjectName(QStringLiteral("N5"));
    QAction* chosen = menu.exec(ui->OBord->mapToGlobal(at));
    if (chosen == change) {
        const QColor colour = ChooseColour(this, BackColor());
        if (colour.isValid())
            SetPanelColour(colour);
    } else if (chosen == reset) {
        SetPanelColour(DefaultBackColor);
    }
}

// ---------------------------------------------------------------- window

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == NameBox && NameBoxKeyDown(key->key()))
            return true;
        // Enter moves to the next control, as Tab does, in the whole window
        // (but not while a drop-down list or menu is open).
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && widget && widget->window() == this && !QApplication::activePopupWidget()) {
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && watched == NameBox) {
        NameAtEntry = NameBox->currentText();
        SuppressNameChange = false;
    } else if (event->type() == QEvent::FocusOut && watched == NameBox) {
        auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() != Qt::PopupFocusReason && focus->reason() != Qt::ActiveWindowFocusReason)
            NameBoxExit();
    }
    return QMainWindow::eventFilter(watched, event);
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
    app::WriteSetting(iniFileName_, "Color", "BackColor", BackColourText(BackColor(), DefaultBackColor));
    return true;
}

void TMainForm::HELP2Click() { QDesktopServices::openUrl(app::HelpIndexUrl()); }

void TMainForm::About1Click() { AboutBox->exec(); }
