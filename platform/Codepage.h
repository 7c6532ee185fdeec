// The two 8-bit Cyrillic code pages the program meets: Windows-1251 (help texts, printer text)
// and DOS 866 (the monitor's character set).
//
// The tables are our own, complete for all 256 codes, so the results never depend on which
// codecs the Qt build happens to carry.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orlan {

// Every byte decodes to one UTF-16 unit; 98h, the one unassigned code, becomes U+FFFD.
QString fromCp1251(QByteArrayView bytes);

// One byte per character (a surrogate pair counts as one character). A character without a
// 1251 code becomes '?' and clears *ok; *ok is set true otherwise.
QByteArray toCp1251(const QString& text, bool* ok = nullptr);

// Decodes as the classic screen font shows the bytes: 01h..1Fh and 7Fh are the picture glyphs
// (☺ ☻ ♥ … ▲ ▼, ⌂), not control codes. 00h stays U+0000 (the font shows it blank).
QString fromCp866(QByteArrayView bytes);

// The reverse of fromCp866; the control characters U+0000..U+001F and U+007F are also accepted
// for their own codes. A character without an 866 code becomes '?'.
QByteArray toCp866(const QString& text);

}  // namespace orlan
