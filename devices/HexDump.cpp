#include "HexDump.h"

#include <algorithm>

namespace orlan {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void appendHex(QString& text, unsigned long long value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += QChar(kDigits[(value >> shift) & 0xF]);
}

// Four digits up to FFFF, then as many as the offset needs.
int offsetDigits(qsizetype offset) {
    int digits = 4;
    while (digits < 16 && (static_cast<unsigned long long>(offset) >> (4 * digits)) != 0) ++digits;
    return digits;
}

}  // namespace

void HexDump::append(unsigned char byte) {
    if (count_ % kChunkSize == 0) chunks_.push_back(std::make_unique<unsigned char[]>(kChunkSize));
    chunks_.back()[count_ % kChunkSize] = byte;
    ++count_;
}

void HexDump::clear() {
    chunks_.clear();
    count_ = 0;
}

QString HexDump::lineText(qsizetype line) const {
    QString text;
    if (line < 0 || line >= lineCount()) return text;
    const qsizetype first = line * kBytesPerLine;
    const qsizetype end = std::min(first + kBytesPerLine, count_);
    const int digits = offsetDigits(first);
    text.reserve(digits + 1 + 3 * kBytesPerLine);
    appendHex(text, static_cast<unsigned long long>(first), digits);
    text += QLatin1Char(' ');
    for (qsizetype i = first; i < end; ++i) {
        text += QLatin1Char(' ');
        appendHex(text, at(i), 2);
    }
    return text;
}

QString HexDump::linesText(qsizetype first, qsizetype last) const {
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, lineCount());
    QString text;
    if (first >= last) return text;
    text.reserve((last - first) * (widestLine() + 1));
    for (qsizetype line = first; line < last; ++line) {
        if (line > first) text += QLatin1Char('\n');
        text += lineText(line);
    }
    return text;
}

int HexDump::widestLine() const {
    if (count_ == 0) return 0;
    const qsizetype lastLine = lineCount() - 1;
    const int fullLine = offsetDigits(lastLine * kBytesPerLine) + 1 + 3 * kBytesPerLine;
    // A single line may not be full yet.
    return lastLine == 0 ? static_cast<int>(lineText(0).size()) : fullLine;
}

}  // namespace orlan
