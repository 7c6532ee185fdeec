#include "Helpform.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "UrlOpener.h"
#include "paths.h"

namespace orlan {

namespace {

const QString kCaption = QStringLiteral("ОРЛАН - Справка");
// The manual reads comfortably at about this size; smaller screens get most of theirs.
constexpr QSize kPreferredSize(900, 720);

QToolButton* navigationButton(QWidget* parent, const char* name, const QString& hint,
                              QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setText(hint);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

THelpFrm::THelpFrm(UrlOpener& urls, QWidget* parent)
    : QWidget(parent, Qt::Window),
      urls_(urls),
      manualFile_(dataFile(QStringLiteral("Help/ORLAN_Help.html"))) {
    setObjectName(QStringLiteral("HelpFrm"));
    setWindowTitle(kCaption);

    back_ = navigationButton(this, "Back_BTN", QStringLiteral("Назад"), QStyle::SP_ArrowBack);
    forward_ =
        navigationButton(this, "Forward_BTN", QStringLiteral("Вперёд"), QStyle::SP_ArrowForward);
    home_ =
        navigationButton(this, "Home_BTN", QStringLiteral("Содержание"), QStyle::SP_DirHomeIcon);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpText"));
    // Every link comes to followLink: the manual's own pages open here, the rest on the desktop.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(2);
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(home_);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(browser_);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::anchorClicked, this, &THelpFrm::followLink);

    QSize size = kPreferredSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void THelpFrm::setManualFile(const QString& path) {
    manualFile_ = path;
    browser_->clearHistory();
    browser_->setSource(QUrl());
}

bool THelpFrm::loadManual() {
    if (!QFileInfo(manualFile_).isFile()) return false;
    const QUrl manual = QUrl::fromLocalFile(QFileInfo(manualFile_).absoluteFilePath());
    if (browser_->source().adjusted(QUrl::RemoveFragment) != manual) {
        browser_->clearHistory();
        browser_->setSource(manual);
    }
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? kCaption : title);
    return true;
}

void THelpFrm::followLink(const QUrl& url) {
    const QUrl target = browser_->source().resolved(url);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        browser_->setSource(target);
    else
        urls_.open(target);
}

}  // namespace orlan
