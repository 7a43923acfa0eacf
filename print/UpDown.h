// TUpDown: the two small arrow buttons beside a number box that step its
// whole value by one within a range, as the Up and Down keys in the box
// do.  A step first takes the box's text as the value, so a number being
// typed counts; the box then shows the new value and writes its link.
#pragma once

#include <QWidget>

class QToolButton;
class TNumberEdit;

class TUpDown : public QWidget {
    Q_OBJECT

public:
    explicit TUpDown(QWidget* parent = nullptr);

    void SetAssociate(TNumberEdit* box);
    TNumberEdit* Associate() const { return box_; }
    void SetRange(int minimum, int maximum);
    void SetMin(int minimum);
    int Min() const { return min_; }
    int Max() const { return max_; }

    // One step: +1 up, -1 down.
    void Click(int step);

Q_SIGNALS:
    // After a step, with the box already showing the new value.
    void clicked(int step);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    TNumberEdit* box_ = nullptr;
    int min_ = 0;
    int max_ = 100;
};
