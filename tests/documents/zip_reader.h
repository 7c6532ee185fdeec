// Reads the members of a zip archive (stored or deflated) straight from its bytes: the tests
// check written documents with this and a plain XML reader, never with the writers' own code.
#pragma once

#include <zlib.h>

#include <QByteArray>
#include <QMap>
#include <QString>

namespace orlan::test {

inline uint32_t le(const QByteArray& b, qsizetype at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b.at(at + i));
    return v;
}

// Every member by name; empty when the archive cannot be read.
inline QMap<QString, QByteArray> readZip(const QByteArray& zip) {
    QMap<QString, QByteArray> members;
    const qsizetype end = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (end < 0 || end + 22 > zip.size()) return {};
    const uint32_t count = le(zip, end + 10, 2);
    qsizetype at = le(zip, end + 16, 4);
    for (uint32_t n = 0; n < count; ++n) {
        if (at + 46 > zip.size() || le(zip, at, 4) != 0x02014b50) return {};
        const uint32_t method = le(zip, at + 10, 2);
        const uint32_t packed = le(zip, at + 20, 4), size = le(zip, at + 24, 4);
        const uint32_t nameLength = le(zip, at + 28, 2);
        const uint32_t skip = nameLength + le(zip, at + 30, 2) + le(zip, at + 32, 2);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        const qsizetype local = le(zip, at + 42, 4);
        at += 46 + skip;

        if (local + 30 > zip.size() || le(zip, local, 4) != 0x04034b50) return {};
        const qsizetype data = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
        const QByteArray raw = zip.mid(data, packed);
        if (method == 0) {
            members[name] = raw;
            continue;
        }
        if (method != 8) return {};
        QByteArray out(static_cast<qsizetype>(size), '\0');
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return {};
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
        z.avail_in = static_cast<uInt>(raw.size());
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (result != Z_STREAM_END || z.total_out != size) return {};
        members[name] = out;
    }
    return members;
}

}  // namespace orlan::test
