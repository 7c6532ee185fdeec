// TSubProgFrm: the small modal dialog that asks for the memory range of a subprogram file: the
// start cell when one is loaded, the start and end cells when one is saved. It is created once
// and reused, so its fields keep what was typed last. Its mode is the visibility of To_Ed.
// OK only asks for the transfer (transferRequested); the file commands close the dialog when the
// transfer goes ahead and leave it open, fields as typed, when the range has to be corrected.
#pragma once

#include <QDialog>
#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orlan {

class TSubProgFrm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Load, Save };

    explicit TSubProgFrm(QWidget* parent = nullptr);

    // Caption, operation text and the end-cell field of the mode.
    void setMode(Mode mode);
    Mode mode() const;

    // The fields read as hexadecimal numbers (an empty field reads as 0).
    uint16_t fromCell() const;
    uint16_t toCell() const;

signals:
    void transferRequested();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onFieldChanged(QLineEdit* field);
    // Caption and labels of the mode in the current language.
    void retranslate();

    QLabel* label3_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLineEdit* fromEd_ = nullptr;
    QLineEdit* toEd_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace orlan
