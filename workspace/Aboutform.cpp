#include "Aboutform.h"

#include <QDir>
#include <QEnterEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <optional>

#include "Paths.h"

namespace orlan {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kPurple(128, 0, 128);
const QColor kGreen(0, 128, 0);
const QString kLinkFace = QStringLiteral("MS Sans Serif");
const QString kHoverFace = QStringLiteral("Comic Sans MS");
// Neither face ships with most Linux systems; this one does and stands in for both.
const QString kFallbackFace = QStringLiteral("DejaVu Sans");

// The version page is a few bytes; anything far larger is not our page and is not worth a disk.
constexpr qint64 kMaxPageBytes = 64 * 1024;
// The newest build number: 4 decimal characters at byte offset 5 of the page.
constexpr qint64 kBuildOffset = 5;
constexpr qint64 kBuildDigits = 4;

// Newest change first.
const char kWhatsNew[] = QT_TRANSLATE_NOOP("orlan::TAboutFrm",
    "Версия 1.0.2.1735\n"
    "\n"
    "• Сетевой адаптер (порт 03h): байты уходят по TCP другой копии эмулятора (по умолчанию — "
    "самому себе, порт 30102) и показываются в её буфере-приёмнике; настройки сети.\n"
    "\n"
    "• Печать текущих данных: листинг участка памяти и регистров на принтере, настройки "
    "принтера.\n"
    "\n"
    "• Дисковод (порт 01h), жёсткий диск (порт 02h) и принтер (порт 04h): файлы Floppy.vdv и "
    "HDisc.vdv в выбранных папках, буферы с дампом байтов, печать содержимого буфера принтера; "
    "диалог «Настройки внешних ЗУ» и файл настроек ORLAN.ini.\n"
    "\n"
    "• Монитор (порт 00h): экран 312 × 249 точек, символы и точки в 128 цветах, видеобуфер с "
    "дампом всех полученных байтов, сохранение изображения в файл.\n"
    "\n"
    "• Файлы состояния (.vst) и подпрограмм (.vsp): открытие, сохранение, «Сохранить как», "
    "диалог подпрограммы; руководство пользователя (F1); запуск только одной копии программы; "
    "заставка при запуске.\n"
    "\n"
    "• Окно «О программе»: адрес сайта программы, проверка наличия новой версии эмулятора "
    "через Интернет, история изменений.\n"
    "\n"
    "• Главное окно: схема микропроцессора с подсветкой элементов, участвующих в такте; "
    "просмотр и правка памяти; панель регистров; кнопки выполнения такта, команды и программы; "
    "сброс памяти и регистров; полное главное меню; выдвижная таблица системы команд, из которой "
    "команду можно перетащить в ячейку памяти; всплывающая справка по команде. Кодовые страницы "
    "1251 и 866.\n"
    "\n"
    "• Справка по командам: описания всех 256 кодов операций на русском языке и файл справки "
    "CommHlp.vhp (256 записей по 1000 байт в кодировке Windows-1251).\n"
    "\n"
    "• Проверка тактов всех групп команд по единым таблицам.\n"
    "\n"
    "• Все группы команд выполняются по тактам: пересылки, арифметические и логические команды "
    "(с десятичной коррекцией DAA), сдвиги, переходы, вызовы, возвраты и рестарты, работа со "
    "стеком, ввод-вывод OUT/IN, разрешение и запрет прерываний EI/DI, INR/DCR/DAD. Консольный "
    "исполнитель orlan-cli с потактовой трассой в виде строк JSON или таблицы.\n"
    "\n"
    "• Проверки ядра (запись чисел, операции над состоянием, выборка команды, NOP/MOV/MVI/HLT, "
    "неопределённые коды, управление выполнением, файлы), замер быстродействия, сценарии "
    "установки и сборки.\n"
    "\n"
    "• Ядро эмулятора: состояние микропроцессора и модель схемы, запись чисел, таблица мнемоник, "
    "типы машинных циклов, дешифрация и выборка команды, команды NOP, MOV, MVI, HLT, "
    "неопределённые коды, выполнение такта, команды и программы, файлы состояния и "
    "подпрограмм.\n");

// The program's icon: a chip in a DIP package.
QPixmap chipPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    const QRectF body(4 * unit, 1.5 * unit, 8 * unit, 13 * unit);
    // Pins, four a side.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 192, 192));
    for (int i = 0; i < 4; ++i) {
        const qreal y = body.top() + (1.5 + 3 * i) * unit;
        p.drawRect(QRectF(1.5 * unit, y, 2.5 * unit, 1.2 * unit));
        p.drawRect(QRectF(body.right(), y, 2.5 * unit, 1.2 * unit));
    }
    p.setPen(QPen(QColor(0, 0, 0), unit * 0.4));
    p.setBrush(QColor(48, 48, 64));
    p.drawRoundedRect(body, unit, unit);
    // The notch and the first-pin dot.
    QPainterPath notch;
    notch.addEllipse(QPointF(body.center().x(), body.top()), 1.3 * unit, 1.3 * unit);
    p.setBrush(QColor(160, 160, 176));
    p.setPen(Qt::NoPen);
    p.drawPath(notch.intersected([&] {
        QPainterPath clip;
        clip.addRect(body);
        return clip;
    }()));
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPointF(body.left() + 1.6 * unit, body.top() + 1.6 * unit), 0.6 * unit,
                  0.6 * unit);
    return pixmap;
}

// The newest build named by the downloaded page, or nothing when the page does not hold one.
std::optional<int> newestBuild(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kBuildOffset)) return std::nullopt;
    const QByteArray digits = file.read(kBuildDigits);
    if (digits.size() != kBuildDigits) return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// Its text comes with the box's other texts (TAboutFrm::retranslate).
QLabel* textLabel(QWidget* parent, const char* name, const QColor& colour, bool bold) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font(kFallbackFace);
    font.setPointSize(10);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// LinkLabel

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    setLook(kNavy, kLinkFace);
}

void LinkLabel::setLook(const QColor& colour, const QString& family) {
    QFont f = font();
    f.setFamilies({family, kFallbackFace});
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
    setLook(kBlue, kHoverFace);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
    setLook(kNavy, kLinkFace);
    QLabel::leaveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release on the label, as with a button.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

// ---------------------------------------------------------------------------------------------
// TAboutFrm

TAboutFrm::TAboutFrm(MessageService& messages, UrlOpener& urls, QWidget* parent)
    : QDialog(parent), messages_(messages), urls_(urls), network_(new QNetworkAccessManager(this)) {
    setObjectName(QStringLiteral("AboutFrm"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("Pages"));
    pages_->addTab(buildAboutPage(), QString());
    pages_->addTab(buildNewsPage(), QString());

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_BTN"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);
    // A fixed dialog border: the box keeps the size of its contents.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    retranslate();
}

void TAboutFrm::retranslate() {
    setWindowTitle(tr("О программе"));
    pages_->setTabText(0, tr("О программе"));
    pages_->setTabText(1, tr("Что нового"));
    auto* newVersion = findChild<QLabel*>(QStringLiteral("NewVersion_Link"));
    newVersion->setText(tr("Получить сведенья о новой версии"));
    newVersion->setToolTip(tr("Сведенья о новой версии эмулятора"));
    findChild<QLabel*>(QStringLiteral("Title1_Lbl"))->setText(tr("Программа-эмулятор микропроцессорной"));
    findChild<QLabel*>(QStringLiteral("Title2_Lbl"))
        ->setText(tr("системы на базе микропроцессора ОРЛАН-М"));
    findChild<QLabel*>(QStringLiteral("Version_Lbl"))
        ->setText(tr("Версия %1").arg(QLatin1String(kVersion)));
    findChild<QTextEdit*>(QStringLiteral("WhatsNew_Memo"))->setPlainText(tr(kWhatsNew));
}

void TAboutFrm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) retranslate();
}

TAboutFrm::~TAboutFrm() {
    // Closing the program in the middle of a check: no message, and no file left behind.
    if (reply_) {
        disconnect(reply_, nullptr, this, nullptr);
        reply_->abort();
    }
    if (checking_) {
        versionFile_.close();
        if (!versionFile_.fileName().isEmpty()) QFile::remove(versionFile_.fileName());
    }
}

QWidget* TAboutFrm::buildAboutPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("About_Page"));

    auto* icon = new QLabel(page);
    icon->setObjectName(QStringLiteral("Icon_Img"));
    icon->setPixmap(chipPixmap(48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* site = new LinkLabel(QString::fromLatin1(kSiteAddress), page);
    site->setObjectName(QStringLiteral("Site_Link"));
    connect(site, &LinkLabel::clicked, this,
            [this] { urls_.open(QUrl(QString::fromLatin1(kSiteAddress))); });

    auto* newVersion = new LinkLabel(QString(), page);
    newVersion->setObjectName(QStringLiteral("NewVersion_Link"));
    connect(newVersion, &LinkLabel::clicked, this, &TAboutFrm::checkNewVersion);

    auto* text = new QVBoxLayout;
    text->addWidget(textLabel(page, "Title1_Lbl", kPurple, true));
    text->addWidget(textLabel(page, "Title2_Lbl", kPurple, true));
    text->addSpacing(8);
    text->addWidget(textLabel(page, "Version_Lbl", kGreen, false));
    text->addSpacing(16);
    text->addWidget(site);
    text->addWidget(newVersion);
    text->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addSpacing(8);
    layout->addLayout(text);
    return page;
}

QWidget* TAboutFrm::buildNewsPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("News_Page"));
    auto* memo = new QTextEdit(page);
    memo->setObjectName(QStringLiteral("WhatsNew_Memo"));
    memo->setReadOnly(true);
    memo->setFont(QFont(kFallbackFace, 9));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(memo);
    page->setMinimumHeight(220);
    return page;
}

int TAboutFrm::localBuild() {
    return QString::fromLatin1(kVersion).section(QLatin1Char('.'), -1).toInt();
}

// Re-centred on the main window at every showing, as a fresh dialog would be.
void TAboutFrm::hideEvent(QHideEvent* event) {
    setAttribute(Qt::WA_Moved, false);
    QDialog::hideEvent(event);
}

// ---------------------------------------------------------------------------------------------
// The new-version check

// The page goes beside the executable like the program's other files; an installed copy whose
// folder is read-only uses the temporary folder.
bool TAboutFrm::openVersionFile() {
    const QString name = QString::fromLatin1(kVersionFileName);
    for (const QString& path : {besideExecutable(name), QDir(QDir::tempPath()).filePath(name)}) {
        versionFile_.setFileName(path);
        if (versionFile_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
    }
    versionFile_.setFileName(QString());
    return false;
}

void TAboutFrm::checkNewVersion() {
    if (checking_) return;
    checking_ = true;
    if (!openVersionFile()) {
        finishCheck(makeMessage(MessageId::VersionCheckFailed));
        return;
    }
    QNetworkRequest request(versionPage_);
    request.setTransferTimeout(timeoutMs_);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &TAboutFrm::onPageData);
    connect(reply_, &QNetworkReply::finished, this, &TAboutFrm::onPageFinished);
}

void TAboutFrm::onPageData() {
    const QByteArray data = reply_->readAll();
    if (versionFile_.write(data) != data.size() || versionFile_.size() > kMaxPageBytes)
        reply_->abort();  // finishes as a failed download
}

void TAboutFrm::onPageFinished() {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    bool downloaded = reply->error() == QNetworkReply::NoError;
    if (downloaded) {
        const QByteArray rest = reply->readAll();
        downloaded = versionFile_.write(rest) == rest.size() && versionFile_.flush();
    }
    versionFile_.close();

    // A page without a build number at its place tells nothing: the check failed.
    const std::optional<int> newest =
        downloaded ? newestBuild(versionFile_.fileName()) : std::nullopt;
    if (!newest)
        finishCheck(makeMessage(MessageId::VersionCheckFailed));
    else if (localBuild() < *newest)
        finishCheck(makeMessage(MessageId::NewVersionAvailable, kSiteAddress));
    else
        finishCheck(makeMessage(MessageId::NoNewVersion));
}

void TAboutFrm::finishCheck(const MessageBox& box) {
    messages_.show(box, isVisible() ? static_cast<QWidget*>(this) : parentWidget());
    if (!versionFile_.fileName().isEmpty()) QFile::remove(versionFile_.fileName());
    checking_ = false;
    emit versionCheckFinished();
}

}  // namespace orlan
