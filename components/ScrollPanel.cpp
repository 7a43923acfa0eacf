#include "components/ScrollPanel.h"

#include <QApplication>

ScrollPanel::ScrollPanel(QWidget* parent) : QScrollArea(parent)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    // Not a stop of its own in the tab order: the controls inside are.
    setFocusPolicy(Qt::NoFocus);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { ShowFocused(now); });
}

QSize ScrollPanel::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const QSize contents = widget() ? widget()->sizeHint() : QSize();
    return contents + QSize(frame, frame);
}

void ScrollPanel::ShowFocused(QWidget* focused)
{
    if (focused && widget() && widget()->isAncestorOf(focused))
        ensureWidgetVisible(focused);
}
