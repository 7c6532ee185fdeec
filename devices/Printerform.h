// TPrinterFrm: the printer window. A tool window with the hex dump of every byte the printer
// received (PrinterBuffer) and three buttons: clear, print, keep on top. Created once at start-up
// and only shown and hidden; the printer keeps receiving while the window is hidden.
#pragma once

#include <QWidget>
#include <memory>

#include "MessageService.h"
#include "PrinterDevice.h"

class QPrinter;
class QToolButton;

namespace orlan {

class HexDumpView;

// Where "Печатать" prints.
class PrinterChoice {
  public:
    virtual ~PrinterChoice() = default;
    // A printer for one job, or null when the system has none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
};

// The system's default printer.
class SystemPrinterChoice : public PrinterChoice {
  public:
    std::unique_ptr<QPrinter> defaultPrinter() override;
};

class TPrinterFrm : public QWidget {
    Q_OBJECT
  public:
    explicit TPrinterFrm(MessageService& messages, QWidget* parent = nullptr);
    ~TPrinterFrm() override;

    PrinterDevice& device() { return device_; }
    void setPrinterChoice(std::unique_ptr<PrinterChoice> choice) { printers_ = std::move(choice); }

    // --- the buttons ---
    void clearBuffer();          // ClrBuffer_BTN
    void printBuffer();          // PrintBuffer_BTN
    void setKeepOnTop(bool on);  // KeepVisible
    bool keepOnTop() const { return keepOnTop_; }

  private:
    MessageService& messages_;
    PrinterDevice device_;
    std::unique_ptr<PrinterChoice> printers_;

    HexDumpView* printerBuffer_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    bool keepOnTop_ = false;
};

}  // namespace orlan
