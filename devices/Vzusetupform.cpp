#include "Vzusetupform.h"

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "StorageDevice.h"
#include "drives.h"

namespace orlan {

namespace {

QString storedDirectory(const Settings& settings, const StorageProfile& profile) {
    const QString fallback = QString::fromLatin1(profile.defaultDirectory);
    const QString stored = settings.read(kStorageSection, QString::fromLatin1(profile.settingsKey), fallback);
    return stored.isEmpty() ? fallback : stored;
}

QString shown(const QString& folder) { return QDir::toNativeSeparators(folder); }

}  // namespace

DirSelection::DirSelection(const char* objectName, QWidget* parent) : QWidget(parent) {
    setObjectName(QLatin1String(objectName));
    field_ = new QLineEdit(this);
    auto* browse = new QToolButton(this);
    browse->setText(QStringLiteral("..."));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(field_);
    row->addWidget(browse);
    connect(browse, &QToolButton::clicked, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QString(), directory());
        if (!chosen.isEmpty()) setDirectory(chosen);
    });
}

QString DirSelection::directory() const { return field_->text().trimmed(); }

void DirSelection::setDirectory(const QString& folder) { field_->setText(shown(folder)); }

TVZUSetupFrm::TVZUSetupFrm(QWidget* parent, Settings settings) : QDialog(parent), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("VZUSetupFrm"));
    setWindowTitle(QStringLiteral("Настройки внешних ЗУ"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setMinimumWidth(380);

    auto* prompt = new QLabel(QStringLiteral("Выберите каталоги для хранения файлов внешних устройств на:"), this);

    auto* floppyGroup = new QGroupBox(QStringLiteral("Флоппи-дисководе"), this);
    floppy_ = new DirSelection("Floppy_DirSelection", floppyGroup);
    auto* floppyBox = new QVBoxLayout(floppyGroup);
    floppyBox->addWidget(floppy_);
    for (const QString& text : {QStringLiteral("Устройство не готово."), QStringLiteral("Вставьте дискету в дисковод и"),
                                QStringLiteral("нажмите кнопку \"Готово\".")}) {
        auto* label = new QLabel(text, floppyGroup);
        label->setObjectName(QStringLiteral("NotReady_TXT%1").arg(notReady_.size() + 1));
        // Where the "diskette" goes when the machine has no drive A.
        label->setToolTip(shown(driveFolder(QLatin1Char('A'))));
        floppyBox->addWidget(label);
        notReady_ << label;
    }
    ready_ = new QPushButton(QStringLiteral("Готово"), floppyGroup);
    ready_->setObjectName(QStringLiteral("Ready_BTN"));
    ready_->setAutoDefault(false);
    floppyBox->addWidget(ready_, 0, Qt::AlignLeft);

    auto* hddGroup = new QGroupBox(QStringLiteral("Жёском диске"), this);
    hdd_ = new DirSelection("HDD_DirSelection", hddGroup);
    auto* hddBox = new QVBoxLayout(hddGroup);
    hddBox->addWidget(hdd_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("Cancel_BTN"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(floppyGroup);
    layout->addWidget(hddGroup);
    layout->addLayout(buttons);

    connect(ready_, &QPushButton::clicked, this, &TVZUSetupFrm::refresh);
    connect(ok, &QPushButton::clicked, this, &TVZUSetupFrm::accept);
    connect(cancel, &QPushButton::clicked, this, &TVZUSetupFrm::reject);
    // Filled when shown: creating the dialog at start-up touches no folder.
}

void TVZUSetupFrm::refresh() {
    // The drive is ready when the folder the floppy writes to exists: by default the folder that
    // stands for drive A.
    const QString floppyDir = storedDirectory(settings_, kFloppyProfile);
    floppyReady_ = directoryReady(floppyDir);
    floppy_->setDirectory(floppyReady_ ? resolveDirectory(floppyDir) : driveFolder(QLatin1Char('C')));
    floppy_->setVisible(floppyReady_);
    for (QLabel* label : notReady_) label->setVisible(!floppyReady_);
    ready_->setVisible(!floppyReady_);

    ensureDriveFolder(QLatin1Char('C'));
    const QString hddDir = storedDirectory(settings_, kHardDiskProfile);
    hdd_->setDirectory(directoryReady(hddDir) ? resolveDirectory(hddDir) : driveFolder(QLatin1Char('C')));
}

void TVZUSetupFrm::accept() {
    const QString floppy = floppyReady_ ? floppy_->directory() : QString();
    const QString hdd = hdd_->directory();
    settings_.write(kStorageSection, QString::fromLatin1(kFloppyProfile.settingsKey),
                    floppy.isEmpty() ? QString::fromLatin1(kFloppyProfile.defaultDirectory) : floppy);
    settings_.write(kStorageSection, QString::fromLatin1(kHardDiskProfile.settingsKey),
                    hdd.isEmpty() ? QString::fromLatin1(kHardDiskProfile.defaultDirectory) : hdd);
    QDialog::accept();
}

void TVZUSetupFrm::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

}  // namespace orlan
