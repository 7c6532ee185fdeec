// The program's language. The texts in the sources are Russian; English comes from
// translations/orlan_en.qm. Qt's own dialogs (files, printing, message buttons) follow: Russian
// from Qt's qtbase_ru, English as Qt is written.
#pragma once

#include <QString>
#include <string_view>

class QCoreApplication;
class QTranslator;

namespace orlan {

class Settings;

enum class Language { Russian, English };

// "ru" / "en", as kept in the settings file ([View] Language=).
QString languageCode(Language language);
// The language kept in the settings file; when none is kept, the system's: Russian for a Russian
// locale, English otherwise.
Language savedLanguage(const Settings& settings);
Language systemLanguage();
bool saveLanguage(const Settings& settings, Language language);

// Swaps the application's translators for the language's. Every widget then gets a
// QEvent::LanguageChange and sets its texts again. Returns false when the language's files are
// missing (the texts then stay in Russian, the sources' language).
class LanguageSwitcher {
  public:
    // qmFolder: where orlan_en.qm is; empty for the program's own translations/ folder (beside
    // the executable or installed).
    explicit LanguageSwitcher(QCoreApplication& app, QString qmFolder = {});
    ~LanguageSwitcher();
    bool setLanguage(Language language);
    Language language() const { return language_; }
    // Whether the English translation file is there to be loaded.
    bool hasEnglish() const;

    static LanguageSwitcher* instance();

  private:
    void removeTranslators();
    QString englishFile() const;

    QCoreApplication& app_;
    QString qmFolder_;
    QTranslator* qt_ = nullptr;
    QTranslator* own_ = nullptr;
    Language language_ = Language::Russian;
};

// A text of the engine's tables (marked ORLAN_TR_NOOP(context, text)) in the current language.
QString translated(const char* context, std::string_view text);

// Loads Qt's Russian translations into the application. Returns false when they are not
// installed: Qt's dialogs then stay in English. (Used where no switcher is running: tests.)
bool installQtTranslations(QCoreApplication& app);

}  // namespace orlan
