// The monitor behind port 00h: a 312 x 249 screen on which a program draws characters and single
// pixels through a byte protocol, and the hex dump of every byte received. No widgets: TMonFrm
// shows it, OUT feeds it through DevicePorts, and it works whether or not its window is visible.
//
// The protocol: a command byte (bit 7 clear: character, set: pixel; the low 7 bits are the colour
// index), then the character code, or the x and y of the pixel. Every character code is a glyph
// of code page 866, control codes included; characters stand in 8 x 12 cells, 39 to a row, and
// the screen never scrolls (rows below the bottom are lost until a clear).
#pragma once

#include <QImage>
#include <QObject>
#include <QRgb>
#include <cstdint>

#include "HexDump.h"

namespace orlan {

class MonitorDevice : public QObject {
    Q_OBJECT
  public:
    static constexpr int kScreenWidth = 312;
    static constexpr int kScreenHeight = 249;
    static constexpr int kCellWidth = 8;
    static constexpr int kCellHeight = 12;
    static constexpr int kInitialColour = 127;

    explicit MonitorDevice(QObject* parent = nullptr);

    // OUT to port 00h.
    void byteInput(uint8_t b);
    // The clear button: the screen goes black, the dump empties, the protocol starts over with a
    // command byte and the cursor returns home. The mode, colour and pixel x of the last command
    // stay as they were.
    void clear();

    // Colour index 0..127 to the colour shown: c * 020408h read as 00BBGGRR.
    static QRgb colourValue(int index);

    const QImage& screen() const { return screen_; }
    const HexDump& buffer() const { return buffer_; }
    int phase() const { return phase_; }
    bool textMode() const { return textMode_; }
    int colour() const { return colour_; }
    int pixelX() const { return pixelX_; }
    int cursorX() const { return cursorX_; }
    int cursorY() const { return cursorY_; }

  signals:
    // The screen or the dump changed. Emitted once per byte: a window repaints lazily.
    void changed();
    // The dump was emptied (a view holding a copy starts again).
    void cleared();

  private:
    void drawCharacter(uint8_t code);
    void setPixel(int x, int y);

    QImage screen_;
    HexDump buffer_;
    uint8_t phase_ = 0;
    bool textMode_ = true;
    uint8_t colour_ = kInitialColour;
    uint8_t pixelX_ = 0;
    int cursorX_ = 0;
    int cursorY_ = 0;
};

}  // namespace orlan
