#include "DeviceWindow.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include "HexDump.h"

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

void appendDumpTail(QTextDocument* document, QAbstractScrollArea* view, const HexDump& dump,
                    qsizetype& shownBytes) {
    if (dump.byteCount() == shownBytes) return;
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(dump.tail(shownBytes));
    shownBytes = dump.byteCount();
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
}

}  // namespace orlan
