#include "Translations.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <string>
#include <utility>

#include "Paths.h"
#include "Settings.h"

namespace orlan {

namespace {

const QString kSection = QStringLiteral("View");
const QString kKey = QStringLiteral("Language");

LanguageSwitcher* gSwitcher = nullptr;

QTranslator* loadQtRussian(QObject* parent) {
    auto* translator = new QTranslator(parent);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return translator;
    delete translator;
    return nullptr;
}

}  // namespace

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ru");
}

Language systemLanguage() {
    return QLocale::system().language() == QLocale::Russian ? Language::Russian : Language::English;
}

Language savedLanguage(const Settings& settings) {
    const QString code = settings.read(kSection, kKey).trimmed().toLower();
    if (code == QLatin1String("ru")) return Language::Russian;
    if (code == QLatin1String("en")) return Language::English;
    return systemLanguage();
}

bool saveLanguage(const Settings& settings, Language language) {
    return settings.write(kSection, kKey, languageCode(language));
}

LanguageSwitcher::LanguageSwitcher(QCoreApplication& app, QString qmFolder)
    : app_(app), qmFolder_(std::move(qmFolder)) {
    gSwitcher = this;
}

LanguageSwitcher::~LanguageSwitcher() {
    removeTranslators();
    if (gSwitcher == this) gSwitcher = nullptr;
}

LanguageSwitcher* LanguageSwitcher::instance() { return gSwitcher; }

void LanguageSwitcher::removeTranslators() {
    for (QTranslator** t : {&qt_, &own_}) {
        if (*t == nullptr) continue;
        app_.removeTranslator(*t);
        delete *t;
        *t = nullptr;
    }
}

QString LanguageSwitcher::englishFile() const {
    const QString name = QStringLiteral("orlan_en.qm");
    return qmFolder_.isEmpty() ? dataFile(QStringLiteral("translations/") + name)
                               : qmFolder_ + QLatin1Char('/') + name;
}

bool LanguageSwitcher::hasEnglish() const {
    const QString file = englishFile();
    return !file.isEmpty() && QFileInfo::exists(file);
}

bool LanguageSwitcher::setLanguage(Language language) {
    removeTranslators();
    language_ = language;
    bool complete = true;
    if (language == Language::Russian) {
        // The program's own texts are Russian already; only Qt's need a translator.
        qt_ = loadQtRussian(&app_);
        if (qt_ != nullptr) app_.installTranslator(qt_);
    } else {
        own_ = new QTranslator(&app_);
        const QString file = englishFile();
        if (file.isEmpty() || !own_->load(file)) {
            delete own_;
            own_ = nullptr;
            complete = false;
        } else {
            app_.installTranslator(own_);
        }
    }
    if (qt_ == nullptr && own_ == nullptr) {
        // Nothing installed: the widgets would not hear of the change otherwise.
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&app_, &change);
    }
    return complete;
}

QString translated(const char* context, std::string_view text) {
    const std::string source(text);
    return QCoreApplication::translate(context, source.c_str());
}

bool installQtTranslations(QCoreApplication& app) {
    QTranslator* translator = loadQtRussian(&app);
    if (translator == nullptr) return false;
    app.installTranslator(translator);
    return true;
}

}  // namespace orlan
