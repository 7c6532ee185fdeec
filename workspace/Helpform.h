// THelpFrm: the user manual (Help/ORLAN_Help.html beside the program) in a window of the program's
// own, so that F1 works wherever the program runs, with or without a desktop that opens HTML
// files. Pictures and the links inside the manual work in the window; links that lead out of it
// (web pages, mail) go to the desktop. Created once with the main window and only shown and hidden.
// In English the English manual (Help/ORLAN_Help.en.html) is shown when it is there; a switch of
// language while the window is open brings the other manual at the same place.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace orlan {

class UrlOpener;

class THelpFrm : public QWidget {
    Q_OBJECT
  public:
    // urls: where links leading out of the manual go.
    THelpFrm(UrlOpener& urls, QWidget* parent = nullptr);

    // The Russian manual's file; Help/ORLAN_Help.html beside the executable unless set. The
    // English one lies beside it, named with ".en" before the extension.
    void setManualFile(const QString& path);
    // The manual of the current language: the English one in English when it exists, else the
    // Russian one.
    QString manualFile() const;
    // Loads the manual unless it is loaded already (the page the user reached stays); false when
    // the file is not there.
    bool loadManual();

    QTextBrowser* browser() const { return browser_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void followLink(const QUrl& url);
    void retranslate();

    UrlOpener& urls_;
    QString russianManual_;
    QTextBrowser* browser_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* home_ = nullptr;
};

}  // namespace orlan
