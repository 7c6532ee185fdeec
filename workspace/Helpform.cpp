#include "Helpform.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "Translations.h"
#include "UrlOpener.h"
#include "Paths.h"

namespace orlan {

namespace {

// The manual reads comfortably at about this size; smaller screens get most of theirs.
constexpr QSize kPreferredSize(900, 720);

// Its text and hint come with the window's other texts (THelpFrm::retranslate).
QToolButton* navigationButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
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
      russianManual_(dataFile(QStringLiteral("Help/ORLAN_Help.html"))) {
    setObjectName(QStringLiteral("HelpFrm"));

    back_ = navigationButton(this, "Back_BTN", QStyle::SP_ArrowBack);
    forward_ = navigationButton(this, "Forward_BTN", QStyle::SP_ArrowForward);
    home_ = navigationButton(this, "Home_BTN", QStyle::SP_DirHomeIcon);
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
    retranslate();
}

void THelpFrm::retranslate() {
    const std::pair<QToolButton*, QString> buttons[] = {
        {back_, tr("Назад")}, {forward_, tr("Вперёд")}, {home_, tr("Содержание")}};
    for (const auto& [button, text] : buttons) {
        button->setText(text);
        button->setToolTip(text);
    }
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("ОРЛАН - Справка") : title);
}

void THelpFrm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    // The manual in the other language, at the same place when it has the same anchor there. A
    // hidden window takes it at its next showing (loadManual).
    const QUrl shown = browser_->source();
    if (isVisible() && !shown.isEmpty() && QFileInfo(manualFile()).isFile()) {
        const QUrl manual = QUrl::fromLocalFile(QFileInfo(manualFile()).absoluteFilePath());
        if (shown.adjusted(QUrl::RemoveFragment) != manual) {
            QUrl target = manual;
            target.setFragment(shown.fragment());
            browser_->clearHistory();
            browser_->setSource(target);
        }
    }
    retranslate();
}

void THelpFrm::setManualFile(const QString& path) {
    russianManual_ = path;
    browser_->clearHistory();
    browser_->setSource(QUrl());
}

QString THelpFrm::manualFile() const {
    const LanguageSwitcher* switcher = LanguageSwitcher::instance();
    if (switcher != nullptr && switcher->language() == Language::English) {
        const QFileInfo russian(russianManual_);
        const QString english =
            russian.dir().filePath(russian.completeBaseName() + QStringLiteral(".en.") + russian.suffix());
        if (QFileInfo(english).isFile()) return english;
    }
    return russianManual_;
}

bool THelpFrm::loadManual() {
    const QString file = manualFile();
    if (!QFileInfo(file).isFile()) return false;
    const QUrl manual = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (browser_->source().adjusted(QUrl::RemoveFragment) != manual) {
        browser_->clearHistory();
        browser_->setSource(manual);
    }
    retranslate();
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
