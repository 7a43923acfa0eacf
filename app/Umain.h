// The main window: tool bar, menus, the input panel of the current slab,
// the result sheet and the message bar.  It owns the slab list of the open
// data set and dispatches the commands.
#pragma once

#include <QColor>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

#include "app/SlabList.h"
#include "datafile/DataSet.h"

class QComboBox;
class QLabel;
class TAboutBox;

namespace Ui {
class TMainForm;
}

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up after construction: the first slab, the caption, and the
    // data file named on the command line (empty: none).
    void FormShow(const QString& fileToOpen);

    // Opens a data file as the open command does after its dialog.
    bool OpenParamFile(const QString& fileName);

    // The slab shown and the list it belongs to.
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

    // The colour chooser of the background command; tests answer it.
    std::function<QColor(QWidget*, const QColor&)> ChooseColour;

    const QImage& SheetImage() const { return sheet_; }
    QColor BackColor() const;
    QString TexFileName;
    const korvexa::datafile::PrintLayout& PrintLayout() const { return printLayout_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void SetUpToolBar();
    void SetUpMenus();
    void SetUpPanel();
    void ApplyFonts();
    void SetCaption(const QString& fileName, bool readOnly);
    void SetPanelColour(const QColor& colour);
    bool FormCloseQuery();

    // Result sheet.
    int SheetWidth() const;
    void DrawResultFrame();
    int DrawResultValues();
    void ShowSheet();
    void SheetContextMenu(const QPoint& at);

    // Slab list and name box.
    void AppendSlab();
    void SlabAddButtonClick();
    void SlabCopyButtonClick();
    void SlabDeleteButtonClick();
    void TopButtonClick(int tag);
    void NameBoxChange(const QString& text);
    void NameBoxSelect(int index);
    bool NameBoxKeyDown(int key);
    void NameBoxExit();
    void ReloadNameBox();

    // Input panel.
    void LinkBoxes();
    void BindComboBoxSelect(int index);
    void LoadTimeChoiceClick(int index);
    void LxInputExit();
    void TLInputExit();
    void RefreshLoads();

    void HELP2Click();
    void About1Click();

    std::unique_ptr<Ui::TMainForm> ui;
    QComboBox* NameBox = nullptr;
    QLabel* InfoPanel = nullptr;
    TAboutBox* AboutBox = nullptr;
    QImage sheet_;
    QString NameAtEntry;
    bool SuppressNameChange = false;
    const QString CaptionPrefix = QStringLiteral("Korvexa  ");
    QColor DefaultBackColor;
    korvexa::datafile::PrintLayout printLayout_;
    QString iniFileName_;
};
