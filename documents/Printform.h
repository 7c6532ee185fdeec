// TPrintFrm: the print dialog. Prints a listing of the machine state (heading, a memory range,
// chosen registers) as one job on the printer chosen in the shared PrinterSetup (or into a PDF
// file). Created once at start-up and only shown, so the fields keep what the user typed.
//
// The listing is composed in List, the same place that holds the printer device's print text
// between prints: printing borrows that text and always puts it back.
#pragma once

#include <QDialog>
#include <QPointer>

#include "MessageService.h"
#include "PrinterDevice.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextDocument;

namespace orlan {

class Machine;
class PrinterSetup;

class TPrintFrm : public QDialog {
    Q_OBJECT
  public:
    // The print job's title, Russian like the listing; the PDF file offered for it is named in
    // the program's language.
    static const QString kDocumentTitle;

    TPrintFrm(MessageService& messages, const Machine& machine, PrinterSetup& setup,
              QWidget* parent = nullptr);
    ~TPrintFrm() override;

    // The printer whose print text List holds between prints (none: List starts empty each time).
    void setPrinterDevice(PrinterDevice* device) { device_ = device; }
    // Setup_BTN: the printer set-up shared with the main menu's "Настройки принтера...".
    void printerSetup();
    // Prnt_BTN.
    void print();
    // Closing waits for a running print job (the job's own progress window cancels it).
    void reject() override;

    // List: the document of the last listing.
    const QTextDocument& list() const { return *list_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();
    void onRangeEdited(QLineEdit* field);

    MessageService& messages_;
    const Machine& machine_;
    PrinterSetup& setup_;
    QPointer<PrinterDevice> device_;
    QTextDocument* list_ = nullptr;

    QLabel* heading_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QGroupBox* memGroup_ = nullptr;
    QLabel* fromLabel_ = nullptr;
    QLabel* toLabel_ = nullptr;
    QGroupBox* regGroup_ = nullptr;
    QPushButton* setupButton_ = nullptr;
    QPushButton* cancel_ = nullptr;
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
