// TVZUSetupFrm: the storage settings dialog, where the user picks the folders of the floppy drive
// and the hard disk. Only folders that exist are stored. When the floppy's folder is missing the
// dialog says the drive is not ready and offers "Готово" to look again, or another folder.
#pragma once

#include <QDialog>

#include "MessageService.h"
#include "Settings.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orlan {

struct StorageProfile;

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
    explicit TVZUSetupFrm(MessageService& messages, QWidget* parent = nullptr,
                          Settings settings = Settings());

    // Fills both folder fields from the settings (on every showing).
    void refresh();
    // Looks at the floppy drive again ("Готово").
    void refreshFloppy();
    bool floppyReady() const { return floppyReady_; }

    // OK_BTN: stores both folders and closes; a folder typed that does not exist is refused and
    // the dialog stays open.
    void accept() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();
    // What OK stores for one field, in `chosen`: the stored folder while the field is as it was
    // filled, otherwise the folder typed (empty: the device's drive). False, after saying so, when
    // the folder typed does not exist.
    bool chosenDirectory(const DirSelection* field, const QString& shownAtStart,
                         const QString& stored, const StorageProfile& profile, QString& chosen);

    MessageService& messages_;
    Settings settings_;
    DirSelection* floppy_ = nullptr;
    DirSelection* hdd_ = nullptr;
    QString floppyStored_, hddStored_;  // as read from the settings
    QString floppyShown_, hddShown_;    // as the fields were filled
    QLabel* prompt_ = nullptr;
    QGroupBox* floppyGroup_ = nullptr;
    QGroupBox* hddGroup_ = nullptr;
    QList<QLabel*> notReady_;
    QPushButton* ready_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool floppyReady_ = false;
};

}  // namespace orlan
