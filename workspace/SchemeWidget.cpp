#include "SchemeWidget.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QStringList>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "Translations.h"
#include "Zoom.h"
#include "Cycles.h"
#include "Mnemonics.h"

namespace orlan {

namespace {

// Places of the element labels in the main window's client area (the picture lies at 8, 8).
struct Place {
    Element element;
    int left, top, width;
};
constexpr int kOrigin = 8;
constexpr int kLabelHeight = 13;
constexpr Place kPlaces[] = {
    {Element::Data_Buf, 231, 54, 49},      {Element::RegA_Val, 18, 120, 49},
    {Element::Buf_Reg_1, 84, 120, 49},     {Element::Flags_Reg, 150, 120, 49},
    {Element::Cmd_Reg, 231, 120, 49},      {Element::Cmd_DC, 231, 167, 49},
    {Element::Buf_Reg_2, 18, 167, 49},     {Element::Addr_Buf, 381, 290, 49},
    {Element::Status_Reg, 81, 42, 42},     {Element::PSW_Label, 42, 56, 84},
    {Element::RegW_Val, 320, 137, 22},     {Element::RegZ_Val, 392, 137, 22},
    {Element::RegB_Val, 320, 170, 22},     {Element::RegD_Val, 320, 185, 22},
    {Element::RegH_Val, 320, 200, 22},     {Element::RegC_Val, 392, 170, 22},
    {Element::RegE_Val, 392, 185, 22},     {Element::RegL_Val, 392, 200, 22},
    {Element::SP_Val, 389, 215, 36},       {Element::PC_Val, 389, 230, 36},
    {Element::Cycle_Num, 36, 231, 18},     {Element::Time_Num, 36, 245, 18},
    {Element::INC_DEC_Syst, 415, 245, 17},
};
static_assert(std::size(kPlaces) == kElementCount);

// Lamp centres on the picture, in Lamp order.
constexpr QPoint kLampPoints[kLampCount] = {
    {138, 47},  {152, 47},  {166, 47},  {180, 47},  {194, 47},  // Z S P C AC
    {60, 322},  {74, 322},  {88, 322},  {102, 322}, {116, 322}, {130, 322},
    {144, 322}, {158, 322}, {172, 322}, {186, 322}, {200, 322},  // F2 .. WR
};

constexpr Element kRegisterLabels[] = {
    Element::RegA_Val, Element::RegB_Val, Element::RegC_Val, Element::RegD_Val,
    Element::RegE_Val, Element::RegH_Val, Element::RegL_Val, Element::RegW_Val,
    Element::RegZ_Val, Element::SP_Val,   Element::PC_Val,
};

const QColor kActive(255, 0, 0);
const QColor kIdle(0, 128, 0);
const QColor kLampOn(255, 0, 0);
const QColor kLampOff(128, 0, 0);

const QColor kBackground(196, 196, 192);
const QColor kBoxFill(242, 242, 234);
const QColor kRegisterBlockFill(222, 228, 236);
const QColor kCellFill(248, 248, 242);
const QColor kRegisterName(0, 120, 215);  // light blue, still clear on the pale cells
const QColor kDataBusFill(255, 226, 140);
const QColor kAddressBusFill(168, 208, 250);
const QColor kControlBusFill(250, 186, 176);

bool isRegisterLabel(Element e) {
    return std::find(std::begin(kRegisterLabels), std::end(kRegisterLabels), e) !=
           std::end(kRegisterLabels);
}

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont dejaVu(int pixels, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Narrows the font just enough for every text to fit the width. A condensed face is used where
// installed; elsewhere Qt stretches the regular one.
QFont fitted(QFont f, const QStringList& texts, qreal width, int minStretch = 66) {
    for (int stretch = 100; stretch >= minStretch; stretch -= 2) {
        f.setStretch(stretch);
        const QFontMetricsF fm(f);
        qreal widest = 0;
        for (const QString& t : texts) widest = std::max(widest, fm.horizontalAdvance(t));
        if (widest <= width) break;
    }
    return f;
}

// --- drawing the picture -------------------------------------------------------------------
// Rectangles are given by their outermost pixels, so 1-pixel frames land on whole pixels.

QRectF pixels(int x0, int y0, int x1, int y1) {
    return QRectF(x0 + 0.5, y0 + 0.5, x1 - x0, y1 - y0);
}

// Runs `draw` with the painter counting in the device's own pixels, whatever its transform.
template <typename Draw>
void inDevicePixels(QPainter& p, Draw draw) {
    p.save();
    p.resetTransform();
    const qreal ratio = p.deviceTransform().m11();  // what is left: the device's pixel ratio
    p.scale(1 / ratio, 1 / ratio);
    draw();
    p.restore();
}

// Frames and straight lines are laid on the device's pixels at any zoom: their edges rounded to
// whole device pixels and their lines a whole number of them thick. A frame of 1.25 pixels would
// otherwise come out as two grey rows.
class DeviceGrid {
  public:
    explicit DeviceGrid(const QPainter& p) : t_(p.deviceTransform()) {
        line_ = std::max(1, static_cast<int>(t_.m11() + 0.4));  // halves round down
    }
    int line() const { return line_; }
    // Picture pixels x0..x1 (both included) in device pixels; a single one becomes a line.
    QRect pixels(int x0, int y0, int x1, int y1) const {
        const auto [left, width] = span(x0, x1, t_.m11(), t_.dx());
        const auto [top, height] = span(y0, y1, t_.m22(), t_.dy());
        return {left, top, width, height};
    }
    // Fills device pixels whatever the painter's transform.
    static void fill(QPainter& p, const QRect& device, const QColor& colour) {
        inDevicePixels(p, [&] { p.fillRect(device, colour); });
    }

  private:
    std::pair<int, int> span(int from, int to, qreal scale, qreal shift) const {
        if (from == to) {
            const int start = qRound((from + 0.5) * scale + shift - line_ / 2.0);
            return {start, line_};
        }
        const int start = qRound(from * scale + shift);
        return {start, qRound((to + 1) * scale + shift) - start};
    }

    QTransform t_;
    int line_ = 1;
};

void drawBox(QPainter& p, int x0, int y0, int x1, int y1, const QColor& fill = kBoxFill) {
    const DeviceGrid grid(p);
    const QRect outer = grid.pixels(x0, y0, x1, y1);
    const int line = grid.line();
    DeviceGrid::fill(p, outer, Qt::black);
    DeviceGrid::fill(p, outer.adjusted(line, line, -line, -line), fill);
}

// A line one picture pixel wide over the pixels x0..x1, y0..y1.
void drawPixelLine(QPainter& p, int x0, int y0, int x1, int y1, const QColor& colour = Qt::black) {
    DeviceGrid::fill(p, DeviceGrid(p).pixels(x0, y0, x1, y1), colour);
}

void drawCaption(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
                 int align = Qt::AlignCenter, const QColor& colour = Qt::black) {
    // A caption squeezed too hard reads worse than one a pixel smaller.
    QFont f = font;
    f = fitted(f, {text}, r.width(), 86);
    if (QFontMetricsF(f).horizontalAdvance(text) > r.width() && f.pixelSize() > 8) {
        f.setPixelSize(f.pixelSize() - 1);
        f = fitted(f, {text}, r.width());
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(r, align, text);
}

// A caption over several lines, one rectangle each (the English keeps the number of lines).
void drawLines(QPainter& p, std::initializer_list<QRectF> rects, const QString& text,
               const QFont& font, int align = Qt::AlignCenter) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    int i = 0;
    for (const QRectF& r : rects)
        if (i < lines.size()) drawCaption(p, r, lines.at(i++), font, align);
}

// A thin connection with arrow heads where the flow goes. Coordinates are pixel centres.
void drawArrow(QPainter& p, QPointF from, QPointF to, bool headAtFrom, bool headAtTo) {
    constexpr qreal kHead = 5, kHalf = 3.5;
    const QLineF line(from, to);
    const QPointF unit = (to - from) / line.length();
    const QPointF normal(-unit.y(), unit.x());
    QPointF a = from, b = to;
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    auto head = [&](QPointF tip, QPointF back) {
        const QPointF base = tip + back * kHead;
        p.drawPolygon(QPolygonF{tip, base + normal * kHalf, base - normal * kHalf});
        return base;
    };
    if (headAtFrom) a = head(from, unit);
    if (headAtTo) b = head(to, -unit);
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

// A bus as a hollow band along a polyline, with broad arrow heads at the chosen ends.
struct Band {
    QPolygonF points;
    bool headAtStart = false;
    bool headAtEnd = false;
};

QPainterPath busOutline(const std::vector<Band>& bands, qreal width) {
    const qreal headLength = width * 0.9, headHalf = width / 2 + 4;
    QPainterPath all;
    for (Band b : bands) {
        QPainterPath heads;
        auto head = [&](QPointF tip, QPointF towards) {
            QLineF back(tip, towards);
            back.setLength(headLength);
            const QPointF unit = (back.p2() - tip) / headLength;
            const QPointF normal(-unit.y(), unit.x());
            heads.addPolygon(
                QPolygonF{tip, back.p2() + normal * headHalf, back.p2() - normal * headHalf, tip});
            return back.p2() + unit * 0.5;  // a hair of overlap so the union has no seam
        };
        QPolygonF& pts = b.points;
        if (b.headAtStart) pts.first() = head(pts.at(0), pts.at(1));
        if (b.headAtEnd) pts.last() = head(pts.last(), pts.at(pts.size() - 2));
        QPainterPath centre;
        centre.addPolygon(pts);
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::FlatCap);
        stroker.setJoinStyle(Qt::MiterJoin);
        all = all.united(stroker.createStroke(centre)).united(heads);
    }
    return all.simplified();
}

void drawBus(QPainter& p, const std::vector<Band>& bands, const QColor& fill, qreal width = 10) {
    p.setBrush(fill);
    const QTransform t = p.deviceTransform();
    if (qFuzzyCompare(t.m11(), std::round(t.m11()))) {
        // Whole device pixels to a picture pixel: the outline's straight edges land on them.
        p.setPen(QPen(Qt::black, 1));
        p.drawPath(busOutline(bands, width));
        return;
    }
    // Otherwise every corner goes to the nearest place where a line of whole device pixels stays
    // crisp, and the outline is drawn in device pixels.
    const int line = DeviceGrid(p).line();
    const qreal offset = line % 2 ? 0.5 : 0.0;
    QPainterPath path = t.map(busOutline(bands, width));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        path.setElementPositionAt(i, std::round(e.x - offset) + offset,
                                  std::round(e.y - offset) + offset);
    }
    inDevicePixels(p, [&] {
        p.setPen(QPen(Qt::black, line));
        p.drawPath(path);
    });
}

// A register of the register block: its name in light blue, then the value cell.
void drawRegisterCell(QPainter& p, const QString& name, int tagLeft, int top, int cellRight) {
    const int tagRight = tagLeft + 12;
    drawBox(p, tagLeft, top, tagRight, top + 15, kCellFill);
    drawBox(p, tagRight, top, cellRight, top + 15, kCellFill);
    drawCaption(p, pixels(tagLeft, top, tagRight, top + 15), name, dejaVu(10, true),
                Qt::AlignCenter, kRegisterName);
}

void drawLampSpot(QPainter& p, QPoint centre, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(centre.x() - 4, centre.y() - 4, 9, 9));
}

void drawScheme(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(QRect(0, 0, SchemeWidget::kWidth, SchemeWidget::kHeight), kBackground);

    const QFont caption = dejaVu(9);
    const QFont small = dejaVu(8);
    const QFont bold = dejaVu(9, true);

    // Buses first: blocks and arrows sit on top of them.
    drawBus(p, {{{QPointF(4, 8.5), QPointF(449.5, 8.5), QPointF(449.5, 388)}, true, true}},
            kDataBusFill);
    drawBus(p, {{{QPointF(2, 79.5), QPointF(433, 79.5)}, false, false}}, kDataBusFill);
    drawBus(p, {{{QPointF(292, 314.5), QPointF(437, 314.5)}, true, false}}, kAddressBusFill);
    drawBus(p,
            {{{QPointF(10, 371.5), QPointF(437, 371.5)}, true, false},
             {{QPointF(247.5, 241), QPointF(247.5, 371.5)}, false, false}},
            kControlBusFill);
    drawCaption(p, QRectF(288, 15, 150, 12), SchemeWidget::tr("Внешняя шина данных  D7-D0"), caption);
    drawCaption(p, QRectF(288, 62, 145, 12), SchemeWidget::tr("Внутренняя шина данных"), caption);
    drawCaption(p, QRectF(290, 283, 70, 12), SchemeWidget::tr("Шина адреса"), caption,
                Qt::AlignRight | Qt::AlignVCenter);
    drawCaption(p, QRectF(290, 295, 70, 12), QStringLiteral("A0-A15"), caption,
                Qt::AlignRight | Qt::AlignVCenter);
    drawCaption(p, QRectF(40, 379, 180, 13), SchemeWidget::tr("Шина управления"), caption);

    // Status word and cycle label.
    drawBox(p, 28, 19, 124, 63);
    drawCaption(p, pixels(29, 20, 123, 33), SchemeWidget::tr("Рег.состояния"), bold);
    drawCaption(p, QRectF(32, 34, 38, 13), QStringLiteral("PSW"), bold,
                Qt::AlignRight | Qt::AlignVCenter);
    drawArrow(p, {76.5, 64}, {76.5, 74}, false, true);

    // Flag lamps.
    drawBox(p, 129, 26, 203, 56);
    const char* flagNames[] = {"Z", "S", "P", "C", "AC"};
    for (int i = 0; i < 5; ++i) {
        const QPoint c = kLampPoints[i];
        drawCaption(p, QRectF(c.x() - 7.5, 29, 16, 11), QString::fromLatin1(flagNames[i]), bold);
    }

    // Data buffer between the two data buses.
    drawBox(p, 214, 25, 281, 63);
    drawCaption(p, pixels(215, 27, 280, 41), SchemeWidget::tr("Буфер данных"), bold);
    drawArrow(p, {247.5, 14}, {247.5, 25}, true, true);
    drawArrow(p, {247.5, 64}, {247.5, 74}, true, true);

    // First row under the internal bus.
    struct Block {
        int x0, x1;
        const char* title;
    };
    const Block row1[] = {{4, 65, QT_TRANSLATE_NOOP("orlan::SchemeWidget", "Аккумулятор")},
                          {70, 131, QT_TRANSLATE_NOOP("orlan::SchemeWidget", "Буф.рег-р 1")},
                          {136, 197, QT_TRANSLATE_NOOP("orlan::SchemeWidget", "Рег.признаков")},
                          {214, 281, QT_TRANSLATE_NOOP("orlan::SchemeWidget", "Рег.команд")}};
    for (const Block& b : row1) {
        drawBox(p, b.x0, 95, b.x1, 130);
        drawCaption(p, pixels(b.x0 + 1, 97, b.x1 - 1, 110), SchemeWidget::tr(b.title), bold);
    }
    drawArrow(p, {34.5, 85}, {34.5, 95}, true, true);     // accumulator
    drawArrow(p, {100.5, 85}, {100.5, 95}, false, true);  // buffer register 1
    drawArrow(p, {166.5, 85}, {166.5, 95}, true, true);   // flags
    drawArrow(p, {247.5, 85}, {247.5, 95}, false, true);  // instruction register

    // Second row: buffer register 2, the ALU with its decimal adjust, the decoder.
    drawBox(p, 4, 141, 65, 177);
    drawCaption(p, pixels(5, 143, 64, 156), SchemeWidget::tr("Буф.рег-р 2"), bold);
    drawArrow(p, {34.5, 131}, {34.5, 141}, false, true);

    const QPolygonF alu{QPointF(70.5, 141.5), QPointF(197.5, 141.5), QPointF(181.5, 185.5),
                        QPointF(86.5, 185.5)};
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(kBoxFill);
    p.drawPolygon(alu);
    drawCaption(p, QRectF(90, 150, 88, 26), SchemeWidget::tr("АЛУ"), dejaVu(16, true));
    drawArrow(p, {100.5, 131}, {100.5, 141}, false, true);  // from buffer register 1
    drawArrow(p, {166.5, 131}, {166.5, 141}, true, true);   // with the flags
    drawArrow(p, {66, 166.5}, {79.5, 166.5}, false, true);  // from buffer register 2
    // The result goes up to the internal bus.
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(190, 160.5), QPointF(206.5, 160.5));
    drawArrow(p, {206.5, 161.25}, {206.5, 85}, false, true);

    drawBox(p, 79, 197, 188, 226);
    drawLines(p, {pixels(80, 199, 187, 211), pixels(80, 211, 187, 224)},
              SchemeWidget::tr("Схема десятичной\nкоррекции"), bold);
    drawArrow(p, {133.5, 186}, {133.5, 197}, true, true);

    drawBox(p, 214, 141, 281, 177);
    drawCaption(p, pixels(215, 143, 280, 156), SchemeWidget::tr("Д/Ш команд"), bold);
    drawArrow(p, {247.5, 131}, {247.5, 141}, false, true);

    drawBox(p, 214, 189, 281, 240);
    drawLines(p,
              {pixels(215, 192, 280, 204), pixels(215, 204, 280, 216),
               pixels(215, 216, 280, 228)},
              SchemeWidget::tr("Блок\nсинх-ции и\nуправления"), bold);
    drawArrow(p, {247.5, 178}, {247.5, 189}, false, true);

    // Machine cycle and tact counters, kept by the control block.
    drawArrow(p, {213, 236.5}, {52, 236.5}, false, true);
    drawBox(p, 3, 218, 51, 254);
    drawCaption(p, QRectF(5, 223, 22, 13), SchemeWidget::tr("Цикл"), small,
                Qt::AlignRight | Qt::AlignVCenter);
    drawCaption(p, QRectF(5, 237, 22, 13), SchemeWidget::tr("Такт"), small,
                Qt::AlignRight | Qt::AlignVCenter);

    // The register block behind its multiplexer.
    drawBox(p, 288, 95, 432, 257, kRegisterBlockFill);
    drawCaption(p, pixels(289, 97, 431, 109), SchemeWidget::tr("Мультиплексор"), bold);
    drawPixelLine(p, 288, 111, 432, 111);
    drawArrow(p, {360.5, 85}, {360.5, 95}, true, true);
    drawCaption(p, QRectF(291, 113, 139, 12), SchemeWidget::tr("Регистры временного хранения"),
                caption);
    drawRegisterCell(p, QStringLiteral("W"), 299, 128, 335);
    drawRegisterCell(p, QStringLiteral("Z"), 371, 128, 407);
    drawCaption(p, QRectF(291, 146, 139, 12), SchemeWidget::tr("Рег-ры общего назначения (РОН)"),
                caption);
    const char* pairs[3][2] = {{"B", "C"}, {"D", "E"}, {"H", "L"}};
    for (int row = 0; row < 3; ++row) {
        const int top = 161 + row * 15;
        drawRegisterCell(p, QString::fromLatin1(pairs[row][0]), 299, top, 335);
        drawRegisterCell(p, QString::fromLatin1(pairs[row][1]), 371, top, 407);
    }
    drawBox(p, 379, 206, 419, 221, kCellFill);
    drawBox(p, 379, 221, 419, 236, kCellFill);
    drawCaption(p, QRectF(291, 207, 86, 13), SchemeWidget::tr("Указатель стека (УС):"), caption,
                Qt::AlignRight | Qt::AlignVCenter);
    drawCaption(p, QRectF(291, 222, 86, 13), SchemeWidget::tr("Счётчик команд (СК):"), caption,
                Qt::AlignRight | Qt::AlignVCenter);
    drawBox(p, 405, 236, 426, 251, kCellFill);
    drawLines(p, {QRectF(291, 235, 112, 10), QRectF(291, 245, 112, 10)},
              SchemeWidget::tr("Схема инкремента-\nдекремента"), caption,
              Qt::AlignRight | Qt::AlignVCenter);

    // Address buffer and the I/O controller on the three buses.
    drawArrow(p, {397.5, 258}, {397.5, 266}, false, true);
    drawBox(p, 364, 266, 431, 299);
    drawCaption(p, pixels(365, 268, 430, 280), SchemeWidget::tr("Буфер адреса"), bold);
    drawArrow(p, {397.5, 300}, {397.5, 309}, false, true);
    drawBox(p, 296, 330, 432, 356);
    drawCaption(p, pixels(297, 331, 431, 355), SchemeWidget::tr("Контроллер ввода-вывода"), bold);
    drawArrow(p, {364.5, 320}, {364.5, 330}, false, true);  // address bus
    drawArrow(p, {364.5, 357}, {364.5, 366}, true, true);   // control bus
    drawArrow(p, {433, 343.5}, {444, 343.5}, true, true);   // external data bus

    // Bus-signal lamps hang on the control bus, their names above them.
    const char* signalNames[] = {"F2",   "F1",  "SYNC", "READY", "WAIT", "HOLD",
                                 "HLDA", "INT", "INTE", "DBIN",  "WR"};
    for (int i = 0; i < 11; ++i) {
        const QPoint c = kLampPoints[static_cast<int>(Lamp::F2) + i];
        drawPixelLine(p, c.x(), c.y() + 5, c.x(), 366);
        p.save();
        p.translate(c.x() + 0.5, c.y() - 7);
        p.rotate(-90);
        const QString name = QString::fromLatin1(signalNames[i]);
        const QFont f = dejaVu(9, true);
        drawCaption(p, QRectF(0, -6, 40, 12), name, f, Qt::AlignLeft | Qt::AlignVCenter);
        if (name == QLatin1String("WR")) {  // active low
            const qreal w = QFontMetricsF(f).horizontalAdvance(name);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(QPointF(0, -6), QPointF(w, -6));
        }
        p.restore();
    }

    // Every lamp as it looks when off, with a thin rim.
    for (const QPoint& c : kLampPoints) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(c.x() - 5, c.y() - 5, 11, 11));
        drawLampSpot(p, c, kLampOff);
    }
}

// Every text an element can show, for sizing its font.
QStringList possibleTexts(Element e) {
    switch (e) {
        case Element::Flags_Reg:
        case Element::Status_Reg:
            return {QStringLiteral("00000000"), QStringLiteral("11111111")};
        case Element::Cmd_DC: {
            QStringList all;
            for (std::string_view m : kMnemonics) all << qs(m);
            return all;
        }
        case Element::PSW_Label: {
            QStringList all;
            for (const CycleTypeInfo& c : kCycleTypes) all << translated("Cycles", c.label);
            return all;
        }
        case Element::SP_Val:
        case Element::PC_Val:
        case Element::Addr_Buf:
            return {QStringLiteral("FFFF"), QStringLiteral("8888")};
        case Element::Cycle_Num:
        case Element::Time_Num:
            return {QStringLiteral("18")};
        case Element::INC_DEC_Syst:
            return {QStringLiteral("+1"), QStringLiteral("-1")};
        default:
            return {QStringLiteral("FF"), QStringLiteral("88")};
    }
}

}  // namespace

SchemeWidget::SchemeWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SchemeImg"));
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);

    for (const Place& place : kPlaces) {
        auto* label = new QLabel(this);
        const Element e = place.element;
        label->setObjectName(qs(elementName(e)));
        label->setAlignment(Qt::AlignCenter);
        labels_[static_cast<int>(e)] = label;
        if (isRegisterLabel(e)) {
            label->setCursor(Qt::PointingHandCursor);
            label->installEventFilter(this);
        }
        setLabel(e, std::string(), false);
    }
    placeLabels();
    static const Machine kStart;
    showState(kStart);
}

void SchemeWidget::placeLabels() {
    for (const Place& place : kPlaces) {
        const Element e = place.element;
        labels_[static_cast<int>(e)]->setGeometry(zoomed(
            QRect(place.left - kOrigin, place.top - kOrigin, place.width, kLabelHeight), zoom_));
        fitLabelFont(e);
    }
}

void SchemeWidget::fitLabelFont(Element e) {
    QLabel* label = labels_[static_cast<int>(e)];
    const QStringList samples = possibleTexts(e);
    // Long texts take a smaller face; every value must fit its label whole.
    const bool wide = samples.first().size() > 4 || e == Element::Cmd_DC || e == Element::PSW_Label;
    label->setFont(fitted(dejaVu(zoomed(wide ? 9 : 10, zoom_), true), samples, label->width() - zoom_));
}

QString SchemeWidget::labelText(Element e, const std::string& text) {
    // The cycle's name is a word; every other label shows numbers and mnemonics.
    return e == Element::PSW_Label ? translated("Cycles", text) : QString::fromStdString(text);
}

void SchemeWidget::setZoom(qreal factor) {
    if (factor <= 0 || qFuzzyCompare(factor, zoom_)) return;
    zoom_ = factor;
    setFixedSize(zoomed(kWidth, zoom_), zoomed(kHeight, zoom_));
    placeLabels();
    picture_ = QPixmap();
    update();
}

void SchemeWidget::setLabel(Element e, const std::string& text, bool red) {
    const int i = static_cast<int>(e);
    QLabel* label = labels_[i];
    Shown& shown = shown_[i];
    if (shown.text != text) {
        label->setText(labelText(e, text));
        shown.text = text;
    }
    const QColor wanted = red ? kActive : kIdle;
    if (label->palette().color(QPalette::WindowText) != wanted) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, wanted);
        label->setPalette(pal);
    }
    shown.red = red;
}

void SchemeWidget::showState(const Machine& m) {
    for (int i = 0; i < kElementCount; ++i) {
        const auto e = static_cast<Element>(i);
        bool red = m.isRed(e);
        if (e == Element::INC_DEC_Syst) red = true;
        if (e == Element::Time_Num) red = false;
        const Shown& shown = shown_[i];
        std::string text = m.text(e);
        if (shown.red != red || shown.text != text) setLabel(e, text, red);
    }
    if (lamps_ != m.s.lamps) {
        QRegion dirty;
        for (int l = 0; l < kLampCount; ++l) {
            const LampSet b = lampBit(static_cast<Lamp>(l));
            if ((lamps_ ^ m.s.lamps) & b)
                dirty += zoomed(QRect(kLampPoints[l] - QPoint(6, 6), QSize(13, 13)), zoom_)
                             .adjusted(-1, -1, 1, 1);
        }
        lamps_ = m.s.lamps;
        update(dirty);
    }
}

QLabel* SchemeWidget::elementLabel(Element e) const {
    return labels_[static_cast<int>(e)];
}

QPoint SchemeWidget::lampPoint(Lamp l) {
    return kLampPoints[static_cast<int>(l)];
}

QColor SchemeWidget::lampColorAt(Lamp l) const {
    const QPixmap shot = const_cast<SchemeWidget*>(this)->grab();
    const QImage image = shot.toImage();
    // The spot's centre lies half a pixel right of and below the lamp's point.
    const QPointF at =
        (QPointF(lampPoint(l)) + QPointF(0.5, 0.5)) * zoom_ * shot.devicePixelRatio();
    return image.pixelColor(static_cast<int>(at.x()), static_cast<int>(at.y()));
}

void SchemeWidget::setRegisterLabelsEnabled(bool enabled) {
    for (Element e : kRegisterLabels) {
        QLabel* label = labels_[static_cast<int>(e)];
        label->setEnabled(enabled);
        label->setCursor(enabled ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
}

const QPixmap& SchemeWidget::picture(qreal ratio) {
    // Drawn for the device's pixels at this zoom and then copied one to one: never stretched.
    if (picture_.isNull() || picture_.devicePixelRatio() != ratio) {
        picture_ = QPixmap((QSizeF(size()) * ratio).toSize());
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(kBackground);
        QPainter p(&picture_);
        p.scale(zoom_, zoom_);
        drawScheme(p);
    }
    return picture_;
}

void SchemeWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    // The captions are drawn anew in the new language, and the cycle's name is put again.
    picture_ = QPixmap();
    fitLabelFont(Element::PSW_Label);
    labels_[static_cast<int>(Element::PSW_Label)]->setText(
        labelText(Element::PSW_Label, shown_[static_cast<int>(Element::PSW_Label)].text));
    update();
}

void SchemeWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRegion(event->region());
    // The device's own ratio: a screen's, or a picture's when the widget is rendered into one.
    p.drawPixmap(0, 0, picture(p.deviceTransform().m11()));
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(zoom_, zoom_);
    for (int l = 0; l < kLampCount; ++l)
        if (lamps_ & lampBit(static_cast<Lamp>(l))) drawLampSpot(p, kLampPoints[l], kLampOn);
}

bool SchemeWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && label->isEnabled() && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            for (Element e : kRegisterLabels)
                if (labels_[static_cast<int>(e)] == label) emit registerLabelClicked(e);
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orlan
