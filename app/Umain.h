// The main window: tool bar, menus, the input panel of the current slab,
// the result sheet and the message bar.  It owns the slab list of the open
// data set and dispatches the commands.
//
// The window's work is spread over several files by subject:
//   Umain.cpp       construction, start-up and exit, files, help
//   UmainSlabs.cpp  the slab list, navigation and the name box
//   UmainPanel.cpp  shape and loads of the input panel
//   UmainBars.cpp   bars, pitches and concrete
//   UmainSheet.cpp  recalculation, result sheet and messages
//   UmainFiles.cpp  new, open, save, the save question and recent files
//   UmainEdit.cpp   undo and redo, the modified state, the recovery copy
//   UmainPrint.cpp  print, print a selection and the print preview
//   UmainOverview.cpp  the slab overview window and the CSV export
//   UmainWindowState.cpp  size and place on the screen, the last folder used
#pragma once

#include <QColor>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DialogFolders.h"
#include "app/EditCommands.h"
#include "app/FcList.h"
#include "app/SlabList.h"
#include "datafile/DataSet.h"
#include "datafile/SlabCsv.h"

class QButtonGroup;
class QComboBox;
class QKeyEvent;
class QLabel;
class QTimer;
class QUndoStack;
class QUrl;
class TAboutBox;
class TCommonForm;
class TFileHistory;
class THelpWindow;
class TLatexForm;
class TNumberEdit;
class TOverviewForm;
class TPreviewForm;
class TPrintSetup;
class TReplaceForm;
class TSelectDialog;

namespace Ui {
class TMainForm;
}

namespace korvexa::app {
class DataNotifier;
class RecoveryCopy;
}

class TMainForm : public QMainWindow, private korvexa::app::EditTarget {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up after construction: the first slab, the caption, and the
    // data file named on the command line (empty: none).
    void FormShow(const QString& fileToOpen);

    // Opens a data file as the open command does after its dialog.
    bool OpenParamFile(const QString& fileName);

    // Offers the recovery copies that windows which ended without saving
    // left behind (start-up, after FormShow).
    void OfferRecovery();

    // Undo and redo of every edit; the data is modified while the stack is
    // not clean.  Opening a file or new data clears it.
    QUndoStack& UndoStack() { return *undo_; }
    bool IsModified() const;
    // What changed in the data, for the windows that follow it.
    korvexa::app::DataNotifier& Notifier() { return *notifier_; }
    // The recovery copy is written this long after the last edit (ms).
    int RecoveryDelay = 3000;
    QString RecoveryCopyPath() const;

    // The slabs of the open data set; the current one is shown.
    korvexa::app::SlabList SlabList;
    int CurrentIndex() const { return SlabList.CurrentIndex(); }

    // Loads the current slab into the panel, updates the navigator and
    // redesigns it.
    void ShowSlab();
    // Designs the current slab and redraws the sheet, the λ label and the
    // message bar.  Returns the design status.
    int Recalculate();
    void UpdateNavigator();
    void InitSlabList();
    int CountCalculatedSlabs(bool tell);

    // The choices of the strength box.
    const korvexa::app::TFc_List& FcList() const { return FcList_; }

    // How the save dialog is set up for a data file (kind 0) or a LaTeX
    // file (kind 1): it starts at `fileName`, or without one in the folder
    // the dialogs start in.
    struct SaveDialogSetup {
        QString filter;     // Qt filter text, entries separated by ";;"
        int filterIndex = 1;
        QString directory;
        QString fileName;
        QString defaultSuffix;  // given to a name typed without one
    };
    SaveDialogSetup PrepareSaveDialog(const QString& fileName, int kind) const;
    // The file dialogs; tests answer them.  An empty name means cancelled.
    // The open dialog starts in `folder`.
    std::function<QString(QWidget*, const QString& folder)> ChooseOpenFile;
    std::function<QString(QWidget*, const SaveDialogSetup&)> ChooseSaveFile;

    // The file commands.
    void NewDataButtonClick();
    void MenuOpenClick();
    int HistoryOpen(const QString& fileName);
    void MenuSaveClick();
    void MenuSaveAsClick();
    void MenuFileClick();
    void EnvironButtonClick();
    void MenuPrintSetupClick();
    QString CurrentFileName() const;
    TCommonForm* CommonForm = nullptr;
    TReplaceForm* ReplaceForm = nullptr;  // "データ整理"
    TPrintSetup* PrintSetup = nullptr;  // owns the printer and the page layout
    TFileHistory* FileHistory = nullptr;

    // The colour chooser of the background command; tests answer it.
    std::function<QColor(QWidget*, const QColor&)> ChooseColour;
    void ChangeBackColour();   // "背景色の変更"
    void DefaultBackColour();  // "デフォルトの背景色"

    // Hands a page or a file to the desktop's opener (the help window's
    // "ブラウザで開く", the LaTeX report's PDF): false when none started;
    // an opener that fails later is told in a message box.  Tests answer it.
    std::function<bool(const QUrl&)> OpenBrowser;
    // The folder the user guide is looked for from: the program's; tests
    // put a guide of their own in place.
    QString ProgramFolder;
    THelpWindow* HelpWindow = nullptr;  // made by the first Help command

    const QImage& SheetImage() const { return sheet_; }
    QColor BackColor() const;
    QString TexFileName;
    // The current print layout, as a data file stores it.
    korvexa::datafile::PrintLayout PrintLayout() const;

    // Printing (UmainPrint.cpp).
    void PrintButtonClick();
    void MenuSelectPrintClick();
    void PreviewButtonClick();
    TSelectDialog* SelectDialog = nullptr;  // "印刷データの選択"
    TPreviewForm* PreviewForm = nullptr;    // "印刷プレビュー"

    // The overview window and the CSV export (UmainOverview.cpp).
    void OverviewButtonClick();  // "スラブ一覧"
    void ShowSlabAt(int index);  // the overview's choice
    void MenuCsvOutClick();      // "CSV出力..."
    TOverviewForm* OverviewForm = nullptr;  // made when first shown
    // The CSV file dialog (empty name: cancelled); tests answer it.
    struct CsvTarget {
        QString fileName;
        korvexa::datafile::CsvEncoding encoding = korvexa::datafile::CsvEncoding::Utf8;
    };
    std::function<CsvTarget(QWidget*, const QString& suggested)> ChooseCsvFile;

    // The LaTeX report (UmainLatex.cpp).
    void MenuTeXOutClick();
    void LatexSettingClick();
    TLatexForm* LatexForm = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // UmainEdit.cpp: the steps and what they change.
    void SetUpEdit();
    void UndoClick();
    void RedoClick();
    void ShowUndoTexts();
    bool IsUndoKey(const QKeyEvent& key) const;
    void CommitEdit(const QString& text = QString());
    void SnapshotCurrent();
    korvexa::app::DataState CaptureState() const;
    void PushDataStep(const QString& text, korvexa::app::DataState before, korvexa::app::DataChange change);
    void PutSlab(int index, const korvexa::SlabData& slab, int shown) override;
    void InsertSlab(int index, const korvexa::SlabData& slab, const korvexa::SlabData& model) override;
    void RemoveSlab(int index, const korvexa::SlabData& model, int shown) override;
    void PutData(const korvexa::app::DataState& state, korvexa::app::DataChange change) override;
    void PutLayout(const korvexa::datafile::PrintLayout& layout) override;
    void StartNewData();
    void MarkSaved();
    void ModifiedStateChanged();
    void WriteRecoveryCopy();
    bool RestoreCopy(const QString& dataPath, const QString& fileName);

    // Umain.cpp
    void FormCreate();
    void SetUpToolBar();
    void SetUpMenus();
    void ApplyFonts();
    void SetCaption(const QString& fileName, bool readOnly);
    void SetPanelColour(const QColor& colour);
    bool FormCloseQuery();
    bool IsWindowKey(const QKeyEvent& key) const;
    void HELP2Click();
    void About1Click();

    // UmainWindowState.cpp
    void RestoreWindowState();
    void SaveWindowState();

    // UmainFiles.cpp
    enum class Continuation { Go, Abandon };
    Continuation AskSaveCurrent(bool withCancel, QString* savedName = nullptr);
    korvexa::datafile::DataSet CurrentData() const;
    bool WriteData(const QString& fileName);
    void TellWarnings(const QString& heading, const std::vector<std::string>& warnings);
    void ApplyDataSet(korvexa::datafile::DataSet& data, const QString& fileName);
    bool ConfirmRenamedTarget(const QString& chosen, const QString& name);
    bool HasDataToSave() const;
    void SetUpFiles();
    void TakeTypedValue();

    // UmainPrint.cpp
    void SetUpPrint();
    void TellPdfWritten(const QString& fileName);

    // UmainOverview.cpp
    void SetUpOverview();
    void TakeValueTypedHere();

    // UmainLatex.cpp
    void SetUpLatex();
    void RunLatexTools();

    // UmainSlabs.cpp
    void SetUpNameBox();
    void SlabAddButtonClick();
    void SlabCopyButtonClick();
    void SlabDeleteButtonClick();
    void ReplaceButtonClick();
    void TopButtonClick(int tag);
    void NameBoxChange(const QString& text);
    void NameBoxSelect(int index);
    bool NameBoxKeyDown(int key);
    void NameBoxExit();
    void ReloadNameBox();
    void TellLeftOut();

    // UmainPanel.cpp
    void SetUpPanel();
    void LinkBoxes();
    void UpdateLoadShapes();
    void UpdateInputState();
    void RefreshLoads();
    void UpdateLoadUnit();
    void BindComboBoxSelect(int index);
    void LoadComboBoxSelect();
    void LoadTimeChoiceClick(int index);
    void ApplyLoadTimeRule();
    void DeltCheckBoxClick();
    void ConditionalClick();
    void TLDirectClick();
    void OwnDirectClick();
    void FLAddCheckBoxClick();
    void CaseBoxEnter(TNumberEdit* box, TNumberEdit* source);
    void SetBoxColour(QWidget* box, bool used);

    // UmainBars.cpp
    void SetUpBars();
    void ShowBars();
    void ShowConcrete();
    void BarBoxChange(int tag, int index);
    void ComboBox1Change(int tag, int index);
    void BarPositionCheckClick();
    void ReadPitchButtonClick();
    void CalcPitchButtonClick();
    void ConcreatInputChange(int index);
    void FcListReset();
    void FcListAdd(double fc);
    void FillFcItems();
    bool FcInputKeyPress(QChar key);
    void FcInputChange(const QString& text);
    void FcInputExit();
    void UpdateUnitWeight();
    void MirrorSupportedPitches();

    // UmainSheet.cpp
    void SetUpSheet();
    int SheetWidth() const;
    void DrawResultFrame();
    int DrawResultValues();
    void ShowSheet();
    void SheetContextMenu(const QPoint& at);

    std::unique_ptr<Ui::TMainForm> ui;
    QComboBox* NameBox = nullptr;
    QLabel* InfoPanel = nullptr;
    QButtonGroup* LoadTimeButtons = nullptr;
    TAboutBox* AboutBox = nullptr;
    std::array<QComboBox*, 8> BarBoxes{};
    std::array<TNumberEdit*, 4> PitchBoxes{};
    std::array<TNumberEdit*, 18> LoadBoxes{};
    korvexa::app::TFc_List FcList_;
    QString FcTextAtEntry;
    QImage sheet_;
    QString NameAtEntry;
    bool SuppressNameChange = false;
    bool showing_ = false;  // ShowSlab is loading the panel: no redesigns in between
    const QString CaptionPrefix = QStringLiteral("Korvexa  ");
    QColor DefaultBackColor;
    QString iniFileName_;

    QUndoStack* undo_ = nullptr;
    korvexa::app::DataNotifier* notifier_ = nullptr;
    korvexa::SlabData committed_;      // the current slab as of its last step
    int committedIndex_ = 0;  // its index; 0: none yet
    std::unique_ptr<korvexa::app::RecoveryCopy> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    korvexa::app::DialogFolders folders_;
};
