// The read-only view of a device's hex dump. It draws only the lines in sight, straight from the
// dump's bytes, so a dump of any length opens at once and costs no text. It follows the end as
// bytes arrive, unless the user has scrolled away from the end to read. Whole lines are selected
// with the mouse or the keyboard (Shift extends, Ctrl+A takes everything) and copied as text with
// Ctrl+C or from the context menu.
#pragma once

#include <QAbstractScrollArea>

class QTimer;

namespace orlan {

class HexDump;

class HexDumpView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit HexDumpView(const HexDump& dump, QWidget* parent = nullptr);

    // The dump gained bytes. A program may send thousands a second: the view catches up at most
    // about 60 times a second, and only while it is visible (showing it catches up at once).
    void dumpChanged();
    // Catches up with the dump now (after a clear, say).
    void refresh();

    // The lines the view knows of, as they read now.
    qsizetype lineCount() const { return lines_; }
    QString text() const;
    int firstVisibleLine() const;
    int visibleLineCount() const;
    bool followsEnd() const { return followsEnd_; }

    // Selected lines, first and last included; -1 when nothing is selected.
    qsizetype selectionFirst() const;
    qsizetype selectionLast() const;
    void selectLines(qsizetype anchor, qsizetype current);
    void selectAll();
    QString selectedText() const;
    // Puts the selected lines on the clipboard.
    void copy() const;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    int lineHeight() const;
    qsizetype lineAt(int y) const;  // clamped to the known lines
    void updateScrollBars();
    void moveCurrent(qsizetype to, bool extend);
    void ensureVisible(qsizetype line);

    const HexDump& dump_;
    QTimer* catchUp_ = nullptr;
    qsizetype lines_ = 0;
    qsizetype anchor_ = -1;   // where the selection began
    qsizetype current_ = -1;  // where it ends: the line the keys move
    bool followsEnd_ = true;
    bool adjusting_ = false;  // the view itself moves the scroll bar
};

}  // namespace orlan
