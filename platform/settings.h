// The settings file ORLAN.ini: plain "[section]" and "key=value" lines, section and key names
// compared without regard to case, values kept as written (a Windows path with backslashes reads
// back unchanged, which QSettings' INI format would not do). Every read and write goes to the
// file itself: nothing is cached, so two windows never disagree about a setting.
#pragma once

#include <QString>

namespace orlan {

class Settings {
  public:
    // ORLAN.ini beside the executable when that folder is writable, otherwise in the per-user
    // configuration folder (needs a QCoreApplication).
    Settings();
    explicit Settings(QString path);

    static QString defaultPath();
    const QString& path() const { return path_; }

    // The value of the key, or `fallback` when the file, the section or the key is missing.
    QString read(const QString& section, const QString& key, const QString& fallback = {}) const;
    // Sets the key, keeping every other line of the file as it was. The file is written aside and
    // renamed over the old one, so a failed write leaves the old settings intact.
    bool write(const QString& section, const QString& key, const QString& value) const;

  private:
    QString path_;
};

}  // namespace orlan
