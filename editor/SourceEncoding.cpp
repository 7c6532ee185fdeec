#include "SourceEncoding.h"

#include <QStringDecoder>

#include "Codepage.h"

namespace orlan {

namespace {

// How often each lower-case Russian letter turns up in ordinary text, per mille (rounded).
int letterWeight(QChar c) {
    static const QString kLetters = QStringLiteral("оеаинтсрвлкмдпуяызьбгчйхжшюцщэфъё");
    static const int kWeights[] = {110, 85, 80, 74, 67, 63, 55, 47, 45, 44, 35, 32, 30, 28, 26, 20, 19,
                                   17, 17, 16, 17, 14, 12, 10, 9, 7, 6, 5, 4, 3, 3, 1, 1};
    static_assert(std::size(kWeights) == 33);
    const qsizetype i = kLetters.indexOf(c.toLower());
    return i < 0 ? 0 : kWeights[i];
}

// Letters score by their frequency (capitals a little less: most text is lower case); any other
// character decoded from a byte above 7Fh (box drawing, rare symbols) counts against.
long score(const QString& text) {
    long total = 0;
    for (QChar c : text) {
        if (c.unicode() < 0x80) continue;
        const int weight = letterWeight(c);
        if (weight == 0)
            total -= 20;
        else
            total += c.isUpper() ? weight / 2 : weight;
    }
    return total;
}

// fromCp866 shows the control codes as the screen font's pictures; a source needs its tabs and
// line ends as they are, so only the upper half is taken from the code page.
QString sourceFromCp866(QByteArrayView bytes) {
    QString text = fromCp866(bytes);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x20 || byte == 0x7F) text[i] = QChar(byte);
    }
    return text;
}

}  // namespace

DecodedSource decodeSource(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        return {text, SourceCodec::Utf8};
    }
    QString cp1251 = fromCp1251(bytes);
    QString cp866 = sourceFromCp866(bytes);
    if (score(cp866) > score(cp1251)) return {cp866, SourceCodec::Cp866};
    return {cp1251, SourceCodec::Cp1251};
}

}  // namespace orlan
