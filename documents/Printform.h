// TPrintFrm: the print dialog. Prints a listing of the machine state (heading, a memory range,
// chosen registers) on the printer as one job. Created once at start-up and only shown, so the
// fields keep what the user typed.
//
// The listing is composed in List, the same place that holds the printer device's print text
// between prints: printing borrows that text and always puts it back.
#pragma once

#include <QDialog>
#include <QPointer>
#include <memory>

#include "MessageService.h"
#include "Printerform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextDocument;

namespace orlan {

class Machine;
class PrinterDevice;

class TPrintFrm : public QDialog {
    Q_OBJECT
  public:
    static const QString kDocumentTitle;

    TPrintFrm(MessageService& messages, const Machine& machine, QWidget* parent = nullptr);
    ~TPrintFrm() override;

    // The printer whose print text List holds between prints (none: List starts empty each time).
    void setPrinterDevice(PrinterDevice* device) { device_ = device; }
    // Where the listing is printed (the system's default printer unless replaced).
    void setPrinterChoice(std::unique_ptr<PrinterChoice> choice);

    // Setup_BTN and the main menu's "Настройки принтера...": the system's printer set-up dialog
    // for the printer the listing goes to.
    void printerSetup();
    // Prnt_BTN.
    void print();

    // List: the document of the last listing.
    const QTextDocument& list() const { return *list_; }

  private:
    void onRangeEdited(QLineEdit* field);
    QPrinter* printer();  // null when the system has none

    MessageService& messages_;
    const Machine& machine_;
    QPointer<PrinterDevice> device_;
    std::unique_ptr<PrinterChoice> choice_;
    std::unique_ptr<QPrinter> printer_;  // kept: the set-up dialog's choices last
    QTextDocument* list_ = nullptr;

    QLineEdit* progName_ = nullptr;
    QCheckBox* printMem_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QCheckBox* printReg_ = nullptr;
    QCheckBox* a_ = nullptr;
    QCheckBox* bc_ = nullptr;
    QCheckBox* de_ = nullptr;
    QCheckBox* hl_ = nullptr;
    QCheckBox* pc_ = nullptr;
    QCheckBox* sp_ = nullptr;
    QPushButton* prnt_ = nullptr;
};

}  // namespace orlan
