#include "Codepage.h"

#include <array>
#include <cstdint>

namespace orlan {
namespace {

using UpperHalf = std::array<char16_t, 128>;  // codes 80h..FFh

constexpr char16_t kUnassigned = u'\uFFFD';

constexpr UpperHalf kCp1251 = {
    // 80h
    u'\u0402', u'\u0403', u'\u201A', u'\u0453', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u20AC', u'\u2030', u'\u0409', u'\u2039', u'\u040A', u'\u040C', u'\u040B', u'\u040F',
    // 90h
    u'\u0452', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    kUnassigned, u'\u2122', u'\u0459', u'\u203A', u'\u045A', u'\u045C', u'\u045B', u'\u045F',
    // A0h
    u'\u00A0', u'\u040E', u'\u045E', u'\u0408', u'\u00A4', u'\u0490', u'\u00A6', u'\u00A7',
    u'\u0401', u'\u00A9', u'\u0404', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u0407',
    // B0h
    u'\u00B0', u'\u00B1', u'\u0406', u'\u0456', u'\u0491', u'\u00B5', u'\u00B6', u'\u00B7',
    u'\u0451', u'\u2116', u'\u0454', u'\u00BB', u'\u0458', u'\u0405', u'\u0455', u'\u0457',
    // C0h: А..П
    u'\u0410', u'\u0411', u'\u0412', u'\u0413', u'\u0414', u'\u0415', u'\u0416', u'\u0417',
    u'\u0418', u'\u0419', u'\u041A', u'\u041B', u'\u041C', u'\u041D', u'\u041E', u'\u041F',
    // D0h: Р..Я
    u'\u0420', u'\u0421', u'\u0422', u'\u0423', u'\u0424', u'\u0425', u'\u0426', u'\u0427',
    u'\u0428', u'\u0429', u'\u042A', u'\u042B', u'\u042C', u'\u042D', u'\u042E', u'\u042F',
    // E0h: а..п
    u'\u0430', u'\u0431', u'\u0432', u'\u0433', u'\u0434', u'\u0435', u'\u0436', u'\u0437',
    u'\u0438', u'\u0439', u'\u043A', u'\u043B', u'\u043C', u'\u043D', u'\u043E', u'\u043F',
    // F0h: р..я
    u'\u0440', u'\u0441', u'\u0442', u'\u0443', u'\u0444', u'\u0445', u'\u0446', u'\u0447',
    u'\u0448', u'\u0449', u'\u044A', u'\u044B', u'\u044C', u'\u044D', u'\u044E', u'\u044F',
};

constexpr UpperHalf kCp866 = {
    // 80h: А..П
    u'\u0410', u'\u0411', u'\u0412', u'\u0413', u'\u0414', u'\u0415', u'\u0416', u'\u0417',
    u'\u0418', u'\u0419', u'\u041A', u'\u041B', u'\u041C', u'\u041D', u'\u041E', u'\u041F',
    // 90h: Р..Я
    u'\u0420', u'\u0421', u'\u0422', u'\u0423', u'\u0424', u'\u0425', u'\u0426', u'\u0427',
    u'\u0428', u'\u0429', u'\u042A', u'\u042B', u'\u042C', u'\u042D', u'\u042E', u'\u042F',
    // A0h: а..п
    u'\u0430', u'\u0431', u'\u0432', u'\u0433', u'\u0434', u'\u0435', u'\u0436', u'\u0437',
    u'\u0438', u'\u0439', u'\u043A', u'\u043B', u'\u043C', u'\u043D', u'\u043E', u'\u043F',
    // B0h: shades and box drawing
    u'\u2591', u'\u2592', u'\u2593', u'\u2502', u'\u2524', u'\u2561', u'\u2562', u'\u2556',
    u'\u2555', u'\u2563', u'\u2551', u'\u2557', u'\u255D', u'\u255C', u'\u255B', u'\u2510',
    // C0h
    u'\u2514', u'\u2534', u'\u252C', u'\u251C', u'\u2500', u'\u253C', u'\u255E', u'\u255F',
    u'\u255A', u'\u2554', u'\u2569', u'\u2566', u'\u2560', u'\u2550', u'\u256C', u'\u2567',
    // D0h
    u'\u2568', u'\u2564', u'\u2565', u'\u2559', u'\u2558', u'\u2552', u'\u2553', u'\u256B',
    u'\u256A', u'\u2518', u'\u250C', u'\u2588', u'\u2584', u'\u258C', u'\u2590', u'\u2580',
    // E0h: р..я
    u'\u0440', u'\u0441', u'\u0442', u'\u0443', u'\u0444', u'\u0445', u'\u0446', u'\u0447',
    u'\u0448', u'\u0449', u'\u044A', u'\u044B', u'\u044C', u'\u044D', u'\u044E', u'\u044F',
    // F0h
    u'\u0401', u'\u0451', u'\u0404', u'\u0454', u'\u0407', u'\u0457', u'\u040E', u'\u045E',
    u'\u00B0', u'\u2219', u'\u00B7', u'\u221A', u'\u2116', u'\u00A4', u'\u25A0', u'\u00A0',
};

// The pictures the classic screen font has in place of the control codes 00h..1Fh.
constexpr std::array<char16_t, 32> kCp866Low = {
    u'\u0000', u'\u263A', u'\u263B', u'\u2665', u'\u2666', u'\u2663', u'\u2660', u'\u2022',
    u'\u25D8', u'\u25CB', u'\u25D9', u'\u2642', u'\u2640', u'\u266A', u'\u266B', u'\u263C',
    u'\u25BA', u'\u25C4', u'\u2195', u'\u203C', u'\u00B6', u'\u00A7', u'\u25AC', u'\u21A8',
    u'\u2191', u'\u2193', u'\u2192', u'\u2190', u'\u221F', u'\u2194', u'\u25B2', u'\u25BC',
};
constexpr char16_t kCp866Del = u'\u2302';  // 7Fh

int findInUpperHalf(const UpperHalf& table, char32_t cp) {
    if (cp > 0xFFFF || cp == kUnassigned) return -1;
    for (int i = 0; i < 128; ++i)
        if (table[i] == cp) return 0x80 + i;
    return -1;
}

// Walks the text by code points so that a surrogate pair gives one replacement, not two.
template <typename ByteOf>
QByteArray encode(const QString& text, ByteOf byteOf, bool* ok) {
    QByteArray out;
    out.reserve(text.size());
    bool allKnown = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int byte = byteOf(cp);
        if (byte < 0) allKnown = false;
        out.append(static_cast<char>(byte < 0 ? '?' : byte));
    }
    if (ok) *ok = allKnown;
    return out;
}

int cp1251Byte(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    return findInUpperHalf(kCp1251, cp);
}

int cp866Byte(char32_t cp) {
    if (cp < 0x80) return static_cast<int>(cp);
    if (cp == kCp866Del) return 0x7F;
    for (int i = 1; i < 32; ++i)
        if (kCp866Low[i] == cp) return i;
    return findInUpperHalf(kCp866, cp);
}

}  // namespace

QString fromCp1251(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        *dst++ = QChar(b < 0x80 ? char16_t(b) : kCp1251[b - 0x80]);
    }
    return out;
}

QByteArray toCp1251(const QString& text, bool* ok) { return encode(text, cp1251Byte, ok); }

QString fromCp866(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        char16_t u;
        if (b < 0x20) u = kCp866Low[b];
        else if (b == 0x7F) u = kCp866Del;
        else if (b < 0x80) u = b;
        else u = kCp866[b - 0x80];
        *dst++ = QChar(u);
    }
    return out;
}

QByteArray toCp866(const QString& text) { return encode(text, cp866Byte, nullptr); }

}  // namespace orlan
