// TNetSettFrm: the network settings dialog. The peer's address (a masked field of four 3-digit
// groups, where a dot moves on to the next group) and the port. Whichever button closes it, the
// adapter reloads the stored settings, so "Отмена" discards what was typed.
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orlan {

class MessageService;
class NetworkDevice;

class TNetSettFrm : public QDialog {
    Q_OBJECT
  public:
    // With startNow, loads the settings at once: this starts the adapter's server and client.
    // The program starts them from its entry instead (load), so windows made in tests stay off
    // the network.
    TNetSettFrm(NetworkDevice& device, MessageService& messages, QWidget* parent = nullptr,
                bool startNow = true);

    // Reads the stored peer into the fields and (re)starts the adapter with it.
    void load();

    // "OK": an address that is not four numbers 0..255 is said so and the dialog stays open;
    // otherwise stores both fields (the address padded to its 15-character form); a port that is
    // not a number keeps the dialog open too.
    void accept() override;
    // Every close, OK or "Отмена", reloads the stored settings.
    void done(int result) override;

  protected:
    // Digits and dots typed into the address field (AddressTyping).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();

    NetworkDevice& device_;
    MessageService& messages_;
    QGroupBox* group_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* port_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace orlan
