// MemGrid: the memory list of the main window, one row per cell over a MemoryModel.
// The selected row is PC: selecting a row by mouse or keyboard emits rowChosen, while selectAddress
// (the program following PC) stays quiet. Instructions dragged from the instruction table are
// dropped here as opcodes. Hex digits typed in the list are handed on (hexDigitTyped) instead of
// searching the rows, which would move the selection and with it PC. Disabled while an instruction
// runs, the list keeps its colours: that is exactly when it is watched.
#pragma once

#include <QFont>
#include <QTableView>
#include <cstdint>

namespace orlan {

class MemoryView : public QTableView {
    Q_OBJECT
public:
    static constexpr int kColumnWidth = 50;
    static constexpr int kRowHeight = 12;
    // Rows between the first visible row and PC before a PC change scrolls the view.
    static constexpr int kPcLead = 13;
    // Rows shown above SP by the stack area view.
    static constexpr int kStackLead = 6;
    // The breakpoint marker sits in the right part of the address cell, beside the address; a
    // click there toggles the breakpoint without choosing the row.
    static constexpr int kMarkerWidth = 12;

    explicit MemoryView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;

    // Font, rows, columns and the marker `factor` times larger (1 = 100 %); the first visible
    // row stays first.
    void setZoom(qreal factor);
    QSize cellSize() const { return {columnWidth_, rowHeight_}; }  // at the zoom
    int markerWidth() const { return markerWidth_; }

    // Selects the row without emitting rowChosen and without scrolling.
    void selectAddress(uint16_t a);
    // Scrolls as little as needed to show the row (typing an address, the up/down control).
    void revealAddress(uint16_t a);
    int selectedAddress() const;  // -1 when nothing is selected
    int firstVisibleAddress() const;
    // Makes `address` the first visible row, as far as the scroll range allows.
    void scrollToFirstVisible(int address);
    // After PC changes: scrolls down so that the highest PC set is at most kPcLead rows below the
    // first visible row. Never scrolls up.
    void followPc(int highestPcSet);
    // The stack area view: SP becomes the seventh visible row (or the view starts at 0000).
    void showStackArea(uint16_t sp);
    // The row under the mouse pointer, or -1 (for the "run to the cursor" key).
    int rowUnderPointer() const;
    // Does nothing: see hexDigitTyped.
    void keyboardSearch(const QString& search) override;

signals:
    void rowChosen(uint16_t address);
    void opcodeDropped(uint16_t address, uint8_t opcode);
    // A hex digit 0-9, A-F (either case) typed while the list has the focus.
    void hexDigitTyped(QChar digit);
    // A click in the marker place, or the context menu's items.
    void breakpointToggleRequested(uint16_t address);
    void runToRequested(uint16_t address);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void keepColoursWhenDisabled();

    bool quiet_ = false;  // set while the program moves the selection
    QFont font_;          // at 100 %
    int rowHeight_ = kRowHeight;
    int columnWidth_ = kColumnWidth;
    int markerWidth_ = kMarkerWidth;
};

}  // namespace orlan
