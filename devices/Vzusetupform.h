// TVZUSetupFrm: the storage settings dialog, where the user picks the folders of the floppy drive
// and the hard disk. A floppy drive that is not ready (its folder is missing) cannot be given a
// folder: the dialog asks for a diskette instead and stores the drive itself.
#pragma once

#include <QDialog>

#include "settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orlan {

// A folder field with a "..." button that opens the desktop's folder chooser.
class DirSelection : public QWidget {
    Q_OBJECT
  public:
    DirSelection(const char* objectName, QWidget* parent);
    QString directory() const;
    void setDirectory(const QString& folder);
    QLineEdit* field() const { return field_; }

  private:
    QLineEdit* field_ = nullptr;
};

class TVZUSetupFrm : public QDialog {
    Q_OBJECT
  public:
    explicit TVZUSetupFrm(QWidget* parent = nullptr, Settings settings = Settings());

    // Looks at the floppy drive again and fills both folder fields (on every showing and on
    // "Готово").
    void refresh();
    bool floppyReady() const { return floppyReady_; }

    // OK_BTN: stores both folders and closes.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Settings settings_;
    DirSelection* floppy_ = nullptr;
    DirSelection* hdd_ = nullptr;
    QList<QLabel*> notReady_;
    QPushButton* ready_ = nullptr;
    bool floppyReady_ = false;
};

}  // namespace orlan
