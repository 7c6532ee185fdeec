#include "Vzusetupform.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "StorageDevice.h"
#include "Drives.h"
#include "Messages.h"

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

TVZUSetupFrm::TVZUSetupFrm(MessageService& messages, QWidget* parent, Settings settings)
    : QDialog(parent), messages_(messages), settings_(std::move(settings)) {
    setObjectName(QStringLiteral("VZUSetupFrm"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    setFont(font);
    setMinimumWidth(380);

    prompt_ = new QLabel(this);

    floppyGroup_ = new QGroupBox(this);
    floppy_ = new DirSelection("Floppy_DirSelection", floppyGroup_);
    auto* floppyBox = new QVBoxLayout(floppyGroup_);
    floppyBox->addWidget(floppy_);
    for (int line = 1; line <= 3; ++line) {
        auto* label = new QLabel(floppyGroup_);
        label->setObjectName(QStringLiteral("NotReady_TXT%1").arg(line));
        floppyBox->addWidget(label);
        notReady_ << label;
    }
    ready_ = new QPushButton(floppyGroup_);
    ready_->setObjectName(QStringLiteral("Ready_BTN"));
    ready_->setAutoDefault(false);
    floppyBox->addWidget(ready_, 0, Qt::AlignLeft);

    hddGroup_ = new QGroupBox(this);
    hdd_ = new DirSelection("HDD_DirSelection", hddGroup_);
    auto* hddBox = new QVBoxLayout(hddGroup_);
    hddBox->addWidget(hdd_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("Cancel_BTN"));
    cancel_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(floppyGroup_);
    layout->addWidget(hddGroup_);
    layout->addLayout(buttons);

    connect(ready_, &QPushButton::clicked, this, &TVZUSetupFrm::refreshFloppy);
    connect(ok, &QPushButton::clicked, this, &TVZUSetupFrm::accept);
    connect(cancel_, &QPushButton::clicked, this, &TVZUSetupFrm::reject);
    retranslate();
    // Filled when shown: creating the dialog at start-up touches no folder.
}

void TVZUSetupFrm::retranslate() {
    setWindowTitle(tr("Настройки внешних ЗУ"));
    prompt_->setText(tr("Выберите каталоги для хранения файлов внешних устройств на:"));
    floppyGroup_->setTitle(tr("Флоппи-дисководе"));
    hddGroup_->setTitle(tr("Жёском диске"));
    notReady_[0]->setText(tr("Устройство не готово."));
    notReady_[1]->setText(tr("Вставьте дискету в дисковод и"));
    notReady_[2]->setText(tr("нажмите кнопку \"Готово\"."));
    ready_->setText(tr("Готово"));
    cancel_->setText(tr("Отмена"));
}

void TVZUSetupFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) retranslate();
    QDialog::changeEvent(event);
}

void TVZUSetupFrm::refresh() {
    refreshFloppy();
    hddStored_ = storedDirectory(settings_, kHardDiskProfile);
    ensureDriveOf(hddStored_);
    hdd_->setDirectory(resolveDirectory(hddStored_));
    hddShown_ = hdd_->directory();
}

void TVZUSetupFrm::refreshFloppy() {
    // The drive itself is always there (its folder is made now, on a fresh system too); a folder
    // the user chose may be gone, like a diskette taken out. The field stays, so that another
    // folder can be chosen instead of waiting for that one.
    floppyStored_ = storedDirectory(settings_, kFloppyProfile);
    ensureDriveOf(floppyStored_);
    floppyReady_ = directoryReady(floppyStored_);
    floppy_->setDirectory(resolveDirectory(floppyStored_));
    floppyShown_ = floppy_->directory();
    for (QLabel* label : notReady_) {
        label->setVisible(!floppyReady_);
        label->setToolTip(floppyShown_);  // where the "diskette" is awaited
    }
    ready_->setVisible(!floppyReady_);
}

bool TVZUSetupFrm::chosenDirectory(const DirSelection* field, const QString& shownAtStart,
                                   const QString& stored, const StorageProfile& profile,
                                   QString& chosen) {
    const QString typed = field->directory();
    // A field left as it was keeps the stored folder, even one that is gone for now.
    if (typed == shownAtStart) {
        chosen = stored;
        return true;
    }
    chosen = typed.isEmpty() ? QString::fromLatin1(profile.defaultDirectory) : typed;
    ensureDriveOf(chosen);
    if (directoryReady(chosen)) return true;
    messages_.show(makeMessage(MessageId::FolderNotFound, typed.toStdString()), this);
    field->field()->setFocus();
    field->field()->selectAll();
    return false;
}

void TVZUSetupFrm::accept() {
    QString floppy, hdd;
    if (!chosenDirectory(floppy_, floppyShown_, floppyStored_, kFloppyProfile, floppy) ||
        !chosenDirectory(hdd_, hddShown_, hddStored_, kHardDiskProfile, hdd))
        return;  // the dialog stays open with the folder to correct
    settings_.write(kStorageSection, QString::fromLatin1(kFloppyProfile.settingsKey), floppy);
    settings_.write(kStorageSection, QString::fromLatin1(kHardDiskProfile.settingsKey), hdd);
    QDialog::accept();
}

void TVZUSetupFrm::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

}  // namespace orlan
