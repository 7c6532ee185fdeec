// TPrnSetupFrm: "Настройки принтера". Chooses where every print job goes (an installed printer
// or "PDF-файл") and the page set-up, with OK and "Отмена": nothing is printed from here. The
// choice is made on a copy and handed to the PrinterSetup on OK, so "Отмена" leaves it as it was.
#pragma once

#include <QDialog>
#include <QPageLayout>
#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;

namespace orlan {

class PrinterSetup;

class TPrnSetupFrm : public QDialog {
    Q_OBJECT
  public:
    TPrnSetupFrm(PrinterSetup& setup, QWidget* parent = nullptr);
    ~TPrnSetupFrm() override;

    // Offers the printers installed now and "PDF-файл", starting from the set-up in use
    // (printer empty: a PDF file).
    void load(const QString& printer, const QPageLayout& layout);

    // The choice as it stands in the dialog.
    QString chosenPrinter() const;
    std::unique_ptr<QPrinter> takePrinter();

    // PageSetup_BTN: the paper, its orientation and the margins, for the printer chosen.
    void pageSetup();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();
    void onPrinterChosen();
    void showPaper();

    PrinterSetup& setup_;
    std::unique_ptr<QPrinter> printer_;  // the printer chosen, carrying the page set-up
    QComboBox* printers_ = nullptr;
    QLabel* printerLabel_ = nullptr;
    QLabel* paperLabel_ = nullptr;
    QLabel* paper_ = nullptr;
    QPushButton* pageSetup_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace orlan
