#include "DeviceWindow.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QPlainTextEdit>
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

QPlainTextEdit* makeDumpView(QWidget* parent, const QString& objectName, bool roomForALine) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(objectName);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setUndoRedoEnabled(false);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::Monospace);
    fixed.setFixedPitch(true);
    fixed.setPixelSize(11);
    view->setFont(fixed);
    if (roomForALine)
        view->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(HexDump::kLineLength, '0')) + 40);
    return view;
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
