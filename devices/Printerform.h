// TPrinterFrm: the printer window. A tool window with the hex dump of every byte the printer
// received (PrinterBuffer) and three buttons: clear, print, keep on top. Created once at start-up
// and only shown and hidden; the printer keeps receiving while the window is hidden.
#pragma once

#include <QWidget>

#include "PrinterDevice.h"

class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace orlan {

class PrinterSetup;

class TPrinterFrm : public QWidget {
    Q_OBJECT
  public:
    // Prints on the printer chosen in setup, which the listing shares.
    explicit TPrinterFrm(PrinterSetup& setup, QWidget* parent = nullptr);
    ~TPrinterFrm() override;

    PrinterDevice& device() { return device_; }

    // --- the buttons ---
    void clearBuffer();          // ClrBuffer_BTN
    void printBuffer();          // PrintBuffer_BTN
    void setKeepOnTop(bool on);  // KeepVisible
    bool keepOnTop() const { return keepOnTop_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void syncBuffer();

    PrinterSetup& setup_;
    PrinterDevice device_;

    QPlainTextEdit* printerBuffer_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    QTimer* syncTimer_ = nullptr;
    qsizetype shownBytes_ = 0;  // bytes of the dump already in PrinterBuffer
    bool keepOnTop_ = false;
};

}  // namespace orlan
