// TSplashFrm: the borderless picture shown while the main window fills its views at start-up.
#pragma once

#include <QWidget>

namespace orlan {

class TSplashFrm : public QWidget {
    Q_OBJECT
public:
    explicit TSplashFrm(QWidget* parent = nullptr);  // 512 x 385, centred on the desktop

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orlan
