#include "MemoryModel.h"

#include <QBrush>
#include <QColor>
#include <QStringList>
#include <algorithm>

#include "CodeMap.h"
#include "Mnemonics.h"

namespace orlan {
namespace {

const QString kMimeOpcode = QStringLiteral("application/x-orlan-opcode");

const QColor kSpBack(128, 0, 0), kSpText(0, 128, 128);       // maroon on teal
const QColor kStackBack(128, 128, 0), kStackText(0, 0, 128);  // olive, navy
const QColor kHaltBack(255, 0, 0), kHaltText(255, 255, 255);

QString hex(unsigned value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

MemoryModel::MemoryModel(const Machine& m, QObject* parent)
    : QAbstractTableModel(parent), m_(m), shownSp_(m.s.sp), shownHaltRow_(haltRow()) {}

int MemoryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRows; }

int MemoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

int MemoryModel::haltRow() const {
    if (!m_.lamp(Lamp::HLDA)) return -1;
    const uint16_t row = static_cast<uint16_t>(m_.s.pc - 1);
    return m_.s.memory[row] == 0x76 ? row : -1;
}

QVariant MemoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= kRows) return {};
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case AddressColumn: return hex(static_cast<unsigned>(row), 4);
                case ValueColumn: return hex(m_.s.memory[row], 2);
                case MnemonicColumn: {
                    if (showOperands_ && codeMap_) {
                        const std::string operand = codeMap_->operandText(m_.s.memory, static_cast<uint16_t>(row));
                        if (!operand.empty()) return QString::fromStdString(operand);
                    }
                    const auto text = mnemonic(m_.s.memory[row]);
                    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
                }
                default: return {};
            }
        case Qt::ToolTipRole:
        case LabelRole: {
            if (!codeMap_) return role == LabelRole ? QVariant(QString()) : QVariant();
            const QString label = QString::fromStdString(codeMap_->label(static_cast<uint16_t>(row)));
            if (role == LabelRole) return label;
            return label.isEmpty() ? QVariant() : QVariant(label + QLatin1Char(':'));
        }
        case BreakpointRole: return breakpoints_ && breakpoints_->contains(static_cast<uint16_t>(row));
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            const bool back = role == Qt::BackgroundRole;
            // The halt mark is painted over the stack colours.
            if (row == haltRow()) return QBrush(back ? kHaltBack : kHaltText);
            if (row == m_.s.sp) return QBrush(back ? kSpBack : kSpText);
            if (row > m_.s.sp) return QBrush(back ? kStackBack : kStackText);
            return {};
        }
        default: return {};
    }
}

QVariant MemoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case AddressColumn: return tr("Адрес");
        case ValueColumn: return tr("Значение");
        case MnemonicColumn: return tr("Команда");
        default: return {};
    }
}

Qt::ItemFlags MemoryModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDropEnabled;
}

QStringList MemoryModel::mimeTypes() const { return {kMimeOpcode}; }

Qt::DropActions MemoryModel::supportedDropActions() const { return Qt::CopyAction; }

void MemoryModel::emitRows(int first, int last, int firstColumn) {
    emit dataChanged(index(first, firstColumn), index(last, MnemonicColumn));
}

void MemoryModel::catchUp(const ChangeMarks& c) {
    // Value and mnemonic of the written cells; the address column never changes.
    if (c.memoryChanged()) emitRows(static_cast<int>(c.memLo), static_cast<int>(c.memHi), ValueColumn);

    // Every row between the old and the new SP changes colour (SP row <-> stack <-> plain).
    // SP and the halt row are compared with what was last shown rather than trusting the marks,
    // so a lamp switched without a mark still repaints.
    const uint16_t sp = m_.s.sp;
    if (sp != shownSp_) {
        emitRows(std::min(sp, shownSp_), std::max(sp, shownSp_));
        shownSp_ = sp;
    }
    const int halt = haltRow();
    if (halt != shownHaltRow_) {
        if (shownHaltRow_ >= 0) emitRows(shownHaltRow_, shownHaltRow_);
        if (halt >= 0) emitRows(halt, halt);
        shownHaltRow_ = halt;
    }
}

void MemoryModel::setCodeMap(const CodeMap* map) {
    codeMap_ = map;
    emitRows(0, kRows - 1, MnemonicColumn);
}

void MemoryModel::setShowOperands(bool on) {
    if (on == showOperands_) return;
    showOperands_ = on;
    emitRows(0, kRows - 1, MnemonicColumn);
}

void MemoryModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, AddressColumn, MnemonicColumn);
    // Operand rows read "adr (мл.)" and the like in the window's language.
    if (showOperands_) emitRows(0, kRows - 1, MnemonicColumn);
}

void MemoryModel::resetAll() {
    beginResetModel();
    shownSp_ = m_.s.sp;
    shownHaltRow_ = haltRow();
    endResetModel();
}

}  // namespace orlan
