#include "HexDump.h"

namespace orlan {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

void appendHex(QString& text, unsigned value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += QChar(kDigits[(value >> shift) & 0xF]);
}

}  // namespace

void HexDump::append(unsigned char byte) {
    if (count_ % kBytesPerLine == 0) {
        if (count_ > 0) text_ += QChar('\n');
        // Four digits keep every line 53 characters wide; past 64 KiB the offset wraps like an
        // address would instead of widening the line.
        appendHex(text_, static_cast<unsigned>(count_ / kBytesPerLine * kBytesPerLine) & 0xFFFF, 4);
        text_ += QChar(' ');
    }
    text_ += QChar(' ');
    appendHex(text_, byte, 2);
    ++count_;
}

void HexDump::clear() {
    text_.clear();
    count_ = 0;
}

qsizetype HexDump::positionOf(qsizetype byte) {
    // A full line plus its line break is 54 characters; a line's first entry follows the offset.
    const qsizetype line = byte / kBytesPerLine;
    const qsizetype column = byte % kBytesPerLine;
    if (column == 0) return line == 0 ? 0 : line * (kLineLength + 1) - 1;  // at the line break
    return line * (kLineLength + 1) + 5 + column * 3;
}

QString HexDump::tail(qsizetype firstByte) const {
    if (firstByte <= 0) return text_;
    if (firstByte >= count_) return {};
    return text_.mid(positionOf(firstByte));
}

}  // namespace orlan
