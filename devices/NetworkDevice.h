// The network adapter behind port 03h: a TCP client that sends one byte per OUT to the peer
// named in the settings (section "NetSettings"), and a TCP server on the same port that lists
// every byte any peer sends as a hex dump. With the default settings the adapter talks to
// itself. No widgets: TNetFrm shows it, TNetSettFrm edits its settings.
//
// Everything runs on the window thread and never waits: connecting, accepting and reading are
// socket events. Failures go to the failure handler as message boxes; the adapter carries on.
// A client that is not connected when a byte is sent connects again and sends the byte once it
// is connected, so two copies started one after the other reach each other; a failed attempt is
// reported once until a connection is made again. Reloading the settings keeps the peers the
// server accepted, so the other copy's link survives it.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "HexDump.h"
#include "Messages.h"
#include "Settings.h"

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;

namespace orlan {

inline const QString kNetSection = QStringLiteral("NetSettings");
inline const QString kNetIpKey = QStringLiteral("IP");
inline const QString kNetPortKey = QStringLiteral("Port");
inline const QString kDefaultNetIp = QStringLiteral("127.000.000.001");
inline const QString kDefaultNetPort = QStringLiteral("30102");

// Typing into the address field, whose groups of "ddd.ddd.ddd.ddd" hold digits or blanks (the
// blank is a space). A digit takes the place at the cursor, stepping over a dot; a dot (or a
// comma, the decimal key of a Russian keypad) pads the cursor's group with zeros on the left and
// moves to the next group, so "10.0.0.1" types as 010.000.000.1 and completes as 010.000.000.001.
class AddressTyping {
  public:
    static constexpr int kLength = 15;
    static QString blank() { return QStringLiteral("   .   .   .   "); }

    AddressTyping(QString text, int cursor);
    // False when the key is no digit, dot or comma (the field handles it itself).
    bool type(QChar key);
    const QString& text() const { return text_; }
    int cursor() const { return cursor_; }

    // The stored 15-character form of a typed address (blanks ignored, each group padded with
    // zeros on the left), or nothing when a group is empty, too long or above 255.
    static std::optional<QString> complete(const QString& typed);

  private:
    QString text_;
    int cursor_;
};

// The client's link to the peer, as the window shows it.
enum class NetLink : uint8_t { Down, Connecting, Up };

class NetworkDevice : public QObject {
    Q_OBJECT
  public:
    // Peers the server keeps at once; further connections are closed as soon as they come.
    static constexpr int kMaxPeers = 16;
    // Bytes that may wait for the peer (while connecting, or unread by a connected peer); more
    // are dropped, and said so once.
    static constexpr qsizetype kMaxWaitingBytes = 1 << 20;

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

    // Reads the stored peer (an invalid value is replaced by its default in the file), starts the
    // server on the port unless it already listens there, and opens the client connection unless
    // it is open (or opening) to that peer already.
    void loadSettings();
    // The settings dialog's OK: closes the client and stores both texts. False when the port
    // text is not a number (reported); the caller then keeps the dialog open.
    bool storeSettings(const QString& ip, const QString& port);

    // OUT to port 03h. Never waits: an unconnected client connects, keeping the byte until then.
    void send(uint8_t b);
    // Empties the dump and the last sent value; the connections stay.
    void clear();
    // Closes the client connection (when the program closes); bytes not sent yet are dropped.
    void closeClient();

    const HexDump& received() const { return received_; }
    // The last byte sent as two hex digits, empty after a clear.
    const QString& lastSent() const { return lastSent_; }
    const QString& addressText() const { return ipText_; }
    const QString& portText() const { return portText_; }
    bool clientConnected() const;
    NetLink link() const { return link_; }
    bool listening() const;
    qsizetype peerCount() const { return peers_.size(); }

  signals:
    void byteReceived();  // bytes were added to the dump
    void sent();          // lastSent() changed
    void cleared();
    void linkChanged();  // link() changed

  private:
    void restartServer();
    void stopServer();
    void acceptPending();
    void acceptPeers();
    void readPeer(QTcpSocket* peer);
    void connectClient();
    void startConnecting();
    void onClientConnected();
    void onClientError(int socketError);
    void updateLink();
    void reportOverflow();
    void report(int socketError, const QString& qtText, const char* operation);

    Settings settings_;
    QHostAddress listenOn_;
    QTcpServer* server_ = nullptr;
    QSocketNotifier* acceptNotifier_ = nullptr;  // drives accepting (see acceptPending)
    QTimer* acceptRetry_ = nullptr;
    quint64 accepted_ = 0;  // connections taken from the server, kept or not
    QTcpSocket* client_ = nullptr;
    QList<QTcpSocket*> peers_;
    std::function<void(const MessageBox&)> onFailure_;

    QString ipText_ = kDefaultNetIp;
    QString portText_ = kDefaultNetPort;
    QHostAddress peerAddress_;
    quint16 port_ = 30102;
    // Where the client connects (or is connected) to.
    QHostAddress clientAddress_;
    quint16 clientPort_ = 0;

    QByteArray waiting_;           // sent while the client connects, in order
    bool outageReported_ = false;  // until the client connects again
    bool overflowReported_ = false;
    NetLink link_ = NetLink::Down;

    HexDump received_;
    QString lastSent_;
};

}  // namespace orlan
