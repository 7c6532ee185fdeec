// The source text of the assembler window: a plain text editor with line numbers in a margin and
// one marked line, the line of the instruction the processor is executing.
#pragma once

#include <QPlainTextEdit>

namespace orlan {

class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // Marks the 1-based line (0: none) with the execution background.
    void setExecutionLine(int line);
    int executionLine() const { return executionLine_; }
    // Puts the cursor at a 1-based line and column and shows it.
    void moveCursorTo(int line, int column);

    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateMarginWidth();
    void updateMargin(const QRect& rect, int dy);

    QWidget* margin_;
    int executionLine_ = 0;
};

}  // namespace orlan
