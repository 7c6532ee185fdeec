// The printer behind port 04h. It keeps the hex dump of every byte received (shown by
// TPrinterFrm) and the print text: the same bytes read as Windows-1251 characters, sent to a
// real printer (or a PDF file) on demand. No widgets: OUT feeds it through DevicePorts whether or
// not its window is visible.
//
// The print text is kept exactly as received, line-break bytes included; only printing reads
// them as line breaks (CR LF, a lone CR or a lone LF each end a line), so a text borrowed with
// printText() and put back with setPrintText() is unchanged.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

#include "HexDump.h"

class QTextDocument;

namespace orlan {

class PrinterDevice : public QObject {
    Q_OBJECT
  public:
    // The print job's title (Russian, like the text printed), and the same marked for
    // translation: the PDF file offered for it is named in the program's language.
    static const char* const kDocumentTitleSource;
    static const QString kDocumentTitle;
    static QString shownDocumentTitle();
    static const QString kFontFamily;
    static constexpr int kFontPixelSize = 11;

    explicit PrinterDevice(QObject* parent = nullptr);

    // OUT to port 04h.
    void byteInput(uint8_t b);
    // Empties the dump and the print text.
    void clear();

    const HexDump& buffer() const { return buffer_; }

    // The print dialog composes its listing in the same place as the print text: it takes the
    // text here and puts it back when its listing is printed.
    const QString& printText() const { return printText_; }
    void setPrintText(const QString& text) { printText_ = text; }

    // The print text laid out as it is printed: one paragraph per line, in the fixed-pitch font.
    // Printed as one job titled kDocumentTitle; both buffers stay as they are.
    std::unique_ptr<QTextDocument> document() const;

  signals:
    // A byte arrived. Emitted once per byte: a window refreshes lazily.
    void changed();
    // The buffers were emptied (a view holding a copy starts again).
    void cleared();

  private:
    HexDump buffer_;
    QString printText_;
};

}  // namespace orlan
