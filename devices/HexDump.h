// The hex dump every device window shows of the bytes it received: lines of 16 bytes, each led by
// the offset of its first byte and a space, then a space and two digits per byte
// ("0010  41 42 ..."); lines separated by '\n', no final line break.
// The text grows with each byte; nothing is ever re-rendered, so appending stays cheap however
// long the dump gets.
#pragma once

#include <QString>

namespace orlan {

class HexDump {
  public:
    static constexpr int kBytesPerLine = 16;
    // Offset and its space, then a space and two digits per byte: 5 + 16 * 3.
    static constexpr int kLineLength = 53;

    void append(unsigned char byte);
    void clear();

    const QString& text() const { return text_; }
    qsizetype byteCount() const { return count_; }
    // The text added since the dump held firstByte bytes: text() of that moment followed by
    // tail(firstByte) is text() now. Lets a view append instead of reloading everything.
    QString tail(qsizetype firstByte) const;

  private:
    // Character position in text_ where byte i's entry (or its line) begins.
    static qsizetype positionOf(qsizetype byte);

    QString text_;
    qsizetype count_ = 0;
};

}  // namespace orlan
