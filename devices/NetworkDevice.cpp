#include "NetworkDevice.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace orlan {

namespace {

// The socket failures a user meets, in the words of the system's socket layer; anything rarer
// keeps Qt's own description.
QString describe(int error, const QString& qtText) {
    switch (static_cast<QAbstractSocket::SocketError>(error)) {
        case QAbstractSocket::ConnectionRefusedError:
            return QStringLiteral("Подключение не установлено, т.к. конечный компьютер отверг запрос на подключение");
        case QAbstractSocket::AddressInUseError:
            return QStringLiteral("Обычно разрешается только одно использование адреса сокета (протокол/сетевой адрес/порт)");
        case QAbstractSocket::HostNotFoundError:
        case QAbstractSocket::NetworkError:
            return QStringLiteral("Не удается выполнить операцию на сокете, т.к. сеть или узел недоступны");
        case QAbstractSocket::SocketTimeoutError:
            return QStringLiteral("Попытка установить соединение была безуспешной, т.к. от другого компьютера за требуемое время не получен нужный отклик");
        case QAbstractSocket::SocketAccessError:
            return QStringLiteral("Сделана попытка доступа к сокету методом, запрещенным правами доступа");
        default:
            return qtText;
    }
}

}  // namespace

NetworkDevice::NetworkDevice(Settings settings, QHostAddress listenOn, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), listenOn_(std::move(listenOn)),
      server_(new QTcpServer(this)), client_(new QTcpSocket(this)) {
    connect(server_, &QTcpServer::newConnection, this, &NetworkDevice::acceptPeers);
    connect(client_, &QAbstractSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        // The peer going away is no failure of ours: the client is simply unconnected now.
        if (e == QAbstractSocket::RemoteHostClosedError) return;
        const bool connecting = client_->state() != QAbstractSocket::ConnectedState;
        report(e, client_->errorString(), connecting ? "connect" : "send");
        client_->abort();
    });
}

NetworkDevice::~NetworkDevice() = default;

std::optional<QHostAddress> NetworkDevice::parseAddress(const QString& text) {
    if (text.size() != 15) return std::nullopt;
    quint32 ip = 0;
    for (int group = 0; group < 4; ++group) {
        const int at = group * 4;
        if (group > 0 && text[at - 1] != QLatin1Char('.')) return std::nullopt;
        int value = 0;
        for (int i = at; i < at + 3; ++i) {
            if (!text[i].isDigit() || text[i].unicode() > '9') return std::nullopt;
            value = value * 10 + (text[i].unicode() - '0');  // decimal even with a leading zero
        }
        if (value > 255) return std::nullopt;
        ip = (ip << 8) | static_cast<quint32>(value);
    }
    return QHostAddress(ip);
}

std::optional<quint16> NetworkDevice::parsePort(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < 0 || value > 0xFFFF) return std::nullopt;
    return static_cast<quint16>(value);
}

void NetworkDevice::loadSettings() {
    ipText_ = settings_.read(kNetSection, kNetIpKey, kDefaultNetIp);
    std::optional<QHostAddress> address = parseAddress(ipText_);
    if (!address) {
        ipText_ = kDefaultNetIp;
        settings_.write(kNetSection, kNetIpKey, ipText_);
        address = parseAddress(ipText_);
    }
    peerAddress_ = *address;

    portText_ = settings_.read(kNetSection, kNetPortKey, kDefaultNetPort);
    std::optional<quint16> port = parsePort(portText_);
    if (!port) {
        portText_ = kDefaultNetPort;
        settings_.write(kNetSection, kNetPortKey, portText_);
        port = parsePort(portText_);
    }
    port_ = *port;

    restartServer();
    connectClient();
}

bool NetworkDevice::storeSettings(const QString& ip, const QString& port) {
    closeClient();
    settings_.write(kNetSection, kNetIpKey, ip);
    settings_.write(kNetSection, kNetPortKey, port);
    bool ok = false;
    (void)port.toInt(&ok, 10);
    if (!ok) {
        if (onFailure_) onFailure_(makeMessage(MessageId::NetPortNotNumber, port.toStdString()));
        return false;
    }
    return true;
}

void NetworkDevice::send(uint8_t b) {
    lastSent_ = QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    emit sent();
    if (client_->state() != QAbstractSocket::ConnectedState) return;  // dropped silently
    const char byte = static_cast<char>(b);
    if (client_->write(&byte, 1) != 1) {
        report(client_->error(), client_->errorString(), "send");
        client_->abort();
    }
}

void NetworkDevice::clear() {
    received_.clear();
    lastSent_.clear();
    emit cleared();
}

void NetworkDevice::closeClient() { client_->abort(); }

bool NetworkDevice::clientConnected() const {
    return client_->state() == QAbstractSocket::ConnectedState;
}

bool NetworkDevice::listening() const { return server_->isListening(); }

void NetworkDevice::restartServer() {
    server_->close();
    // A stopped server drops its peers, so a reconnecting client starts afresh.
    for (QTcpSocket* peer : std::as_const(peers_)) {
        peer->disconnect(this);
        peer->abort();
        peer->deleteLater();
    }
    peers_.clear();
    if (!server_->listen(listenOn_, port_))
        report(server_->serverError(), server_->errorString(), "listen");
}

void NetworkDevice::connectClient() {
    client_->abort();
    client_->connectToHost(peerAddress_, port_);
}

void NetworkDevice::acceptPeers() {
    while (QTcpSocket* peer = server_->nextPendingConnection()) {
        peers_.append(peer);
        connect(peer, &QTcpSocket::readyRead, this, [this, peer] { readPeer(peer); });
        connect(peer, &QTcpSocket::disconnected, this, [this, peer] {
            readPeer(peer);  // whatever came with the close
            peers_.removeOne(peer);
            peer->deleteLater();
        });
        readPeer(peer);
    }
}

void NetworkDevice::readPeer(QTcpSocket* peer) {
    const QByteArray bytes = peer->readAll();
    if (bytes.isEmpty()) return;
    for (char c : bytes) received_.append(static_cast<unsigned char>(c));
    emit byteReceived();
}

void NetworkDevice::report(int socketError, const QString& qtText, const char* operation) {
    if (!onFailure_) return;
    onFailure_(makeMessage(MessageId::NetSocketError, describe(socketError, qtText).toStdString(),
                           operation));
}

}  // namespace orlan
