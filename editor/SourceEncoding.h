// Reading a source file whose encoding nobody wrote down: sources of the era come in Windows-1251
// or DOS 866 as often as in UTF-8. Valid UTF-8 stays UTF-8; other bytes are read as whichever of
// the two Cyrillic code pages makes more ordinary Russian text of them.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace orlan {

enum class SourceCodec { Utf8, Cp1251, Cp866 };

struct DecodedSource {
    QString text;
    SourceCodec codec = SourceCodec::Utf8;
};

DecodedSource decodeSource(QByteArrayView bytes);

}  // namespace orlan
