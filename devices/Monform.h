// TMonFrm: the monitor window. A picture of a monitor (MonImg) in a frameless window that is
// transparent round it, with the screen (ScreenImg) and the buttons on the case; below, shown on
// demand, the hex dump of every byte the monitor received (MonBuffer). Created once at start-up
// and only shown and hidden; the monitor itself keeps working while the window is hidden.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "MessageService.h"
#include "MonitorDevice.h"

class QFileDialog;
class QGroupBox;
class QToolButton;

namespace orlan {

class HexDumpView;

// Asks where to save the screen picture; an empty result means the user cancelled.
class ScreenshotDialog {
  public:
    virtual ~ScreenshotDialog() = default;
    virtual QString saveFileName(QWidget* parent) = 0;
};

// The desktop's save dialog, created on first use and kept, so it remembers its folder.
class QtScreenshotDialog : public ScreenshotDialog {
  public:
    QString saveFileName(QWidget* parent) override;

  private:
    QPointer<QFileDialog> dialog_;
};

class TMonFrm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 420;
    static constexpr int kHeightBufferHidden = 380;
    static constexpr int kHeightBufferShown = 528;

    explicit TMonFrm(MessageService& messages, QWidget* parent = nullptr);
    ~TMonFrm() override;

    MonitorDevice& device() { return device_; }
    void setScreenshotDialog(std::unique_ptr<ScreenshotDialog> dialog) {
        dialog_ = std::move(dialog);
    }

    // --- the buttons ---
    void clearBuffer();               // ClrBuffer_BTN
    void saveScreen();                // SaveScr_BTN
    void setKeepOnTop(bool on);       // KeepVisible
    void setBufferShown(bool shown);  // ShBuff_Img
    bool bufferShown() const { return bufferShown_; }
    bool keepOnTop() const { return keepOnTop_; }

    // Every showing starts with the buffer hidden.
    void setVisible(bool visible) override;

  protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void retranslate();
    QString bufferHint() const;  // ShBuff_Img's, as the buffer is now
    void applyLook();
    void onDeviceChanged();

    MessageService& messages_;
    MonitorDevice device_;
    std::unique_ptr<ScreenshotDialog> dialog_;

    QWidget* monImg_ = nullptr;
    QWidget* screenImg_ = nullptr;
    QToolButton* clear_ = nullptr;
    QToolButton* save_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    QToolButton* shBuff_ = nullptr;
    QToolButton* close_ = nullptr;
    QGroupBox* bufferGroup_ = nullptr;
    HexDumpView* monBuffer_ = nullptr;

    qreal zoom_ = 1.0;  // the program's, followed
    bool bufferShown_ = false;
    bool keepOnTop_ = false;
    bool changingLook_ = false;  // new window flags hide and re-show the window
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace orlan
