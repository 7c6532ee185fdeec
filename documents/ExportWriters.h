// The three writers of the export: a workbook (.xlsx), an ODF text document (.odt) and the text
// file (Windows-1251, CR LF). Each takes the pages of one target, already checked with
// checkExport, and the machine state to read; memory and registers read as the memory view and
// the register labels show them.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "ExportPages.h"

class QTextDocument;

namespace orlan {

struct MachineState;

// The word-processor document as blocks: heading blocks in one font, data and register blocks in
// the other. Line breaks are '\n'.
struct ExportBlock {
    enum class Kind : uint8_t { Heading, Data } kind;
    QString text;
    bool operator==(const ExportBlock&) const = default;
};

struct ExportFonts {
    static const QString kHeadingFamily;  // "Times New Roman", 10 pt bold
    static const QString kDataFamily;     // "Courier New", 8 pt regular
    static constexpr int kHeadingPointSize = 10;
    static constexpr int kDataPointSize = 8;
};

// name + " [" + from + "h - " + to + "h]"
QString exportPageHeading(const ExportPage& page);

// The blocks in document order; lines ended by `eol`.
std::vector<ExportBlock> composeExportBlocks(const MachineState& s, const ExportContent& content,
                                             const QString& eol = QStringLiteral("\n"));

// The text file's bytes: the blocks joined, CR LF line ends, Windows-1251.
QByteArray exportTextBytes(const MachineState& s, const ExportContent& content);

// Fills doc with the blocks, each in its font; every line break starts a new paragraph.
void fillExportDocument(QTextDocument& doc, const std::vector<ExportBlock>& blocks);

// The files. Written through writeExportFile; false with *error saying why on failure.
// The workbook is first built in a private scratch file inside scratchFolder.
bool writeExportSpreadsheet(const QString& path, const QString& scratchFolder,
                            const MachineState& s, const ExportContent& content,
                            QString* error = nullptr);
bool writeExportDocument(const QString& path, const MachineState& s, const ExportContent& content,
                         QString* error = nullptr);
bool writeExportText(const QString& path, const MachineState& s, const ExportContent& content,
                     QString* error = nullptr);

}  // namespace orlan
