// The network adapter behind port 03h: a TCP client that sends one byte per OUT to the peer
// named in the settings (section "NetSettings"), and a TCP server on the same port that lists
// every byte any peer sends as a hex dump. With the default settings the adapter talks to
// itself. No widgets: TNetFrm shows it, TNetSettFrm edits its settings.
//
// Everything runs on the window thread and never waits: connecting, accepting and reading are
// socket events. Failures go to the failure handler as message boxes; the adapter carries on
// (a client that failed stays unconnected and later bytes are dropped until the next load).
#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "HexDump.h"
#include "messages.h"
#include "settings.h"

class QTcpServer;
class QTcpSocket;

namespace orlan {

inline const QString kNetSection = QStringLiteral("NetSettings");
inline const QString kNetIpKey = QStringLiteral("IP");
inline const QString kNetPortKey = QStringLiteral("Port");
inline const QString kDefaultNetIp = QStringLiteral("127.000.000.001");
inline const QString kDefaultNetPort = QStringLiteral("30102");

class NetworkDevice : public QObject {
    Q_OBJECT
  public:
    // listenOn: the interfaces the server listens on (all of them in the program).
    explicit NetworkDevice(Settings settings, QHostAddress listenOn = QHostAddress::Any,
                           QObject* parent = nullptr);
    ~NetworkDevice() override;

    void setFailureHandler(std::function<void(const MessageBox&)> handler) {
        onFailure_ = std::move(handler);
    }

    // "ddd.ddd.ddd.ddd", each group 0..255 in decimal: the address it stands for.
    static std::optional<QHostAddress> parseAddress(const QString& text);
    // A decimal number 0..65535.
    static std::optional<quint16> parsePort(const QString& text);

    // Reads the stored peer (an invalid value is replaced by its default in the file), restarts
    // the server on the port and opens the client connection.
    void loadSettings();
    // The settings dialog's OK: closes the client and stores both texts. False when the port
    // text is not a number (reported); the caller then keeps the dialog open.
    bool storeSettings(const QString& ip, const QString& port);

    // OUT to port 03h.
    void send(uint8_t b);
    // Empties the dump and the last sent value; the connections stay.
    void clear();
    // Closes the client connection (when the program closes).
    void closeClient();

    const HexDump& received() const { return received_; }
    // The last byte sent as two hex digits, empty after a clear.
    const QString& lastSent() const { return lastSent_; }
    const QString& addressText() const { return ipText_; }
    const QString& portText() const { return portText_; }
    bool clientConnected() const;
    bool listening() const;

  signals:
    void byteReceived();  // bytes were added to the dump
    void sent();               // lastSent() changed
    void cleared();

  private:
    void restartServer();
    void connectClient();
    void acceptPeers();
    void readPeer(QTcpSocket* peer);
    void report(int socketError, const QString& qtText, const char* operation);

    Settings settings_;
    QHostAddress listenOn_;
    QTcpServer* server_ = nullptr;
    QTcpSocket* client_ = nullptr;
    QList<QTcpSocket*> peers_;
    std::function<void(const MessageBox&)> onFailure_;

    QString ipText_ = kDefaultNetIp;
    QString portText_ = kDefaultNetPort;
    QHostAddress peerAddress_;
    quint16 port_ = 30102;

    HexDump received_;
    QString lastSent_;
};

}  // namespace orlan
