// The 64 KiB memory as a table: address, value and mnemonic of every cell, read straight from the
// machine (nothing is stored per row). The model also colours the SP row, the stack area above SP
// and the HLT at which the processor halted; catchUp() tells the views which rows to repaint.
// Code that came from a source may carry a code map: its labels are the rows' tooltips and
// LabelRole, and with the operand switch on (off by default, so the texts that export and the
// listing read stay as they are) its operand bytes read as operands ("d8") in the mnemonic column.
#pragma once

#include <QAbstractTableModel>
#include <cstdint>

#include "Breakpoints.h"
#include "Machine.h"

namespace orlan {

class CodeMap;

class MemoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AddressColumn = 0, ValueColumn = 1, MnemonicColumn = 2 };
    static constexpr int kRows = 0x10000;
    // The label of a row from the code map (a QString, empty when none).
    static constexpr int LabelRole = Qt::UserRole + 1;
    // True on a row with a breakpoint (the view paints its marker).
    static constexpr int BreakpointRole = Qt::UserRole + 2;

    explicit MemoryModel(const Machine& m, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;

    // Emits dataChanged for what moved since the last call: the written rows, the rows whose stack
    // colours changed with SP and the old and new halt rows. Reads the marks, never clears them.
    void catchUp(const ChangeMarks& c);
    // For wholesale changes (file load, memory reset).
    void resetAll();
    // The language changed: the views read the headers again (the cells hold no words).
    void retranslate();

    // The row marked as the halted HLT, or -1.
    int haltRow() const;

    // The code map read for labels and operands (null: none); call again after it changed.
    void setCodeMap(const CodeMap* map);
    void setShowOperands(bool on);
    // The breakpoints read for BreakpointRole (null: none); rowMarkChanged after a toggle.
    void setBreakpoints(const Breakpoints* breakpoints) { breakpoints_ = breakpoints; }
    void rowMarkChanged(uint16_t row) { emitRows(row, row); }
    bool showOperands() const { return showOperands_; }

private:
    void emitRows(int first, int last, int firstColumn = AddressColumn);

    const Machine& m_;
    uint16_t shownSp_;
    int shownHaltRow_;
    const CodeMap* codeMap_ = nullptr;
    bool showOperands_ = false;
    const Breakpoints* breakpoints_ = nullptr;
};

}  // namespace orlan
