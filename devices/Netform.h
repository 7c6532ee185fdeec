// TNetFrm: the network adapter's window. A tool window with the last byte sent (NetTxBuffer),
// whether the link to the peer is up (NetLinkState), the hex dump of every byte received
// (NetRxBuffer) and two buttons: clear and keep on top. Created
// once at start-up and only shown and hidden; the adapter sends and receives while it is hidden.
#pragma once

#include <QWidget>

#include "MessageService.h"
#include "NetworkDevice.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace orlan {

class TNetFrm : public QWidget {
    Q_OBJECT
  public:
    // listenOn: where the adapter's server listens (all interfaces in the program).
    TNetFrm(MessageService& messages, QWidget* parent = nullptr, Settings settings = Settings(),
            QHostAddress listenOn = QHostAddress::Any);

    NetworkDevice& device() { return device_; }

    void clearBuffers();         // ClrBuffer_BTN
    void setKeepOnTop(bool on);  // KeepVisible
    bool keepOnTop() const { return keepOnTop_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void syncBuffer();

    MessageService& messages_;
    NetworkDevice device_;
    QLineEdit* txBuffer_ = nullptr;
    QLabel* linkState_ = nullptr;
    QPlainTextEdit* rxBuffer_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    QTimer* syncTimer_ = nullptr;
    qsizetype shownBytes_ = 0;  // bytes of the dump already in NetRxBuffer
    bool keepOnTop_ = false;
};

}  // namespace orlan
