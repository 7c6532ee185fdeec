// TNetSettFrm: the network settings dialog. The peer's address (a masked field of four 3-digit
// groups) and the port. Whichever button closes it, the adapter reloads the stored settings, so
// a wrong entry is replaced by its default at once and "Отмена" discards what was typed.
#pragma once

#include <QDialog>

class QLineEdit;

namespace orlan {

class NetworkDevice;

class TNetSettFrm : public QDialog {
    Q_OBJECT
  public:
    // With startNow, loads the settings at once: this starts the adapter's server and client.
    // The program starts them from its entry instead (load), so windows made in tests stay off
    // the network.
    explicit TNetSettFrm(NetworkDevice& device, QWidget* parent = nullptr, bool startNow = true);

    // Reads the stored peer into the fields and (re)starts the adapter with it.
    void load();

    // "OK": stores both fields; a port that is not a number keeps the dialog open.
    void accept() override;
    // Every close, OK or "Отмена", reloads the stored settings.
    void done(int result) override;

  private:
    NetworkDevice& device_;
    QLineEdit* address_ = nullptr;
    QLineEdit* port_ = nullptr;
};

}  // namespace orlan
