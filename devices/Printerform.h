// TPrinterFrm: the printer window. A tool window with the hex dump of every byte the printer
// received (PrinterBuffer) and three buttons: clear, print, keep on top. Created once at start-up
// and only shown and hidden; the printer keeps receiving while the window is hidden.
#pragma once

#include <QWidget>

#include "PrinterDevice.h"

class QToolButton;

namespace orlan {

class HexDumpView;
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
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();

    PrinterSetup& setup_;
    PrinterDevice device_;

    HexDumpView* printerBuffer_ = nullptr;
    QToolButton* clear_ = nullptr;
    QToolButton* print_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    bool keepOnTop_ = false;
};

}  // namespace orlan
