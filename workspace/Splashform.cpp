#include "Splashform.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace orlan {

TSplashFrm::TSplashFrm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("SplashFrm"));
    setFixedSize(512, 385);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSplashFrm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(16, 40, 88));
    sky.setColorAt(1, QColor(4, 12, 32));
    p.fillRect(rect(), sky);

    // A processor chip: a dark body with pins on two sides.
    const QRect chip(156, 70, 200, 120);
    p.setPen(QPen(QColor(200, 200, 200), 2));
    for (int i = 0; i < 10; ++i) {
        const int x = chip.left() + 14 + i * 19;
        p.drawLine(x, chip.top() - 14, x, chip.top());
        p.drawLine(x, chip.bottom(), x, chip.bottom() + 14);
    }
    p.setBrush(QColor(30, 30, 34));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.drawRoundedRect(chip, 6, 6);
    QFont chipFont(QStringLiteral("DejaVu Sans"));
    chipFont.setPixelSize(34);
    chipFont.setBold(true);
    p.setFont(chipFont);
    p.setPen(QColor(255, 60, 60));
    p.drawText(chip, Qt::AlignCenter, QStringLiteral("ОРЛАН-М"));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(21);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 225, width(), 30), Qt::AlignCenter, QStringLiteral("Эмулятор МП-системы"));
    p.drawText(QRect(0, 255, width(), 30), Qt::AlignCenter, QStringLiteral("на базе МП ОРЛАН-М"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(13);
    p.setFont(small);
    p.setPen(QColor(120, 220, 120));
    p.drawText(QRect(0, 300, width(), 20), Qt::AlignCenter, QStringLiteral("Версия 1.0.2.1735"));
    p.setPen(QColor(180, 190, 210));
    p.drawText(QRect(0, 345, width(), 20), Qt::AlignCenter, QStringLiteral("Загрузка..."));
}

}  // namespace orlan
