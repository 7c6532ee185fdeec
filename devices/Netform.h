// TNetFrm: the network adapter's window. A tool window with the last byte sent (NetTxBuffer),
// whether the link to the peer is up (NetLinkState), the hex dump of every byte received
// (NetRxBuffer) and two buttons: clear and keep on top. Created
// once at start-up and only shown and hidden; the adapter sends and receives while it is hidden.
#pragma once

#include <QWidget>

#include "MessageService.h"
#include "NetworkDevice.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orlan {

class HexDumpView;

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

  signals:
    // A failure is about to be reported in `box`; see StorageForm::deviceFailed.
    void deviceFailed(orlan::MessageBox* box);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslate();
    void showLink();

    MessageService& messages_;
    NetworkDevice device_;
    QLineEdit* txBuffer_ = nullptr;
    QLabel* txLabel_ = nullptr;
    QLabel* linkState_ = nullptr;
    QGroupBox* rxGroup_ = nullptr;
    HexDumpView* rxBuffer_ = nullptr;
    QToolButton* clear_ = nullptr;
    QToolButton* keepVisible_ = nullptr;
    bool keepOnTop_ = false;
};

}  // namespace orlan
