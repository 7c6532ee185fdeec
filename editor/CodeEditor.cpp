#include "CodeEditor.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace orlan {

namespace {

const QColor kExecutionBack(255, 255, 150);
const QColor kMarginBack(236, 236, 236), kMarginText(120, 120, 120);

class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CodeEditor* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->lineNumberAreaWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { editor_->paintLineNumbers(event); }

private:
    CodeEditor* editor_;
};

}  // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), margin_(new LineNumberArea(this)) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(10);
    setFont(font);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 8);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateMarginWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateMargin);
    updateMarginWidth();
}

int CodeEditor::lineNumberAreaWidth() const {
    int digits = 1;
    for (int max = std::max(1, blockCount()); max >= 10; max /= 10) ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void CodeEditor::updateMarginWidth() { setViewportMargins(lineNumberAreaWidth(), 0, 0, 0); }

void CodeEditor::updateMargin(const QRect& rect, int dy) {
    if (dy != 0)
        margin_->scroll(0, dy);
    else
        margin_->update(0, rect.y(), margin_->width(), rect.height());
    if (rect.contains(viewport()->rect())) updateMarginWidth();
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    margin_->setGeometry(QRect(r.left(), r.top(), lineNumberAreaWidth(), r.height()));
}

void CodeEditor::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(margin_);
    painter.fillRect(event->rect(), kMarginBack);
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            const int number = block.blockNumber() + 1;
            painter.setPen(number == executionLine_ ? Qt::black : kMarginText);
            painter.drawText(0, top, margin_->width() - 4, fontMetrics().height(), Qt::AlignRight,
                             QString::number(number));
        }
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
    }
}

void CodeEditor::setExecutionLine(int line) {
    if (line < 0 || line > blockCount()) line = 0;
    if (line == executionLine_) return;
    executionLine_ = line;
    QList<QTextEdit::ExtraSelection> marks;
    if (line > 0) {
        QTextEdit::ExtraSelection mark;
        mark.format.setBackground(kExecutionBack);
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        mark.cursor = QTextCursor(document()->findBlockByNumber(line - 1));
        marks << mark;
        // The line being executed stays in sight, without moving the user's cursor. Lines do not
        // wrap, so the scroll bar counts lines.
        const int first = verticalScrollBar()->value();
        const int shown = std::max(1, viewport()->height() / fontMetrics().height());
        if (line - 1 < first || line - 1 >= first + shown - 1)
            verticalScrollBar()->setValue(std::max(0, line - 1 - shown / 3));
    }
    setExtraSelections(marks);
    margin_->update();
}

void CodeEditor::moveCursorTo(int line, int column) {
    const QTextBlock block = document()->findBlockByNumber(std::max(line, 1) - 1);
    if (!block.isValid()) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
                        std::clamp(column - 1, 0, static_cast<int>(block.length()) - 1));
    setTextCursor(cursor);
    ensureCursorVisible();
    setFocus();
}

}  // namespace orlan
