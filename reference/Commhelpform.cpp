#include "Commhelpform.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QToolButton>

#include "Translations.h"
#include "Codepage.h"
#include "Paths.h"

namespace orlan {
namespace {

constexpr int kWidth = 287;
constexpr int kHeight = 136;
constexpr int kButtonSize = 16;
constexpr int kBelowClick = 20;

// A plain cross; drawn here so the popup needs no picture file.
QIcon closeIcon() {
    QPixmap pix(kButtonSize, kButtonSize);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(128, 0, 0), 2));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
    return QIcon(pix);
}

}  // namespace

TCommHelpFrm::TCommHelpFrm(QWidget* parent)
    // Qt::Popup closes the window on any click outside it, which is when the help should go.
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint),
      helpFile_(dataFile(QStringLiteral("CommHlp.vhp"))) {
    setObjectName(QStringLiteral("CommHelpFrm"));
    setFixedSize(kWidth, kHeight);

    Close_BTN = new QToolButton(this);
    Close_BTN->setObjectName(QStringLiteral("Close_BTN"));
    Close_BTN->setGeometry(0, 0, kButtonSize, kButtonSize);
    Close_BTN->setAutoRaise(true);
    Close_BTN->setIcon(closeIcon());
    Close_BTN->setIconSize(QSize(kButtonSize - 2, kButtonSize - 2));
    Close_BTN->setCursor(Qt::PointingHandCursor);
    Close_BTN->setFocusPolicy(Qt::NoFocus);
    connect(Close_BTN, &QToolButton::clicked, this, &QWidget::close);

    QFont titleFont(QStringLiteral("DejaVu Sans Mono"));
    titleFont.setStyleHint(QFont::Monospace);
    titleFont.setPixelSize(12);
    titleFont.setBold(true);
    CommName = new QLabel(this);
    CommName->setObjectName(QStringLiteral("CommName"));
    CommName->setGeometry(kButtonSize, 0, kWidth - kButtonSize, kButtonSize);
    CommName->setAlignment(Qt::AlignCenter);
    CommName->setFont(titleFont);

    QFont textFont(QStringLiteral("DejaVu Sans Mono"));
    textFont.setStyleHint(QFont::Monospace);
    textFont.setPixelSize(11);
    HlpText = new QPlainTextEdit(this);
    HlpText->setObjectName(QStringLiteral("HlpText"));
    HlpText->setGeometry(0, kButtonSize + 1, kWidth, kHeight - kButtonSize - 1);
    HlpText->setReadOnly(true);
    HlpText->setFont(textFont);
    HlpText->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPalette pal = HlpText->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 0));
    pal.setColor(QPalette::Text, Qt::black);
    HlpText->setPalette(pal);

    retranslate();

    // Switching to another application takes the help away too.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive && isVisible()) close();
    });
}

void TCommHelpFrm::retranslate() { Close_BTN->setToolTip(tr("Закрыть справку по команде")); }

void TCommHelpFrm::setHelpFile(const QString& path) { helpFile_ = path; }

QString TCommHelpFrm::englishHelpFile() const {
    const QFileInfo russian(helpFile_);
    const QString suffix = russian.suffix();
    const QString name = suffix.isEmpty()
                             ? russian.fileName() + QStringLiteral(".en")
                             : russian.completeBaseName() + QStringLiteral(".en.") + suffix;
    return russian.dir().filePath(name);
}

QString TCommHelpFrm::recordText(QByteArrayView record) {
    const qsizetype end = record.indexOf('\0');
    QString text = fromCp1251(end < 0 ? record : record.first(end));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::optional<QByteArray> TCommHelpFrm::readRecord(int opcode) const {
    const LanguageSwitcher* switcher = LanguageSwitcher::instance();
    const bool english = switcher != nullptr && switcher->language() == Language::English;
    QFile file(english ? englishHelpFile() : helpFile_);
    // Russian help beats none: the English file may be missing from a copied program folder.
    if (!file.open(QIODevice::ReadOnly)) {
        if (!english) return std::nullopt;
        file.setFileName(helpFile_);
        if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    }
    QByteArray record;
    const qint64 offset = qint64(opcode) * kRecordSize;
    if (offset < file.size() && file.seek(offset)) record = file.read(kRecordSize);
    return record;
}

bool TCommHelpFrm::showHelp(int opcode, const QString& mnemonic) {
    if (opcode < 0 || opcode > 0xFF) return false;

    const std::optional<QByteArray> record = readRecord(opcode);
    if (!record) {
        emit helpFileMissing(helpFile_);
        return false;
    }
    const QString code = QString::number(opcode, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    CommName->setText(code + QStringLiteral("h  ") + mnemonic);
    HlpText->setPlainText(recordText(*record));
    shownOpcode_ = opcode;
    return true;
}

void TCommHelpFrm::popUpAt(const QPoint& globalClick) {
    move(globalClick.x(), globalClick.y() + kBelowClick);
    show();
}

void TCommHelpFrm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        // The record in the new language; the title (code and mnemonic) reads the same in both.
        // No report here: a file gone missing is reported when the user next asks for help.
        if (shownOpcode_ >= 0)
            if (const std::optional<QByteArray> record = readRecord(shownOpcode_))
                HlpText->setPlainText(recordText(*record));
    }
    QWidget::changeEvent(event);
}

// Qt::Popup sees the presses that come from the window system. A press handed straight to another
// widget (synthesised input, or a window the popup grab does not cover) is caught here.
void TCommHelpFrm::showEvent(QShowEvent* event) {
    qApp->installEventFilter(this);
    QWidget::showEvent(event);
}

void TCommHelpFrm::hideEvent(QHideEvent* event) {
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool TCommHelpFrm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() != this) close();
    }
    return false;
}

}  // namespace orlan
