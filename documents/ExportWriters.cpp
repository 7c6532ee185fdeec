#include "ExportWriters.h"

#include <xlsxwriter.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <array>
#include <map>

#include "ExportFiles.h"
#include "Codepage.h"
#include "Machine.h"
#include "Mnemonics.h"
#include "Notation.h"

namespace orlan {

const QString ExportFonts::kHeadingFamily = QStringLiteral("Times New Roman");
const QString ExportFonts::kDataFamily = QStringLiteral("Courier New");

namespace {

QString hex2(uint8_t v) {
    return QString::fromStdString(formatByte(v));
}
QString hex4(uint16_t v) {
    return QString::fromStdString(formatWord(v));
}

// A full page is 65536 lines: the 256 texts of a byte are made once.
struct ByteTexts {
    std::array<QString, 256> value, mnemonic;
    std::array<std::string, 256> valueBytes, mnemonicBytes;  // NUL-terminated, for the workbook
    ByteTexts() {
        for (int v = 0; v < 256; ++v) {
            valueBytes[v] = formatByte(static_cast<uint8_t>(v));
            mnemonicBytes[v] = std::string(orlan::mnemonic(static_cast<uint8_t>(v)));
            value[v] = QString::fromLatin1(valueBytes[v]);
            mnemonic[v] = QString::fromLatin1(mnemonicBytes[v]);
        }
    }
};

const ByteTexts& byteTexts() {
    static const ByteTexts texts;
    return texts;
}

bool fail(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

// The memory part of a page: a tab, then the chosen columns with a tab between each two.
QString pageLines(const MachineState& s, const ExportPage& page, const QString& eol) {
    const ByteTexts& texts = byteTexts();
    QString out;
    out.reserve((page.to - page.from + 1) * (20 + eol.size()));
    for (uint32_t addr = page.from; addr <= page.to; ++addr) {
        const uint8_t v = s.memory[addr];
        out += QLatin1Char('\t');
        if (page.address) out += hex4(static_cast<uint16_t>(addr));
        if (page.value || page.mnemonic) {
            if (page.address) out += QLatin1Char('\t');
            if (page.value) out += texts.value[v];
            if (page.value && page.mnemonic) out += QLatin1Char('\t');
            if (page.mnemonic) out += texts.mnemonic[v];
        }
        out += eol;
    }
    return out;
}

// Registers in pairs, one pair a line; an unticked second register of a pair still ends the line.
QString registerLines(const MachineState& s, ExportRegisters regs, const QString& eol) {
    using R = ExportRegister;
    QString out;
    const auto first = [&](R r, const char* label, uint8_t value) {
        if (regs.has(r))
            out += QLatin1String(label) + QStringLiteral(" = ") + hex2(value) +
                   QStringLiteral("h\t\t");
    };
    const auto second = [&](R r, const char* label, uint8_t value) {
        if (regs.has(r))
            out += QLatin1String(label) + QStringLiteral(" = ") + hex2(value) + QLatin1Char('h');
        out += eol;
    };
    if (regs.has(R::A)) out += QStringLiteral("A = ") + hex2(s.reg[A]) + QLatin1Char('h') + eol;
    first(R::B, "B", s.reg[B]);
    second(R::C, "C", s.reg[C]);
    first(R::D, "D", s.reg[D]);
    second(R::E, "E", s.reg[E]);
    first(R::H, "H", s.reg[H]);
    second(R::L, "L", s.reg[L]);
    first(R::W, "W", s.w);
    second(R::Z, "Z", s.z);
    if (regs.has(R::PC)) out += QStringLiteral("PC = ") + hex4(s.pc) + QLatin1Char('h') + eol;
    if (regs.has(R::SP)) out += QStringLiteral("SP = ") + hex4(s.sp) + QLatin1Char('h') + eol;
    return out;
}

}  // namespace

QString exportPageHeading(const ExportPage& page) {
    return page.name + QStringLiteral(" [") + hex4(page.from) + QStringLiteral("h - ") +
           hex4(page.to) + QStringLiteral("h]");
}

std::vector<ExportBlock> composeExportBlocks(const MachineState& s, const ExportContent& content,
                                             const QString& eol) {
    using K = ExportBlock::Kind;
    const QString twoBreaks = eol + eol;
    std::vector<ExportBlock> blocks;
    for (const ExportPage& page : content.pages) {
        blocks.push_back({K::Heading, exportPageHeading(page) + twoBreaks});
        blocks.push_back({K::Data, pageLines(s, page, eol) + twoBreaks + eol});
    }
    if (content.registers.any()) {
        blocks.push_back({K::Heading, QStringLiteral("Содержимое регистров:") + twoBreaks});
        blocks.push_back({K::Data, registerLines(s, content.registers, eol)});
    }
    return blocks;
}

QByteArray exportTextBytes(const MachineState& s, const ExportContent& content) {
    QString text;
    for (const ExportBlock& b : composeExportBlocks(s, content, QStringLiteral("\r\n")))
        text += b.text;
    return toCp1251(text);
}

void fillExportDocument(QTextDocument& doc, const std::vector<ExportBlock>& blocks) {
    const auto format = [](const QString& family, int points, int weight) {
        QTextCharFormat f;
        f.setFontFamilies({family});
        // Qt's ODF writer before 6.5 reads the family from this older property only.
        f.setProperty(QTextFormat::FontFamily, family);
        f.setFontPointSize(points);
        f.setFontWeight(weight);
        return f;
    };
    const QTextCharFormat heading =
        format(ExportFonts::kHeadingFamily, ExportFonts::kHeadingPointSize, QFont::Bold);
    const QTextCharFormat data =
        format(ExportFonts::kDataFamily, ExportFonts::kDataPointSize, QFont::Normal);

    doc.clear();
    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    if (!blocks.empty())
        cursor.setBlockCharFormat(blocks.front().kind == ExportBlock::Kind::Heading ? heading
                                                                                    : data);
    // A line break in the text becomes a new paragraph carrying the block's font.
    for (const ExportBlock& b : blocks)
        cursor.insertText(b.text, b.kind == ExportBlock::Kind::Heading ? heading : data);
    cursor.endEditBlock();
}

bool writeExportDocument(const QString& path, const MachineState& s, const ExportContent& content,
                         QString* error) {
    QTextDocument doc;
    fillExportDocument(doc, composeExportBlocks(s, content));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&doc)) return fail(error, QStringLiteral("the ODF writer failed"));
    return writeExportFile(path, buffer.data(), error);
}

bool writeExportText(const QString& path, const MachineState& s, const ExportContent& content,
                     QString* error) {
    return writeExportFile(path, exportTextBytes(s, content), error);
}

// ---------------------------------------------------------------------------------------------
// The workbook

namespace {

enum class Column : uint8_t { Address, Value, Mnemonic, Comments };

std::vector<Column> columnsOf(const ExportPage& page) {
    std::vector<Column> columns;
    if (page.address) columns.push_back(Column::Address);
    if (page.value) columns.push_back(Column::Value);
    if (page.mnemonic) columns.push_back(Column::Mnemonic);
    if (page.comments) columns.push_back(Column::Comments);
    return columns;
}

const char* headingOf(Column c) {
    switch (c) {
        case Column::Address:
            return "№ Ячейки";
        case Column::Value:
            return "Значение";
        case Column::Mnemonic:
            return "Команда";
        case Column::Comments:
            break;
    }
    return "Коментарий";
}

// The table's frame is the heavier line (the closest to the weight between thin and thick), the
// lines inside it thin.
constexpr uint8_t kFrame = LXW_BORDER_MEDIUM;
constexpr uint8_t kRule = LXW_BORDER_THIN;
constexpr uint8_t kText = 49;  // the built-in text format "@", as the spreadsheet writes it

// Formats by the column, whether it is the first one, and the row kind. The workbook keeps them.
class Formats {
  public:
    explicit Formats(lxw_workbook* wb) : wb_(wb) {}

    lxw_format* heading(Column c) {
        lxw_format*& f = headings_[static_cast<int>(c)];
        if (f) return f;
        f = workbook_add_format(wb_);
        format_set_align(f, LXW_ALIGN_CENTER);
        format_set_top(f, kFrame);
        format_set_bottom(f, kFrame);
        format_set_left(f, c == Column::Address ? kFrame : kRule);
        if (c == Column::Mnemonic || c == Column::Comments) format_set_right(f, kFrame);
        return f;
    }

    lxw_format* data(Column c, bool first, bool last) {
        lxw_format*& f = data_[{static_cast<int>(c), first, last}];
        if (f) return f;
        f = workbook_add_format(wb_);
        if (c != Column::Comments) format_set_num_format_index(f, kText);
        if (c == Column::Address) format_set_align(f, LXW_ALIGN_RIGHT);
        if (c == Column::Value) format_set_align(f, LXW_ALIGN_CENTER);
        format_set_top(f, kRule);
        if (first)
            format_set_left(f, kFrame);
        else if (c != Column::Address)
            format_set_left(f, kRule);
        if (c == Column::Mnemonic || c == Column::Comments) format_set_right(f, kFrame);
        if (last) format_set_bottom(f, kFrame);
        return f;
    }

    lxw_format* text() {
        if (!text_) {
            text_ = workbook_add_format(wb_);
            format_set_num_format_index(text_, kText);
        }
        return text_;
    }

    lxw_format* label() {
        if (!label_) {
            label_ = workbook_add_format(wb_);
            format_set_num_format_index(label_, kText);
            format_set_align(label_, LXW_ALIGN_RIGHT);
        }
        return label_;
    }

  private:
    lxw_workbook* wb_;
    std::array<lxw_format*, 4> headings_{};
    std::map<std::tuple<int, bool, bool>, lxw_format*> data_;
    lxw_format* text_ = nullptr;
    lxw_format* label_ = nullptr;
};

// Rows are written top to bottom: the workbook streams each row out as the next one begins.
lxw_error writePageSheet(lxw_worksheet* ws, Formats& formats, const MachineState& s,
                         const ExportPage& page) {
    const ByteTexts& texts = byteTexts();
    const std::vector<Column> columns = columnsOf(page);
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto col = static_cast<lxw_col_t>(i);
        // Wide enough for the longest mnemonic; the comments column as wide as the user needs.
        if (columns[i] == Column::Mnemonic) worksheet_set_column(ws, col, col, 12, nullptr);
        if (columns[i] == Column::Comments) worksheet_set_column(ws, col, col, 100, nullptr);
        if (lxw_error e = worksheet_write_string(ws, 0, col, headingOf(columns[i]),
                                                 formats.heading(columns[i])))
            return e;
    }
    // Addresses and values are texts on purpose: no "number stored as text" marks on them.
    worksheet_ignore_errors(ws, LXW_IGNORE_NUMBER_STORED_AS_TEXT, "A2:D65537");

    std::vector<lxw_format*> body, bottom;  // the last row closes the frame
    for (size_t i = 0; i < columns.size(); ++i) {
        body.push_back(formats.data(columns[i], i == 0, false));
        bottom.push_back(formats.data(columns[i], i == 0, true));
    }
    lxw_row_t row = 1;
    for (uint32_t addr = page.from; addr <= page.to; ++addr, ++row) {
        const uint8_t v = s.memory[addr];
        const std::vector<lxw_format*>& rowFormats = addr == page.to ? bottom : body;
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto col = static_cast<lxw_col_t>(i);
            lxw_format* f = rowFormats[i];
            lxw_error e = LXW_NO_ERROR;
            switch (columns[i]) {
                case Column::Address:
                    e = worksheet_write_string(ws, row, col,
                                               formatWord(static_cast<uint16_t>(addr)).c_str(), f);
                    break;
                case Column::Value:
                    e = worksheet_write_string(ws, row, col, texts.valueBytes[v].c_str(), f);
                    break;
                case Column::Mnemonic:
                    e = worksheet_write_string(ws, row, col, texts.mnemonicBytes[v].c_str(), f);
                    break;
                case Column::Comments:
                    e = worksheet_write_blank(ws, row, col, f);
                    break;
            }
            if (e) return e;
        }
    }
    return LXW_NO_ERROR;
}

// A1:D8 as text; each ticked register's label right-aligned, its value in the next cell.
lxw_error writeRegisterSheet(lxw_worksheet* ws, Formats& formats, const MachineState& s,
                             ExportRegisters regs) {
    using R = ExportRegister;
    struct Place {
        R reg;
        int row, col;  // of the label; the value is one column to the right
        const char* label;
    };
    static constexpr Place kPlaces[] = {
        {R::A, 0, 1, "A="}, {R::B, 1, 0, "B="},   {R::C, 1, 2, "C="},   {R::D, 2, 0, "D="},
        {R::E, 2, 2, "E="}, {R::H, 3, 0, "H="},   {R::L, 3, 2, "L="},   {R::W, 4, 0, "W="},
        {R::Z, 4, 2, "Z="}, {R::PC, 5, 1, "PC="}, {R::SP, 6, 1, "SP="},
    };
    const auto valueOf = [&s](R r) -> std::string {
        switch (r) {
            case R::A:
                return formatByte(s.reg[A]);
            case R::B:
                return formatByte(s.reg[B]);
            case R::C:
                return formatByte(s.reg[C]);
            case R::D:
                return formatByte(s.reg[D]);
            case R::E:
                return formatByte(s.reg[E]);
            case R::H:
                return formatByte(s.reg[H]);
            case R::L:
                return formatByte(s.reg[L]);
            case R::W:
                return formatByte(s.w);
            case R::Z:
                return formatByte(s.z);
            case R::PC:
                return formatWord(s.pc);
            case R::SP:
                break;
        }
        return formatWord(s.sp);
    };
    struct Cell {
        std::string text;
        lxw_format* format;
    };
    std::array<std::array<Cell, 4>, 8> grid;
    for (auto& row : grid)
        for (Cell& c : row) c = {{}, formats.text()};
    for (const Place& p : kPlaces) {
        if (!regs.has(p.reg)) continue;
        grid[p.row][p.col] = {p.label, formats.label()};
        grid[p.row][p.col + 1] = {valueOf(p.reg), formats.text()};
    }
    for (lxw_row_t r = 0; r < grid.size(); ++r)
        for (lxw_col_t c = 0; c < grid[r].size(); ++c) {
            const Cell& cell = grid[r][c];
            const lxw_error e = cell.text.empty() ? worksheet_write_blank(ws, r, c, cell.format)
                                                  : worksheet_write_string(
                                                        ws, r, c, cell.text.c_str(), cell.format);
            if (e) return e;
        }
    worksheet_ignore_errors(ws, LXW_IGNORE_NUMBER_STORED_AS_TEXT, "A1:D8");
    return LXW_NO_ERROR;
}

QString lxwError(lxw_error e) {
    return QString::fromUtf8(lxw_strerror(e));
}

}  // namespace

bool writeExportSpreadsheet(const QString& path, const QString& scratchFolder,
                            const MachineState& s, const ExportContent& content, QString* error) {
    // The workbook writes to a file name of its own: a fresh private file in our folder.
    QTemporaryFile scratch(scratchFolder + QStringLiteral("/ORLAN_Export-XXXXXX.xlsx"));
    if (!scratch.open()) return fail(error, scratch.errorString());
    scratch.close();
    const QByteArray scratchName = QFile::encodeName(scratch.fileName());
    QByteArray tmpdir = QFile::encodeName(scratchFolder);

    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go out as they are written: 65536 rows stay small
    options.tmpdir = tmpdir.data();
    lxw_workbook* wb = workbook_new_opt(scratchName.constData(), &options);
    if (!wb) return fail(error, QStringLiteral("cannot start a workbook in ") + scratchFolder);

    Formats formats(wb);
    lxw_error e = LXW_NO_ERROR;
    for (const ExportPage& page : content.pages) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, page.name.toUtf8().constData());
        if (!ws) {
            e = LXW_ERROR_SHEETNAME_ALREADY_USED;  // checkExport lets no other name through
            break;
        }
        if ((e = writePageSheet(ws, formats, s, page))) break;
    }
    if (!e && content.registers.any()) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, kRegistersSheetName.toUtf8().constData());
        e = ws ? writeRegisterSheet(ws, formats, s, content.registers)
               : LXW_ERROR_SHEETNAME_ALREADY_USED;
    }
    const lxw_error closed = workbook_close(wb);  // frees the workbook whatever happened
    if (e) return fail(error, lxwError(e));
    if (closed) return fail(error, lxwError(closed));

    QFile built(scratch.fileName());
    if (!built.open(QIODevice::ReadOnly)) return fail(error, built.errorString());
    const QByteArray bytes = built.readAll();
    built.close();
    return writeExportFile(path, bytes, error);
}

}  // namespace orlan
