#include "HexDump.h"

#include <algorithm>

namespace orlan {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

QChar* writeHex(QChar* out, unsigned long long value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        *out++ = QLatin1Char(kDigits[(value >> shift) & 0xF]);
    return out;
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

qsizetype HexDump::lineLength(qsizetype line) const {
    const qsizetype first = line * kBytesPerLine;
    return offsetDigits(first) + 1 + 3 * (std::min(first + kBytesPerLine, count_) - first);
}

QChar* HexDump::writeLine(QChar* out, qsizetype line) const {
    const qsizetype first = line * kBytesPerLine;
    const qsizetype end = std::min(first + kBytesPerLine, count_);
    out = writeHex(out, static_cast<unsigned long long>(first), offsetDigits(first));
    *out++ = QLatin1Char(' ');
    // A line never straddles two blocks.
    const unsigned char* bytes = &chunks_[first / kChunkSize][first % kChunkSize];
    for (qsizetype i = first; i < end; ++i, ++bytes) {
        out[0] = QLatin1Char(' ');
        out[1] = QLatin1Char(kDigits[*bytes >> 4]);
        out[2] = QLatin1Char(kDigits[*bytes & 0xF]);
        out += 3;
    }
    return out;
}

QString HexDump::lineText(qsizetype line) const {
    return linesText(line, line + 1);
}

QString HexDump::linesText(qsizetype first, qsizetype last) const {
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, lineCount());
    if (first >= last) return {};
    // Sized once and written in place: copying a whole large dump stays quick.
    qsizetype size = last - first - 1;  // the line breaks
    for (qsizetype line = first; line < last; ++line) size += lineLength(line);
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype line = first; line < last; ++line) {
        if (line > first) *out++ = QLatin1Char('\n');
        out = writeLine(out, line);
    }
    return text;
}

int HexDump::widestLine() const {
    if (count_ == 0) return 0;
    const qsizetype lastLine = lineCount() - 1;
    const int fullLine = offsetDigits(lastLine * kBytesPerLine) + 1 + 3 * kBytesPerLine;
    // A single line may not be full yet.
    return lastLine == 0 ? static_cast<int>(lineLength(0)) : fullLine;
}

}  // namespace orlan
