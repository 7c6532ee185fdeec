// The processor scheme of the main window: a block diagram drawn once in code, the 23 element
// labels laid over it at their fixed places, and the 16 lamps painted on top.
//
// The widget only mirrors the machine: showState copies texts, highlights and lamps, touching
// nothing that already shows the right thing, so it is cheap to call after every tact.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <string>

#include "Elements.h"
#include "Machine.h"

namespace orlan {

class SchemeWidget : public QWidget {
    Q_OBJECT
public:
    explicit SchemeWidget(QWidget* parent = nullptr);  // fixed 463 x 397, objectName "SchemeImg"

    // Draws the picture, the labels and the lamps `factor` times larger (1 = 100 %), the picture
    // drawn anew at that size rather than stretched.
    void setZoom(qreal factor);
    qreal zoom() const { return zoom_; }

    // Copies texts, highlights and lamps of the machine onto the picture.
    void showState(const Machine& m);
    QLabel* elementLabel(Element e) const;  // objectName = the element's name
    QColor lampColorAt(Lamp l) const;       // colour of the rendered picture at the lamp's centre
    void setRegisterLabelsEnabled(bool enabled);

    static constexpr int kWidth = 463;
    static constexpr int kHeight = 397;
    static QPoint lampPoint(Lamp l);  // centre of the lamp on the picture at 100 %

signals:
    void registerLabelClicked(orlan::Element e);

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLabel(Element e, const std::string& text, bool red);
    void fitLabelFont(Element e);
    static QString labelText(Element e, const std::string& text);
    void placeLabels();
    // The picture for a paint device of `ratio` device pixels to a pixel.
    const QPixmap& picture(qreal ratio);

    struct Shown {
        std::string text;
        bool red = false;
    };
    std::array<QLabel*, kElementCount> labels_{};
    std::array<Shown, kElementCount> shown_{};
    LampSet lamps_ = 0;
    qreal zoom_ = 1.0;
    QPixmap picture_;
};

}  // namespace orlan
