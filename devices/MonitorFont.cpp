#include "MonitorFont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <utility>

#include "Codepage.h"

namespace orlan {

namespace {

using GlyphSet = std::array<Glyph, 256>;

void plot(Glyph& g, int x, int y) {
    g[y] |= static_cast<uint8_t>(0x80 >> x);
}

// DejaVu Sans Mono bold stretched onto the cell: its full advance across, ascent to descent down.
// Pixels at least about a third covered are lit: crisp glyphs, each lit pixel in the exact colour,
// and thin strokes survive.
void renderFromFont(GlyphSet& glyphs) {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setBold(true);
    font.setPixelSize(48);  // drawn large and scaled down: the outline decides, not the hinting
    const QFontMetricsF metrics(font);
    const qreal scaleX = kGlyphWidth / metrics.horizontalAdvance(QLatin1Char('M'));
    const qreal scaleY = kGlyphHeight / (metrics.ascent() + metrics.descent());

    QImage cell(kGlyphWidth, kGlyphHeight, QImage::Format_Alpha8);
    for (int code = 0; code < 256; ++code) {
        const char byte = static_cast<char>(code);
        const QString text = fromCp866(QByteArrayView(&byte, 1));
        if (text.at(0).isNull() || text.at(0).isSpace()) continue;  // 00h, 20h, FFh are blank
        cell.fill(0);
        QPainterPath path;
        path.addText(0, metrics.ascent(), font, text);
        QPainter painter(&cell);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scaleX, scaleY);
        painter.fillPath(path, Qt::black);
        painter.end();
        for (int y = 0; y < kGlyphHeight; ++y) {
            const uchar* line = cell.constScanLine(y);
            for (int x = 0; x < kGlyphWidth; ++x)
                if (line[x] >= 80) plot(glyphs[code], x, y);
        }
    }
}

// The box-drawing characters B3h..DAh by their four arms (up, down, left, right): 0 none,
// 1 single, 2 double.
constexpr const char* kBoxArms[] = {
    "1100", "1110", "1120", "2210", "0210", "0120", "2220", "2200",  // B3h │ ┤ ╡ ╢ ╖ ╕ ╣ ║
    "0220", "2020", "2010", "1020", "0110", "1001", "1011", "0111",  // BBh ╗ ╝ ╜ ╛ ┐ └ ┴ ┬
    "1101", "0011", "1111", "1102", "2201", "2002", "0202", "2022",  // C3h ├ ─ ┼ ╞ ╟ ╚ ╔ ╩
    "0222", "2202", "0022", "2222", "1022", "2011", "0122", "0211",  // CBh ╦ ╠ ═ ╬ ╧ ╨ ╤ ╥
    "2001", "1002", "0102", "0201", "2211", "1122", "1010", "0101",  // D3h ╙ ╘ ╒ ╓ ╫ ╪ ┘ ┌
};
static_assert(std::size(kBoxArms) == 0xDA - 0xB3 + 1);

enum Arm { Up, Down, Left, Right };

// A single stroke is 2 pixels wide (as thick as the bold letters), a double one two 1-pixel
// lines with 2 pixels between. Each arm runs from its edge to where it meets the strokes across
// it: a double line stops at the near line of a double stroke it turns into, passes on when the
// arm continues straight, and so on, so that corners, tees and crossings look as they should.
Glyph boxGlyph(const char* arms) {
    int w[4];
    for (int a = 0; a < 4; ++a) w[a] = arms[a] - '0';
    Glyph g{};
    for (int a = 0; a < 4; ++a) {
        if (!w[a]) continue;
        const bool vertical = a == Up || a == Down;
        const bool fromStart = a == Up || a == Left;  // the arm starts at coordinate 0
        const int length = vertical ? kGlyphHeight : kGlyphWidth;
        const int sideA = vertical ? Left : Up;
        const int sideB = vertical ? Right : Down;
        const bool straightOn = w[a ^ 1] != 0;  // the opposite arm
        const int across = std::max(w[sideA], w[sideB]);
        // Where the strokes across this arm lie, along it.
        const std::pair<int, int> acrossSingle = vertical ? std::pair{5, 6} : std::pair{3, 4};
        const std::pair<int, int> acrossDouble = vertical ? std::pair{4, 7} : std::pair{2, 5};
        auto nearOf = [fromStart](std::pair<int, int> p) { return fromStart ? p.first : p.second; };
        auto farOf = [fromStart](std::pair<int, int> p) { return fromStart ? p.second : p.first; };
        auto stroke = [&](int offset, int end) {
            const int from = fromStart ? 0 : end;
            const int to = fromStart ? end : length - 1;
            for (int t = from; t <= to; ++t) vertical ? plot(g, offset, t) : plot(g, t, offset);
        };

        if (w[a] == 1) {
            int end = farOf(acrossSingle);
            if (across == 2)  // a tee onto a double line stops at it; corners and crossings pass
                end = (w[sideA] && w[sideB] && !straightOn) ? nearOf(acrossDouble)
                                                            : farOf(acrossDouble);
            const std::pair<int, int> band = vertical ? std::pair{3, 4} : std::pair{5, 6};
            stroke(band.first, end);
            stroke(band.second, end);
            continue;
        }
        const int lines[2] = {vertical ? 2 : 4, vertical ? 5 : 7};
        const int sides[2] = {sideA, sideB};
        for (int k = 0; k < 2; ++k) {
            const int side = w[sides[k]];
            const int other = w[sides[1 - k]];
            int end;
            if (side == 2)
                end = nearOf(acrossDouble);  // inner line of a double corner
            else if (side == 1)
                end = farOf(acrossSingle);  // meets the single stroke
            else if (straightOn)
                end = fromStart ? length - 1 : 0;
            else
                end = other == 2 ? farOf(acrossDouble) : farOf(acrossSingle);  // outer line
            stroke(lines[k], end);
        }
    }
    return g;
}

void drawShadesAndBlocks(GlyphSet& glyphs) {
    for (int y = 0; y < kGlyphHeight; ++y)
        for (int x = 0; x < kGlyphWidth; ++x) {
            const bool light = x % 4 == (y % 2) * 2;
            if (light) plot(glyphs[0xB0], x, y);
            if ((x + y) % 2 == 0) plot(glyphs[0xB1], x, y);
            if (!light) plot(glyphs[0xB2], x, y);
            plot(glyphs[0xDB], x, y);
            if (y >= kGlyphHeight / 2) plot(glyphs[0xDC], x, y);
            if (x < kGlyphWidth / 2) plot(glyphs[0xDD], x, y);
            if (x >= kGlyphWidth / 2) plot(glyphs[0xDE], x, y);
            if (y < kGlyphHeight / 2) plot(glyphs[0xDF], x, y);
        }
}

GlyphSet buildGlyphs() {
    GlyphSet glyphs{};
    renderFromFont(glyphs);
    for (int code = 0xB0; code <= 0xDF; ++code) glyphs[code] = Glyph{};
    for (int code = 0xB3; code <= 0xDA; ++code) glyphs[code] = boxGlyph(kBoxArms[code - 0xB3]);
    drawShadesAndBlocks(glyphs);
    return glyphs;
}

}  // namespace

const Glyph& monitorGlyph(uint8_t code) {
    static const GlyphSet glyphs = buildGlyphs();
    return glyphs[code];
}

}  // namespace orlan
