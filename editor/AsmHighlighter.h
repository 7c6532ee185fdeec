// Colours of an assembly source: mnemonics, directives, registers, numbers, strings, comments and
// labels, as the line is lexed (no state carried between lines: every construct ends on its line).
#pragma once

#include <QSet>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace orlan {

class AsmHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    enum class Kind { Mnemonic, Directive, Register, Number, String, Comment, Label };

    explicit AsmHighlighter(QTextDocument* document);

    const QTextCharFormat& format(Kind kind) const { return formats_[static_cast<int>(kind)]; }

protected:
    void highlightBlock(const QString& text) override;

private:
    void mark(int start, int length, Kind kind) { setFormat(start, length, format(kind)); }

    QTextCharFormat formats_[7];
};

}  // namespace orlan
