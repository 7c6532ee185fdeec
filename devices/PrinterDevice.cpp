#include "PrinterDevice.h"

#include <QFont>
#include <QTextDocument>

#include "Codepage.h"

namespace orlan {

const char* const PrinterDevice::kDocumentTitleSource =
    QT_TRANSLATE_NOOP("orlan::PrinterDevice", "ОРЛАН - Содержимое буфера \"принтера\"");
const QString PrinterDevice::kDocumentTitle = QString::fromUtf8(kDocumentTitleSource);
const QString PrinterDevice::kFontFamily = QStringLiteral("DejaVu Sans Mono");

namespace {

// A rich-text control shows CR LF as one break and a lone CR or LF as a break of its own; the
// document would make two paragraphs of CR LF, so the breaks are made uniform first.
QString withUniformBreaks(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += QLatin1Char('\n');
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

PrinterDevice::PrinterDevice(QObject* parent) : QObject(parent) {}

void PrinterDevice::byteInput(uint8_t b) {
    buffer_.append(b);
    const char c = static_cast<char>(b);
    printText_ += fromCp1251(QByteArrayView(&c, 1));
    emit changed();
}

void PrinterDevice::clear() {
    buffer_.clear();
    printText_.clear();
    emit cleared();
}

QString PrinterDevice::shownDocumentTitle() {
    return tr(kDocumentTitleSource);
}

std::unique_ptr<QTextDocument> PrinterDevice::document() const {
    auto doc = std::make_unique<QTextDocument>();
    QFont font(kFontFamily);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(kFontPixelSize);
    doc->setDefaultFont(font);
    doc->setPlainText(withUniformBreaks(printText_));
    return doc;
}

}  // namespace orlan
