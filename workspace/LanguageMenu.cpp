#include "LanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "Settings.h"

namespace orlan {

LanguageMenu::LanguageMenu(QMenu* menu) : QObject(menu) {
    // The caption and the item names stay as they are in both languages: not translated.
    menu_ = menu->addMenu(QStringLiteral("Язык / Language"));
    menu_->setObjectName(QStringLiteral("Language_Menu"));
    menu_->setToolTipsVisible(true);  // the disabled English item tells why
    auto* group = new QActionGroup(menu_);
    group->setExclusive(true);
    russian_ = menu_->addAction(QStringLiteral("Русский"));
    russian_->setObjectName(QStringLiteral("Language_Russian"));
    english_ = menu_->addAction(QStringLiteral("English"));
    english_->setObjectName(QStringLiteral("Language_English"));
    for (QAction* a : {russian_, english_}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    connect(russian_, &QAction::triggered, this, [this] { choose(Language::Russian); });
    connect(english_, &QAction::triggered, this, [this] { choose(Language::English); });
    if (const LanguageSwitcher* s = LanguageSwitcher::instance(); s != nullptr && !s->hasEnglish())
        disableEnglish();
    showCurrent();
}

void LanguageMenu::choose(Language language) {
    LanguageSwitcher* switcher = LanguageSwitcher::instance();
    if (switcher == nullptr) return;
    if (switcher->language() != language) {
        const Language before = switcher->language();
        if (switcher->setLanguage(language)) {
            saveLanguage(Settings(), language);
        } else {
            // Nothing half-switched: the texts and Qt's dialogs stay as they were.
            switcher->setLanguage(before);
            if (language == Language::English) disableEnglish();
        }
    }
    showCurrent();
}

void LanguageMenu::showCurrent() {
    const LanguageSwitcher* switcher = LanguageSwitcher::instance();
    // Without a switcher (a window run on its own) there is nothing to choose.
    russian_->setEnabled(switcher != nullptr);
    english_->setEnabled(switcher != nullptr && !englishMissing_);
    const bool english = switcher != nullptr && switcher->language() == Language::English;
    (english ? english_ : russian_)->setChecked(true);
}

void LanguageMenu::disableEnglish() {
    englishMissing_ = true;
    english_->setEnabled(false);
    // Said in both languages: whoever looks for English may not read Russian.
    const QString why = QStringLiteral(
        "Английский перевод не установлен (translations/orlan_en.qm) / "
        "The English translation is not installed (translations/orlan_en.qm)");
    english_->setToolTip(why);
    english_->setStatusTip(why);
}

}  // namespace orlan
