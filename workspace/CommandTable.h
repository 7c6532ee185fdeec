// CommGrid: the 16 x 16 table of all instructions (plus a heading row and column of hex digits),
// the source of drags into the memory view and of the instruction help popup; and CommPanel, the
// panel that carries it and slides up from the bottom edge of the main window.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QLabel;
class QMimeData;
class QTimer;

namespace orlan {

class CommandTable : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 17;  // heading + 16
    static constexpr int kCellSize = 25;
    static constexpr int kDragDistance = 5;
    // Below this the cell texts are no longer read at a glance.
    static constexpr int kMinTextPixels = 8;

    explicit CommandTable(QWidget* parent = nullptr);

    // Cells, texts and frames `factor` times larger (1 = 100 %): the table sizes itself.
    void setZoom(qreal factor);
    qreal zoom() const { return zoom_; }

    // Row 0 and column 0 are headings ("0".."F", the corner empty); the cell at row r + 1,
    // column c + 1 holds the mnemonic of opcode 16 * r + c.
    QString cellText(int row, int column) const;
    QRect cellRect(int row, int column) const;
    // The opcode of a cell, or -1 for a heading or a position outside the table.
    static int opcodeAt(int row, int column);
    // Row and column under a point, or (-1, -1).
    QPoint cellAt(const QPoint& pos) const;

    // What a drag from a cell carries: the opcode as one byte and the mnemonic as text.
    static QMimeData* mimeDataFor(int opcode);

    QSize sizeHint() const override;

    // How a cell's mnemonic is drawn: the operation, then its operands (commas without spaces)
    // on a second line; in one font for the whole table, the largest in which every cell fits.
    QStringList cellLines(int opcode) const { return lines_[static_cast<size_t>(opcode)]; }
    const QFont& cellFont() const { return cellFont_; }

signals:
    void helpRequested(int opcode, QString mnemonic, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void layoutCells();
    void startDrag(int opcode);
    // Where the k-th cell boundary lies at the zoom: cells differ by a pixel rather than drift.
    int edge(int k) const;

    std::array<QStringList, 256> lines_;
    QFont cellFont_;
    qreal zoom_ = 1.0;
    int pressedOpcode_ = -1;
    QPoint pressPos_;
};

class CommPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 448;
    static constexpr int kHeight = 463;
    static constexpr int kCaptionStrip = 17;  // what shows of the hidden panel (at 100 %)
    static constexpr double kSlideStep = 0.2;

    // The parent is the client area the panel slides in.
    explicit CommPanel(QWidget* parent = nullptr);

    CommandTable* table() const { return table_; }
    QLabel* caption() const { return caption_; }

    int clientHeight() const;
    int hiddenTop() const;
    int shownTop() const { return clientHeight() - height(); }

    void placeHidden();  // at once; also resets the slide
    void placeShown();   // at once
    bool isShown() const { return y() == shownTop(); }
    bool isSliding() const;
    void toggle();  // the "show/hide the instruction table" menu item
    void startSlide();
    // One tick of the slide; false once the panel lies wholly inside the client area.
    bool slideTick();
    double slideX() const { return x_; }

public slots:
    // The pointer moved over the main window outside the panel.
    void pointerLeft();

signals:
    // The panel went back to its hidden position (the help popup should close).
    void hidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void retranslate();

    QLabel* caption_;
    CommandTable* table_;
    QTimer* timer_;
    double x_ = 0;  // square root of the top edge while sliding
};

}  // namespace orlan
