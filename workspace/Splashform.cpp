#include "Splashform.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

#include "Aboutform.h"

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
    p.drawText(chip, Qt::AlignCenter, tr("ОРЛАН-М"));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(21);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    const QStringList lines = tr("Эмулятор МП-системы\nна базе МП ОРЛАН-М").split(QLatin1Char('\n'));
    for (int line = 0; line < std::min<int>(2, lines.size()); ++line)
        p.drawText(QRect(0, 225 + 30 * line, width(), 30), Qt::AlignCenter, lines.at(line));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(13);
    p.setFont(small);
    p.setPen(QColor(120, 220, 120));
    p.drawText(QRect(0, 300, width(), 20), Qt::AlignCenter, tr("Версия %1").arg(QLatin1String(kVersion)));
    p.setPen(QColor(180, 190, 210));
    p.drawText(QRect(0, 345, width(), 20), Qt::AlignCenter, tr("Загрузка..."));
}

}  // namespace orlan
