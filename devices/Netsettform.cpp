#include "Netsettform.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "NetworkDevice.h"

namespace orlan {

TNetSettFrm::TNetSettFrm(NetworkDevice& device, QWidget* parent, bool startNow) : QDialog(parent), device_(device) {
    setObjectName(QStringLiteral("NetSettFrm"));
    setWindowTitle(QStringLiteral("Настройки сети"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("Adress"));
    // Digits only, the three dots fixed. A group left short is no 3-digit number, so the load
    // after OK puts the default address back.
    address_->setInputMask(QStringLiteral("999.999.999.999; "));
    port_ = new QLineEdit(this);
    port_->setObjectName(QStringLiteral("Port"));
    port_->setMaxLength(5);

    auto* group = new QGroupBox(QStringLiteral("Введите настройки приёмника в сети"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Адрес:"), address_);
    form->addRow(QStringLiteral("Порт:"), port_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Cancel_BTN"));
    connect(ok, &QPushButton::clicked, this, &TNetSettFrm::accept);
    connect(cancel, &QPushButton::clicked, this, &TNetSettFrm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    if (startNow) load();
}

void TNetSettFrm::accept() {
    if (!device_.storeSettings(address_->text(), port_->text())) return;
    QDialog::accept();
}

void TNetSettFrm::done(int result) {
    QDialog::done(result);
    load();
}

void TNetSettFrm::load() {
    device_.loadSettings();
    address_->setText(device_.addressText());
    port_->setText(device_.portText());
}

}  // namespace orlan
