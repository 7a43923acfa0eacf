#include "dialogs/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include "components/DesktopOpener.h"
#include "ui_HelpWindow.h"

namespace {

void ShowErrorBox(QWidget* parent, const QString& text)
{
    QApplication::beep();
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::THelpWindow>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    OpenUrl = [this](const QUrl& url) {
        return OpenWithDesktop(url, this, [this, url] {
            ShowError(this, QStringLiteral("ブラウザで開けませんでした。\n") + url.toString());
        });
    };
    ShowError = ShowErrorBox;

    QTextBrowser* browser = ui->Browser;
    connect(ui->BackButton, &QToolButton::clicked, browser, &QTextBrowser::backward);
    connect(ui->ForwardButton, &QToolButton::clicked, browser, &QTextBrowser::forward);
    connect(ui->ContentsButton, &QToolButton::clicked, browser, &QTextBrowser::home);
    connect(browser, &QTextBrowser::historyChanged, this, &THelpWindow::UpdateHistoryButtons);
    connect(browser, &QTextBrowser::anchorClicked, this, &THelpWindow::AnchorClicked);
    connect(ui->BrowserLink, &QLabel::linkActivated, this, &THelpWindow::OpenInBrowser);
    connect(ui->SearchEdit, &QLineEdit::returnPressed, this, [this] { Find(); });
    connect(ui->SearchEdit, &QLineEdit::textChanged, ui->FindStatus, &QLabel::clear);
    connect(ui->FindNextButton, &QToolButton::clicked, this, [this] { Find(); });
    connect(ui->FindPreviousButton, &QToolButton::clicked, this, [this] { Find(true); });

    // The keys work wherever the focus is in the window.
    const auto key = [this](const QKeySequence& sequence, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(sequence);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    key(QKeySequence::Find, [this] {
        ui->SearchEdit->setFocus(Qt::ShortcutFocusReason);
        ui->SearchEdit->selectAll();
    });
    key(QKeySequence::FindNext, [this] { Find(); });
    key(QKeySequence::FindPrevious, [this] { Find(true); });
    key(QKeySequence::Back, [browser] { browser->backward(); });
    key(QKeySequence::Forward, [browser] { browser->forward(); });
    key(QKeySequence(Qt::ALT | Qt::Key_Home), [browser] { browser->home(); });
    UpdateHistoryButtons();
}

THelpWindow::~THelpWindow() = default;

void THelpWindow::ShowContents(const QString& file)
{
    const QUrl start = QUrl::fromLocalFile(file);
    if (ui->Browser->source() != start) {
        ui->Browser->clearHistory();
        ui->Browser->setSource(start);
    } else {
        ui->Browser->home();
    }
    show();
    raise();
    activateWindow();
}

QUrl THelpWindow::Page() const { return ui->Browser->source(); }

void THelpWindow::UpdateHistoryButtons()
{
    ui->BackButton->setEnabled(ui->Browser->isBackwardAvailable());
    ui->ForwardButton->setEnabled(ui->Browser->isForwardAvailable());
}

// Pages of the guide open here; anything else (a web address) in the
// desktop's browser.
void THelpWindow::AnchorClicked(const QUrl& url)
{
    const QUrl target = ui->Browser->source().resolved(url);
    if (target.isLocalFile() || target.scheme().isEmpty()) {
        ui->Browser->setSource(target);
        return;
    }
    if (!OpenUrl(target))
        ShowError(this, QStringLiteral("ブラウザを起動できませんでした。\n") + target.toString());
}

void THelpWindow::OpenInBrowser()
{
    // A desktop opener takes a file, not a place within it.
    const QUrl page = ui->Browser->source().adjusted(QUrl::RemoveFragment);
    if (!OpenUrl(page))
        ShowError(this, QStringLiteral("ブラウザを起動できませんでした。このウィンドウでお読みください。\n"
                                       "ヘルプファイル: ") +
                            page.toLocalFile());
}

bool THelpWindow::Find(bool backward)
{
    const QString text = ui->SearchEdit->text();
    if (text.isEmpty())
        return false;
    QTextBrowser* browser = ui->Browser;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser->find(text, flags);
    if (!found) {
        const QTextCursor here = browser->textCursor();
        QTextCursor end(browser->document());
        end.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser->setTextCursor(end);
        found = browser->find(text, flags);
        if (!found)
            browser->setTextCursor(here);
    }
    ui->FindStatus->setText(found ? QString() : QStringLiteral("見つかりません"));
    if (!found)
        QApplication::beep();
    return found;
}
