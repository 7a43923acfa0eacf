// The about box: the program's title, version and credit.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // The program's version text, as the data files record it.
    static QString VersionText();

private:
    std::unique_ptr<Ui::TAboutBox> ui;
};
