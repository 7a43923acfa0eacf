// The LaTeX settings window "LaTeX 環境設定": the header of the LaTeX report
// (a memo, saved as the default in "LatexHeader.txt" on request), the paths
// of the compiler and the viewer and the "Compile ＆ Preview" switch.
//
// For the main window:
//   * One window lives as long as the main window, created after the search
//     of the tools on PATH: valid paths of the settings file ("LaTeX2e"
//     section) replace what the search found (Shared().LatexCompilerPath,
//     LatexViewerPath).
//   * There is no OK or Cancel: what the window shows when it closes is in
//     force.  Closing trims the two paths and makes them the tool paths.
//   * The memo counts as it stands, saved or not (HeaderLines()).
//   * Destroying it writes the keys, when the settings file exists.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TLatexForm;
}

class TLatexForm : public QDialog {
    Q_OBJECT

public:
    TLatexForm(const QString& settingsFile, const QString& headerFile, QWidget* parent = nullptr);
    ~TLatexForm() override;

    // The memo's lines (UTF-8).
    std::vector<std::string> HeaderLines() const;
    // "Compile ＆ Preview".
    bool CompileAndPreview() const;

    // The file dialog for a program (the current path, the filter's name);
    // empty when cancelled.  Tests answer it.
    std::function<QString(QWidget*, const QString& current, const QString& filterName)> ChooseProgram;
    // The real one: the folder of the current path (else /usr/bin), every
    // file listed, "実行ファイル" as a filter to narrow it to programs.
    static QString ChooseExecutable(QWidget* parent, const QString& current, const QString& filterName);
    // The beep and error box of a failed header save.  Tests answer it.
    std::function<void(QWidget*, const QString&)> ShowError;

    void done(int result) override;

private:
    void SetUpActions();
    void FormCreate();
    void FillDefaultHeader();
    void CompilerButtonClick();
    void ViewerButtonClick();
    void CheckBox1Click();
    void HeaderSaveButtonClick();
    void FormClose();
    void FormDestroy();

    std::unique_ptr<Ui::TLatexForm> ui;
    QString settingsFile_;
    QString headerFile_;
};
