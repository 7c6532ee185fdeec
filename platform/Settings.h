// The settings file ORLAN.ini: plain "[section]" and "key=value" lines, section and key names
// compared without regard to case, values kept as written (a Windows path with backslashes reads
// back unchanged, which QSettings' INI format would not do). Every read and write goes to the
// file itself: nothing is cached, so two windows never disagree about a setting. The file is read
// in the encoding it is in (UTF-8 when it is valid UTF-8, otherwise Windows-1251, as a copy made
// on Windows is) and written back in it, with its own line ends; lines, sections and comments the
// program does not know stay byte for byte.
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
    // Sets the key, keeping every other line of the file as it was. Written by the safe writer, so
    // a failed write leaves the old settings intact.
    bool write(const QString& section, const QString& key, const QString& value) const;

  private:
    QString path_;
};

}  // namespace orlan
