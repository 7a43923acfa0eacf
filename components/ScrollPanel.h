// A scroll area for a window's panels that asks for the whole size of its
// contents: the window opens as large as its controls need and scrolls
// only where the screen is too small for that.  The control that takes
// the keyboard focus is scrolled into view, however it got there (Tab,
// Enter, a click, a command).
#pragma once

#include <QScrollArea>

class ScrollPanel : public QScrollArea {
    Q_OBJECT

public:
    explicit ScrollPanel(QWidget* parent = nullptr);

    // The contents' own size hint (QScrollArea caps its hint at a few
    // dozen lines of text).
    QSize sizeHint() const override;

private:
    void ShowFocused(QWidget* focused);
};
