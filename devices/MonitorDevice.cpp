#include "MonitorDevice.h"

#include "MonitorFont.h"

namespace orlan {

namespace {

// A cell deeper than this row is entirely below the screen; the cursor stops growing there so
// that an endless stream of characters cannot overflow it.
constexpr int kCursorLimit = 1 << 24;

}  // namespace

MonitorDevice::MonitorDevice(QObject* parent)
    : QObject(parent), screen_(kScreenWidth, kScreenHeight, QImage::Format_RGB32) {
    // Black from the start, so whatever a program draws before the window is first opened is
    // still there when it is.
    screen_.fill(Qt::black);
}

QRgb MonitorDevice::colourValue(int index) {
    const uint32_t value = static_cast<uint32_t>(index & 0x7F) * 0x020408u;
    return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

void MonitorDevice::byteInput(uint8_t b) {
    buffer_.append(b);
    switch (phase_) {
        case 0:
            textMode_ = (b & 0x80) == 0;
            colour_ = b & 0x7F;
            phase_ = 1;
            break;
        case 1:
            if (textMode_) {
                drawCharacter(b);
                if (cursorX_ > 300) {
                    cursorX_ = 0;
                    if (cursorY_ < kCursorLimit) cursorY_ += kCellHeight;
                } else {
                    cursorX_ += kCellWidth;
                }
                phase_ = 0;
            } else {
                pixelX_ = b;
                phase_ = 2;
            }
            break;
        default:
            setPixel(pixelX_, b);
            phase_ = 0;
            break;
    }
    emit changed();
}

void MonitorDevice::clear() {
    phase_ = 0;
    screen_.fill(Qt::black);
    buffer_.clear();
    cursorX_ = 0;
    cursorY_ = 0;
    emit cleared();
    emit changed();
}

void MonitorDevice::drawCharacter(uint8_t code) {
    const Glyph& glyph = monitorGlyph(code);
    const QRgb ink = colourValue(colour_);
    const QRgb paper = qRgb(0, 0, 0);
    for (int row = 0; row < kCellHeight; ++row) {
        const int y = cursorY_ + row;
        if (y < 0 || y >= kScreenHeight) continue;
        auto* line = reinterpret_cast<QRgb*>(screen_.scanLine(y));
        for (int column = 0; column < kCellWidth; ++column) {
            const int x = cursorX_ + column;
            if (x >= kScreenWidth) break;
            line[x] = (glyph[row] & (0x80 >> column)) ? ink : paper;
        }
    }
}

void MonitorDevice::setPixel(int x, int y) {
    if (x >= kScreenWidth || y >= kScreenHeight) return;  // y reaches 255, the screen only 248
    reinterpret_cast<QRgb*>(screen_.scanLine(y))[x] = colourValue(colour_);
}

}  // namespace orlan
