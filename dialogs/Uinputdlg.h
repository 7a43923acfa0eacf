// The rename dialog "スラブ名称の変更": one box for a slab's new name, with
// the limits of the main window's name box.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TInputDlg;
}

class TInputDlg : public QDialog {
    Q_OBJECT

public:
    explicit TInputDlg(QWidget* parent = nullptr);
    ~TInputDlg() override;

    // Asks for a new name in place of `name`.  On OK, `name` becomes the
    // box's text without blanks around it and true is returned; on Cancel
    // it is left alone.  OK is refused while the box holds no name.
    bool AskName(QString& name);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TInputDlg> ui;
};
