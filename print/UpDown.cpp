#include "print/UpDown.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "components/NumberEdit.h"

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {up_, down_}) {
        button->setArrowType(button == up_ ? Qt::UpArrow : Qt::DownArrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(16);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(up_, &QToolButton::clicked, this, [this] { Click(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Click(-1); });
}

void TUpDown::SetAssociate(TNumberEdit* box)
{
    if (box_)
        box_->removeEventFilter(this);
    box_ = box;
    if (box_) {
        box_->installEventFilter(this);
        setFixedHeight(box_->sizeHint().height());
    }
}

void TUpDown::SetRange(int minimum, int maximum)
{
    min_ = minimum;
    max_ = std::max(minimum, maximum);
}

void TUpDown::SetMin(int minimum) { SetRange(minimum, max_); }

void TUpDown::Click(int step)
{
    if (!box_)
        return;
    long double value = box_->Value();
    TNumberEdit::ReadNumber(box_->text(), value);
    const long double moved = std::trunc(value) + step;
    box_->SetValue(std::clamp<long double>(moved, min_, max_));
    emit clicked(step);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Click(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
