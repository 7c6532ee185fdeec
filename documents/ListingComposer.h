// The listing of the machine state: a heading with the program's name, a memory range (address,
// value, mnemonic, the PC row marked) and a chosen set of registers. Composed as lines with tabs
// between the columns, then laid out as a document for printing. No widgets: the print dialog
// and the export share it.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QTextDocument;

namespace orlan {

struct MachineState;

struct ListingRequest {
    QString programName;
    bool memory = true;
    uint16_t from = 0x0000, to = 0xFFFF;
    // The range as the user typed it; the memory heading repeats these texts.
    QString fromText = QStringLiteral("0000"), toText = QStringLiteral("FFFF");
    bool registers = false;
    bool a = false, bc = false, de = false, hl = false, pc = false, sp = false;
};

struct ListingLine {
    QString text;
    bool bold = false;
    bool centred = false;
    bool operator==(const ListingLine&) const = default;
};

class ListingComposer {
  public:
    static const QString kVersionLine;
    static const QString kFontFamily;  // substituted by the system where it is missing
    static constexpr int kPointSize = 8;

    // Expects from <= to when the memory part is chosen.
    static std::vector<ListingLine> compose(const MachineState& s, const ListingRequest& request);

    // Replaces the contents of doc by the lines: the listing font, bold and centred lines as
    // composed. Neighbouring lines of one look may share a paragraph, split by line separators.
    static void fill(QTextDocument& doc, const std::vector<ListingLine>& lines);

    static QString plainText(const std::vector<ListingLine>& lines);
};

}  // namespace orlan
