// The help window "Korvexa ヘルプ": the user guide (local HTML pages) in
// the program itself, so that help opens where no browser does.  Back,
// forward, the contents (the start page), a search in the page shown
// (Ctrl+F, then Enter or F3 for the next place, Shift+F3 for the one
// before), and the link "ブラウザで開く" that hands the page to the
// desktop's opener.  It is no modal dialog: the user reads it beside the
// main window.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

namespace Ui {
class THelpWindow;
}

class THelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* parent = nullptr);
    ~THelpWindow() override;

    // Shows the start page `file` (the contents), raised and active.
    void ShowContents(const QString& file);
    // The page shown.
    QUrl Page() const;

    // Hands a page to the desktop's opener; false when none started (an
    // opener that fails later is told through ShowError).  Tests answer it.
    std::function<bool(const QUrl&)> OpenUrl;
    // Tells that no browser opened the page.  Tests answer it.
    std::function<void(QWidget*, const QString&)> ShowError;

    // Looks for the search box's text in the page from the selection on,
    // forward or backward, starting over at the other end; false (with a
    // beep) when the page does not hold it.
    bool Find(bool backward = false);

private:
    void AnchorClicked(const QUrl& url);
    void OpenInBrowser();
    void UpdateHistoryButtons();

    std::unique_ptr<Ui::THelpWindow> ui;
};
