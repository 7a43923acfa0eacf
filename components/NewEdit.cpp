#include "components/NewEdit.h"

TNewEdit::TNewEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
}
