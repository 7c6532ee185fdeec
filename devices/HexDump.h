// The bytes a device received, and the hex dump every device window shows of them: lines of 16
// bytes, each led by the offset of its first byte and a space, then a space and two digits per
// byte ("0010  41 42 ..."); lines separated by '\n', no final line break.
// Only the bytes are kept, one byte each; a line's text is made when someone looks at it, so a
// dump of any length costs its bytes and nothing more.
#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace orlan {

class HexDump {
  public:
    static constexpr int kBytesPerLine = 16;
    // A full line of the first 64 KiB: the offset and its space, then a space and two digits per
    // byte, 5 + 16 * 3.
    static constexpr int kLineLength = 53;

    void append(unsigned char byte);
    void clear();

    qsizetype byteCount() const { return count_; }
    qsizetype lineCount() const { return (count_ + kBytesPerLine - 1) / kBytesPerLine; }
    unsigned char at(qsizetype i) const { return chunks_[i / kChunkSize][i % kChunkSize]; }

    // The text of one line. Offsets have four digits up to FFF0 and as many as they need after,
    // so they keep counting past 64 KiB.
    QString lineText(qsizetype line) const;
    // The lines from `first` up to, not including, `last`, each ended by '\n' but the last.
    QString linesText(qsizetype first, qsizetype last) const;
    // The whole dump.
    QString text() const { return linesText(0, lineCount()); }
    // Characters of the longest line (lines past 64 KiB have a wider offset).
    int widestLine() const;

  private:
    qsizetype lineLength(qsizetype line) const;
    // Writes the line's text at `out`; returns where it ends.
    QChar* writeLine(QChar* out, qsizetype line) const;

    // Bytes are kept in fixed blocks: growing never copies what is there, and a large dump holds
    // at most one partly filled block.
    static constexpr qsizetype kChunkSize = 64 * 1024;

    std::vector<std::unique_ptr<unsigned char[]>> chunks_;
    qsizetype count_ = 0;
};

}  // namespace orlan
