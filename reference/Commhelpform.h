// TCommHelpFrm: the small popup with the description of one instruction, opened by a right click
// in the instruction table. The descriptions come from the help file "CommHlp.vhp": 256 records
// of 1000 bytes, record n at n * 1000, Windows-1251 text ended by a zero byte. While the program
// speaks English it reads "CommHlp.en.vhp" beside it instead (the same layout, ASCII text), and
// the Russian file when the English one cannot be read.
//
// Created once at start-up and only shown and hidden. It never shows message boxes: when the
// help file cannot be opened it emits helpFileMissing and the main window reports it.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace orlan {

class TCommHelpFrm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRecordSize = 1000;

    explicit TCommHelpFrm(QWidget* parent = nullptr);

    // The Russian help file; by default "CommHlp.vhp" beside the executable. The English one is
    // its namesake with ".en" before the extension, in the same folder.
    void setHelpFile(const QString& path);
    QString helpFile() const { return helpFile_; }
    QString englishHelpFile() const;

    // Fills the title ("3Eh  MVI A, d8") and the text of record `opcode` (0..255) from the help
    // file of the current language. When no help file can be opened, emits helpFileMissing with
    // the Russian file's path and leaves everything as it was. An opcode outside 0..255 is refused
    // the same way, without the signal.
    bool showHelp(int opcode, const QString& mnemonic);

    // Shows the popup with its left edge at the click and its top 20 pixels below it.
    void popUpAt(const QPoint& globalClick);

signals:
    void helpFileMissing(const QString& path);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retranslate();
    // The bytes of record `opcode` from the help file of the current language; nullopt when
    // neither file can be opened. A short file yields what it has of the record, possibly nothing.
    std::optional<QByteArray> readRecord(int opcode) const;
    // The text of one record as shown: up to the first zero byte, CR LF as line breaks.
    static QString recordText(QByteArrayView record);

    QString helpFile_;
    int shownOpcode_ = -1;  // the record on screen, read again when the language changes
    QToolButton* Close_BTN;
    QLabel* CommName;
    QPlainTextEdit* HlpText;
};

}  // namespace orlan
