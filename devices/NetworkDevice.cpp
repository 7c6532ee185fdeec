#include "NetworkDevice.h"

#include <QSocketNotifier>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <utility>

namespace orlan {

namespace {

// How long accepting rests after the server could not take a waiting connection.
constexpr int kAcceptRetryMs = 500;

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The socket failures a user meets, in the words of the system's socket layer; anything rarer
// keeps Qt's own description. In the program's language when the failure is reported.
QString describe(int error, const QString& qtText) {
    switch (static_cast<QAbstractSocket::SocketError>(error)) {
        case QAbstractSocket::ConnectionRefusedError:
            return NetworkDevice::tr(
                "Подключение не установлено, т.к. конечный компьютер отверг запрос на подключение");
        case QAbstractSocket::AddressInUseError:
            return NetworkDevice::tr(
                "Обычно разрешается только одно использование адреса сокета (протокол/сетевой "
                "адрес/порт)");
        case QAbstractSocket::HostNotFoundError:
        case QAbstractSocket::NetworkError:
            return NetworkDevice::tr(
                "Не удается выполнить операцию на сокете, т.к. сеть или узел недоступны");
        case QAbstractSocket::SocketTimeoutError:
            return NetworkDevice::tr(
                "Попытка установить соединение была безуспешной, т.к. от другого компьютера за "
                "требуемое время не получен нужный отклик");
        case QAbstractSocket::SocketAccessError:
            return NetworkDevice::tr(
                "Сделана попытка доступа к сокету методом, запрещенным правами доступа");
        default:
            return qtText;
    }
}

}  // namespace

AddressTyping::AddressTyping(QString text, int cursor)
    : text_(text.size() == kLength ? std::move(text) : blank()),
      cursor_(std::clamp(cursor, 0, kLength)) {}

bool AddressTyping::type(QChar key) {
    if (isDigit(key)) {
        int at = cursor_;
        if (at < kLength && text_[at] == QLatin1Char('.')) ++at;
        if (at < kLength) {  // a full field takes no more
            text_[at] = key;
            cursor_ = at + 1;
        }
        return true;
    }
    if (key != QLatin1Char('.') && key != QLatin1Char(',')) return false;
    const int group = std::min(cursor_ / 4, 3);
    QString digits;
    for (int i = group * 4; i < group * 4 + 3; ++i)
        if (isDigit(text_[i])) digits += text_[i];
    // An empty group stays empty: OK then says the address is incomplete.
    if (!digits.isEmpty()) text_.replace(group * 4, 3, digits.rightJustified(3, QLatin1Char('0')));
    cursor_ = std::min(group * 4 + 4, kLength);
    return true;
}

std::optional<QString> AddressTyping::complete(const QString& typed) {
    const QStringList groups = typed.split(QLatin1Char('.'));
    if (groups.size() != 4) return std::nullopt;
    QStringList padded;
    for (const QString& group : groups) {
        const QString digits = QString(group).remove(QLatin1Char(' '));
        if (digits.isEmpty() || digits.size() > 3) return std::nullopt;
        if (!std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
        if (digits.toInt() > 255) return std::nullopt;
        padded << digits.rightJustified(3, QLatin1Char('0'));
    }
    return padded.join(QLatin1Char('.'));
}

NetworkDevice::NetworkDevice(Settings settings, QHostAddress listenOn, QObject* parent)
    : QObject(parent), settings_(std::move(settings)), listenOn_(std::move(listenOn)),
      server_(new QTcpServer(this)), acceptRetry_(new QTimer(this)), client_(new QTcpSocket(this)) {
    connect(server_, &QTcpServer::newConnection, this, &NetworkDevice::acceptPeers);
    acceptRetry_->setSingleShot(true);
    acceptRetry_->setInterval(kAcceptRetryMs);
    connect(acceptRetry_, &QTimer::timeout, this, [this] {
        if (acceptNotifier_) acceptNotifier_->setEnabled(true);
    });

    connect(client_, &QAbstractSocket::connected, this, &NetworkDevice::onClientConnected);
    connect(client_, &QAbstractSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError e) { onClientError(e); });
    connect(client_, &QAbstractSocket::stateChanged, this, &NetworkDevice::updateLink);
    connect(client_, &QAbstractSocket::disconnected, this, [this] {
        // Bytes sent while the old link was closing go out on a new one; the socket is not ready
        // for that until this signal is over.
        if (waiting_.isEmpty()) return;
        QMetaObject::invokeMethod(this, [this] {
            if (!waiting_.isEmpty() && client_->state() == QAbstractSocket::UnconnectedState)
                startConnecting();
        }, Qt::QueuedConnection);
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
    if (client_->state() == QAbstractSocket::ConnectedState) {
        // A peer that takes nothing must not make the program's bytes pile up without end.
        if (client_->bytesToWrite() >= kMaxWaitingBytes) return reportOverflow();
        const char byte = static_cast<char>(b);
        if (client_->write(&byte, 1) != 1) onClientError(client_->error());
        return;
    }
    if (waiting_.size() >= kMaxWaitingBytes) return reportOverflow();
    waiting_.append(static_cast<char>(b));
    // Otherwise an attempt is under way, or the old link is closing and reconnects when closed.
    if (client_->state() == QAbstractSocket::UnconnectedState) startConnecting();
}

void NetworkDevice::clear() {
    received_.clear();
    lastSent_.clear();
    emit cleared();
}

void NetworkDevice::closeClient() {
    waiting_.clear();
    client_->abort();
}

bool NetworkDevice::clientConnected() const {
    return client_->state() == QAbstractSocket::ConnectedState;
}

bool NetworkDevice::listening() const { return server_->isListening(); }

void NetworkDevice::restartServer() {
    // Already listening there: leave it, so the peers it took (the other copy's client among
    // them) stay connected through a reload.
    if (server_->isListening() && server_->serverPort() == port_) return;
    stopServer();
    if (!server_->listen(listenOn_, port_)) {
        report(server_->serverError(), server_->errorString(), "listen");
        return;
    }
    // The server's own notifier fires without end when accepting fails for want of descriptors,
    // and says nothing: accepting is driven from a notifier of ours that can rest instead.
    server_->pauseAccepting();
    acceptNotifier_ = new QSocketNotifier(server_->socketDescriptor(), QSocketNotifier::Read, this);
    connect(acceptNotifier_, &QSocketNotifier::activated, this, &NetworkDevice::acceptPending);
}

void NetworkDevice::stopServer() {
    acceptRetry_->stop();
    delete acceptNotifier_;
    acceptNotifier_ = nullptr;
    server_->close();  // the peers it took are ours and stay
}

void NetworkDevice::acceptPending() {
    acceptNotifier_->setEnabled(false);
    const quint64 before = accepted_;
    server_->waitForNewConnection(0);  // takes every waiting connection; acceptPeers keeps them
    server_->pauseAccepting();         // taking a connection woke the server's own notifier
    if (accepted_ == before) {
        // A connection waits but could not be taken (no descriptor left, or it was reset).
        acceptRetry_->start();
        return;
    }
    acceptNotifier_->setEnabled(true);
}

void NetworkDevice::acceptPeers() {
    while (QTcpSocket* peer = server_->nextPendingConnection()) {
        ++accepted_;
        if (peers_.size() >= kMaxPeers) {
            peer->abort();
            peer->deleteLater();
            continue;
        }
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

void NetworkDevice::connectClient() {
    const bool samePeer = clientAddress_ == peerAddress_ && clientPort_ == port_;
    if (samePeer && client_->state() != QAbstractSocket::UnconnectedState) return;
    closeClient();
    // A load is a fresh start: if this attempt fails, that is worth a word again.
    outageReported_ = false;
    overflowReported_ = false;
    startConnecting();
}

void NetworkDevice::startConnecting() {
    clientAddress_ = peerAddress_;
    clientPort_ = port_;
    client_->connectToHost(clientAddress_, clientPort_);
}

void NetworkDevice::onClientConnected() {
    outageReported_ = false;
    overflowReported_ = false;
    if (!waiting_.isEmpty()) client_->write(std::exchange(waiting_, {}));
}

void NetworkDevice::onClientError(int socketError) {
    // The peer going away is no failure of ours: the next byte connects again.
    if (socketError == QAbstractSocket::RemoteHostClosedError) return;
    const bool connected = client_->state() == QAbstractSocket::ConnectedState;
    const char* operation = connected ? "send" : "connect";
    const QString text = client_->errorString();
    // The bytes waited for this attempt; the next byte makes a new one. All settled before the
    // message box, which runs the event loop.
    waiting_.clear();
    client_->abort();
    if (outageReported_) return;
    outageReported_ = true;
    report(socketError, text, operation);
}

void NetworkDevice::updateLink() {
    NetLink now = NetLink::Down;
    switch (client_->state()) {
        case QAbstractSocket::ConnectedState:
            now = NetLink::Up;
            break;
        case QAbstractSocket::HostLookupState:
        case QAbstractSocket::ConnectingState:
            now = NetLink::Connecting;
            break;
        default:
            break;
    }
    if (now == link_) return;
    link_ = now;
    emit linkChanged();
}

void NetworkDevice::reportOverflow() {
    if (overflowReported_) return;
    overflowReported_ = true;
    if (onFailure_)
        onFailure_(makeMessage(MessageId::NetSendOverflow, ipText_.toStdString(),
                               QString::number(port_).toStdString()));
}

void NetworkDevice::report(int socketError, const QString& qtText, const char* operation) {
    if (!onFailure_) return;
    onFailure_(makeMessage(MessageId::NetSocketError, describe(socketError, qtText).toStdString(),
                           operation));
}

}  // namespace orlan
