#include "ListingComposer.h"

#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "Machine.h"
#include "Mnemonics.h"
#include "Notation.h"

namespace orlan {

const QString ListingComposer::kVersionLine =
    QStringLiteral("Эмулятор МП-системы на базе МП ОРЛАН-М  -  Версия 1.0.1.1613");
const QString ListingComposer::kFontFamily = QStringLiteral("PromtImperial");

namespace {

QString hex2(uint8_t v) { return QString::fromStdString(formatByte(v)); }
QString hex4(uint16_t v) { return QString::fromStdString(formatWord(v)); }

// Lines are added as a rich-text control takes them: with whatever bold and alignment are
// current at the moment.
struct Writer {
    std::vector<ListingLine> lines;
    bool bold = false;
    bool centred = true;
    void add(const QString& text = {}) { lines.push_back({text, bold, centred}); }
};

}  // namespace

std::vector<ListingLine> ListingComposer::compose(const MachineState& s, const ListingRequest& r) {
    Writer w;
    w.bold = true;
    w.add(kVersionLine);
    w.add();
    w.add();
    w.add(r.programName);
    w.bold = false;
    w.add();
    w.add();
    w.centred = false;

    if (r.memory) {
        w.bold = true;
        w.add(QStringLiteral("Содержимое ячеек ОЗУ (с ") + r.fromText + QStringLiteral("h по ") + r.toText +
              QStringLiteral("h):"));
        w.add();
        w.add(QStringLiteral("\t№ Яч.\tЗнач.\tКоманда"));
        w.bold = false;
        if (r.from <= r.to) w.lines.reserve(w.lines.size() + (r.to - r.from + 1u) + 2);
        for (uint32_t addr = r.from; addr <= r.to; ++addr) {
            const uint8_t v = s.memory[addr];
            const QString lead = addr == s.pc ? QStringLiteral("      ->\t") : QStringLiteral("\t");
            w.add(lead + hex4(static_cast<uint16_t>(addr)) + QLatin1Char('\t') + hex2(v) + QLatin1Char('\t') +
                  QString::fromLatin1(mnemonic(v).data(), static_cast<qsizetype>(mnemonic(v).size())));
        }
        w.add();
        w.add();
    }

    if (r.registers) {
        w.bold = true;
        w.add(QStringLiteral("Содержимое регистров:"));
        w.add();
        w.bold = false;
        const auto& g = s.reg;
        if (r.a) w.add(QStringLiteral("\tA: ") + hex2(g[A]) + QStringLiteral("h"));
        if (r.bc) w.add(QStringLiteral("\tB: ") + hex2(g[B]) + QStringLiteral("h\tC: ") + hex2(g[C]) + QStringLiteral("h"));
        if (r.de) w.add(QStringLiteral("\tD: ") + hex2(g[D]) + QStringLiteral("h\tE: ") + hex2(g[E]) + QStringLiteral("h"));
        if (r.hl) w.add(QStringLiteral("\tH: ") + hex2(g[H]) + QStringLiteral("h\tL: ") + hex2(g[L]) + QStringLiteral("h"));
        if (r.pc) w.add(QStringLiteral("\tСчётчик команд PC: ") + hex4(s.pc) + QStringLiteral("h"));
        if (r.sp) w.add(QStringLiteral("\tУказатель стека SP: ") + hex4(s.sp) + QStringLiteral("h"));
    }
    return std::move(w.lines);
}

void ListingComposer::fill(QTextDocument& doc, const std::vector<ListingLine>& lines) {
    doc.setUndoRedoEnabled(false);  // never edited: no history of tens of thousands of inserts
    // Without a layout until it is printed: one left by an earlier print would lay the lines out
    // again while they are inserted, costing as much as the print's own layout.
    doc.setDocumentLayout(nullptr);
    doc.clear();
    QFont font;
    font.setFamilies({kFontFamily, QStringLiteral("DejaVu Sans")});
    font.setPointSize(kPointSize);
    doc.setDefaultFont(font);

    QTextCursor cursor(&doc);
    cursor.beginEditBlock();
    QTextCharFormat normal, bold;
    bold.setFontWeight(QFont::Bold);
    QTextBlockFormat centred, left;
    centred.setAlignment(Qt::AlignHCenter);
    left.setAlignment(Qt::AlignLeft);
    // Neighbouring lines of one look share a paragraph, split by line separators: the full range
    // is then about two thousand paragraphs instead of 65 000, which the document stores and lays
    // out much faster. Short paragraphs still, so painting one page never walks a long one.
    constexpr size_t kLinesPerParagraph = 32;
    QString text;
    for (size_t i = 0; i < lines.size();) {
        const ListingLine& head = lines[i];
        text = head.text;
        size_t n = 1;
        for (; i + n < lines.size() && n < kLinesPerParagraph; ++n) {
            const ListingLine& next = lines[i + n];
            if (next.bold != head.bold || next.centred != head.centred) break;
            text += QChar::LineSeparator;
            text += next.text;
        }
        const QTextBlockFormat& block = head.centred ? centred : left;
        const QTextCharFormat& chars = head.bold ? bold : normal;
        if (i == 0)
            cursor.setBlockFormat(block), cursor.setBlockCharFormat(chars);
        else
            cursor.insertBlock(block, chars);
        cursor.insertText(text, chars);
        i += n;
    }
    cursor.endEditBlock();
}

QString ListingComposer::plainText(const std::vector<ListingLine>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const ListingLine& l : lines) texts << l.text;
    return texts.join(QLatin1Char('\n'));
}

}  // namespace orlan
