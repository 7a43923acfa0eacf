// TNewEdit: a plain single-line edit box whose text is centred by default,
// like the number box's.
#pragma once

#include <QLineEdit>

class TNewEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TNewEdit(QWidget* parent = nullptr);
};
