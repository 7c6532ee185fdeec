// A pair of arrow buttons holding a position within a range, as beside an edit field: the upper
// arrow steps up, the lower one down. The position never wraps by itself; the owner decides.
#pragma once

#include <QWidget>

class QToolButton;

namespace orlan {

class UpDown : public QWidget {
    Q_OBJECT
public:
    UpDown(int minimum, int maximum, QWidget* parent = nullptr);
    int position() const { return position_; }
    void setPosition(int p);  // clamped; emits nothing
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    void stepUp();    // as a click on the upper arrow
    void stepDown();  // as a click on the lower arrow

signals:
    // The user moved it with an arrow (the position is already changed).
    void stepped(int position, int direction);

private:
    int minimum_, maximum_, position_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orlan
