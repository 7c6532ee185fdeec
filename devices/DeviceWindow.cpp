#include "DeviceWindow.h"

#include <QFontMetrics>
#include <QWidget>

#include "HexDump.h"
#include "HexDumpView.h"

namespace orlan {

void setStayOnTop(QWidget* window, bool on) {
    const bool wasVisible = window->isVisible();
    const QPoint at = window->pos();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible) {
        window->move(at);
        window->show();
    }
}

HexDumpView* makeDumpView(const HexDump& dump, QWidget* parent, const QString& objectName,
                          bool roomForALine) {
    auto* view = new HexDumpView(dump, parent);
    view->setObjectName(objectName);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    fixed.setPixelSize(11);
    view->setFont(fixed);
    if (roomForALine)
        view->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(HexDump::kLineLength, '0')) + 40);
    return view;
}

}  // namespace orlan
