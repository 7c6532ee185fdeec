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
    // Loads the settings at once: this starts the adapter's server and client.
    explicit TNetSettFrm(NetworkDevice& device, QWidget* parent = nullptr);

    // "OK": stores both fields; a port that is not a number keeps the dialog open.
    void accept() override;
    // Every close, OK or "Отмена", reloads the stored settings.
    void done(int result) override;

  private:
    void load();

    NetworkDevice& device_;
    QLineEdit* address_ = nullptr;
    QLineEdit* port_ = nullptr;
};

}  // namespace orlan
