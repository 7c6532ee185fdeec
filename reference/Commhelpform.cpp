#include "Commhelpform.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QToolButton>

#include "codepage.h"
#include "paths.h"

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
    Close_BTN->setToolTip(QStringLiteral("Закрыть справку по команде"));
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

    // Switching to another application takes the help away too.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive && isVisible()) close();
    });
}

void TCommHelpFrm::setHelpFile(const QString& path) { helpFile_ = path; }

QString TCommHelpFrm::recordText(QByteArrayView record) {
    const qsizetype end = record.indexOf('\0');
    QString text = fromCp1251(end < 0 ? record : record.first(end));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool TCommHelpFrm::showHelp(int opcode, const QString& mnemonic) {
    if (opcode < 0 || opcode > 0xFF) return false;

    QFile file(helpFile_);
    if (!file.open(QIODevice::ReadOnly)) {
        emit helpFileMissing(helpFile_);
        return false;
    }
    // A short file yields what it has of the record, possibly nothing.
    QByteArray record;
    const qint64 offset = qint64(opcode) * kRecordSize;
    if (offset < file.size() && file.seek(offset)) record = file.read(kRecordSize);
    file.close();

    const QString code = QString::number(opcode, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    CommName->setText(code + QStringLiteral("h  ") + mnemonic);
    HlpText->setPlainText(recordText(record));
    return true;
}

void TCommHelpFrm::popUpAt(const QPoint& globalClick) {
    move(globalClick.x(), globalClick.y() + kBelowClick);
    show();
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
