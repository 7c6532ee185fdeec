#include "Netsettform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MessageService.h"
#include "NetworkDevice.h"

namespace orlan {

TNetSettFrm::TNetSettFrm(NetworkDevice& device, MessageService& messages, QWidget* parent,
                         bool startNow)
    : QDialog(parent), device_(device), messages_(messages) {
    setObjectName(QStringLiteral("NetSettFrm"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("Adress"));
    // Digits only, the three dots fixed; typing goes through AddressTyping, editing keys through
    // the mask.
    address_->setInputMask(QStringLiteral("999.999.999.999; "));
    address_->installEventFilter(this);
    port_ = new QLineEdit(this);
    port_->setObjectName(QStringLiteral("Port"));
    port_->setMaxLength(5);

    group_ = new QGroupBox(this);
    addressLabel_ = new QLabel(group_);
    portLabel_ = new QLabel(group_);
    auto* form = new QFormLayout(group_);
    form->addRow(addressLabel_, address_);
    form->addRow(portLabel_, port_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cancel_BTN"));
    connect(ok, &QPushButton::clicked, this, &TNetSettFrm::accept);
    connect(cancel_, &QPushButton::clicked, this, &TNetSettFrm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group_);
    layout->addLayout(buttons);

    retranslate();
    if (startNow) load();
}

void TNetSettFrm::retranslate() {
    setWindowTitle(tr("Настройки сети"));
    group_->setTitle(tr("Введите настройки приёмника в сети"));
    addressLabel_->setText(tr("Адрес:"));
    portLabel_->setText(tr("Порт:"));
    cancel_->setText(tr("Отмена"));
}

void TNetSettFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void TNetSettFrm::accept() {
    const std::optional<QString> address = AddressTyping::complete(address_->displayText());
    if (!address) {
        messages_.show(makeMessage(MessageId::NetAddressInvalid, address_->text().toStdString()),
                       this);
        address_->setFocus();
        return;
    }
    address_->setText(*address);
    if (!device_.storeSettings(*address, port_->text())) return;
    QDialog::accept();
}

void TNetSettFrm::done(int result) {
    QDialog::done(result);
    load();
}

bool TNetSettFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != address_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // A key over a selection, or with Ctrl or Alt, is the mask's affair.
    const bool plain =
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!plain || address_->hasSelectedText() || key->text().size() != 1) return false;
    AddressTyping typing(address_->displayText(), address_->cursorPosition());
    if (!typing.type(key->text().front())) return false;
    address_->setText(typing.text());
    address_->setCursorPosition(typing.cursor());
    return true;
}

void TNetSettFrm::load() {
    device_.loadSettings();
    address_->setText(device_.addressText());
    port_->setText(device_.portText());
}

}  // namespace orlan
