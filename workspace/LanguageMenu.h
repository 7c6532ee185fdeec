// The "Язык / Language" submenu of the main window: "Русский" and "English", each named in its own
// language so that either can be found whatever the window speaks, the current one checked.
// Choosing one switches every window at once and keeps the choice in ORLAN.ini. Without the
// English translation the English item is disabled and its hint says why.
#pragma once

#include <QObject>

#include "Translations.h"

class QAction;
class QMenu;

namespace orlan {

class LanguageMenu : public QObject {
    Q_OBJECT
  public:
    // Adds the submenu (objectName "Language_Menu") to `menu`; its items are Language_Russian and
    // Language_English.
    explicit LanguageMenu(QMenu* menu);

    QMenu* menu() const { return menu_; }
    // Switches to `language` and remembers it; a translation that fails to load leaves the
    // language as it was and disables its item.
    void choose(Language language);
    // Moves the check mark to the language shown (a switch may come from elsewhere).
    void showCurrent();

  private:
    void disableEnglish();

    QMenu* menu_ = nullptr;
    QAction* russian_ = nullptr;
    QAction* english_ = nullptr;
    bool englishMissing_ = false;
};

}  // namespace orlan
