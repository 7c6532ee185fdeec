#include "AsmHighlighter.h"

#include <QColor>

namespace orlan {

namespace {

const QSet<QString>& mnemonics() {
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const char* m :
             {"MOV", "MVI", "LXI", "LDA", "STA", "LHLD", "SHLD", "LDAX", "STAX", "XCHG", "ADD", "ADI", "ADC",
              "ACI", "SUB", "SUI", "SBB", "SBI", "INR", "DCR", "INX", "DCX", "DAD", "DAA", "ANA", "ANI", "XRA",
              "XRI", "ORA", "ORI", "CMP", "CPI", "RLC", "RRC", "RAL", "RAR", "CMA", "CMC", "STC", "JMP", "JNZ",
              "JZ", "JNC", "JC", "JPO", "JPE", "JP", "JM", "CALL", "CNZ", "CZ", "CNC", "CC", "CPO", "CPE",
              "CP", "CM", "RET", "RNZ", "RZ", "RNC", "RC", "RPO", "RPE", "RP", "RM", "RST", "PCHL", "PUSH",
              "POP", "XTHL", "SPHL", "IN", "OUT", "EI", "DI", "HLT", "NOP"})
            s.insert(QLatin1String(m));
        return s;
    }();
    return set;
}

const QSet<QString>& directives() {
    static const QSet<QString> set = [] {
        QSet<QString> s;
        for (const char* d :
             {"ORG", "EQU", "SET", "DEFL", "DB", "DEFB", "DW", "DEFW", "DS", "DEFS", "END", "IF", "ELSE",
              "ENDIF", "MACRO", "ENDM", "LOCAL", "REPT", "IRP", "IRPC", "EXITM", "ERROR", ".ERROR", "TITLE",
              "PAGE", "EJECT", "NAME", ".8080", "ASEG", ".LIST", ".XLIST", "HIGH", "LOW", "MOD", "SHL", "SHR",
              "AND", "OR", "XOR", "NOT", "EQ", "NE", "LT", "LE", "GT", "GE"})
            s.insert(QLatin1String(d));
        return s;
    }();
    return set;
}

bool isRegister(const QString& word) {
    static const QSet<QString> set{QStringLiteral("A"), QStringLiteral("B"),  QStringLiteral("C"),
                                   QStringLiteral("D"), QStringLiteral("E"),  QStringLiteral("H"),
                                   QStringLiteral("L"), QStringLiteral("M"),  QStringLiteral("SP"),
                                   QStringLiteral("PSW")};
    return set.contains(word);
}

bool wordChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '?' || c == '@' || c == '.' || c == '$'; }

QTextCharFormat colour(const QColor& c, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(c);
    if (bold) f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    return f;
}

}  // namespace

AsmHighlighter::AsmHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    formats_[static_cast<int>(Kind::Mnemonic)] = colour(QColor(0, 0, 160), true);
    formats_[static_cast<int>(Kind::Directive)] = colour(QColor(128, 0, 128), true);
    formats_[static_cast<int>(Kind::Register)] = colour(QColor(0, 110, 110));
    formats_[static_cast<int>(Kind::Number)] = colour(QColor(170, 85, 0));
    formats_[static_cast<int>(Kind::String)] = colour(QColor(0, 128, 0));
    formats_[static_cast<int>(Kind::Comment)] = colour(QColor(128, 128, 128), false, true);
    formats_[static_cast<int>(Kind::Label)] = colour(QColor(160, 0, 0), true);
}

void AsmHighlighter::highlightBlock(const QString& text) {
    // A '*' in the first column makes the whole line a comment.
    if (text.startsWith('*')) {
        mark(0, static_cast<int>(text.size()), Kind::Comment);
        return;
    }
    const int n = static_cast<int>(text.size());
    bool firstWord = true;
    int i = 0;
    while (i < n) {
        const QChar c = text[i];
        if (c == ';') {
            mark(i, n - i, Kind::Comment);
            return;
        }
        if (c == '\'' || c == '"') {
            int j = i + 1;
            while (j < n) {
                if (text[j] == c) {
                    if (j + 1 < n && text[j + 1] == c) {  // a doubled quote stands for itself
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const int end = std::min(j + 1, n);
            mark(i, end - i, Kind::String);
            i = end;
            firstWord = false;
            continue;
        }
        if (!wordChar(c)) {
            ++i;
            continue;
        }
        const bool atLineStart = i == 0;
        int j = i;
        while (j < n && wordChar(text[j])) ++j;
        const QString word = text.mid(i, j - i).toUpper();
        const bool colon = j < n && text[j] == ':';
        if (c.isDigit()) {
            mark(i, j - i, Kind::Number);
        } else if (mnemonics().contains(word)) {
            mark(i, j - i, Kind::Mnemonic);
        } else if (directives().contains(word)) {
            mark(i, j - i, Kind::Directive);
        } else if (firstWord && (colon || atLineStart)) {
            // A name in the first column is a label with or without its colon.
            mark(i, j - i + (colon ? 1 : 0), Kind::Label);
        } else if (isRegister(word)) {
            mark(i, j - i, Kind::Register);
        }
        firstWord = false;
        i = j + (colon ? 1 : 0);
    }
}

}  // namespace orlan
