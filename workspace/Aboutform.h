// TAboutFrm: the about box. Page "О программе" carries the title, the version, the site link and
// the new-version check; page "Что нового" the change history. The check downloads a small
// version page in the background, so the box stays usable while the server answers.
#pragma once

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QUrl>

#include "MessageService.h"
#include "UrlOpener.h"

class QNetworkAccessManager;
class QNetworkReply;
class QTabWidget;
class QTextEdit;

namespace orlan {

// The program's web site (shown in the box and in the new-version message) and the page that
// names the newest build: "xxxxxNNNN..." with the build number in the 4 bytes at offset 5.
inline constexpr char kSiteAddress[] = "https://orlan.example.org/";
inline constexpr char kVersionPageAddress[] = "http://orlan.example.org/version.txt";
// The version, shown as "Версия 1.0.2.1735"; its last number is the build.
inline constexpr char kVersion[] = "1.0.2.1735";
// The downloaded page lives in this file only while the check runs.
inline constexpr char kVersionFileName[] = "TmpVers.tmp";

// A label that behaves like a web link: navy and underlined, blue in another face while the mouse
// is over it, and it reports a left click.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void setLook(const QColor& colour, const QString& family);
    bool pressed_ = false;
};

class TAboutFrm : public QDialog {
    Q_OBJECT
  public:
    TAboutFrm(MessageService& messages, UrlOpener& urls, QWidget* parent = nullptr);
    ~TAboutFrm() override;

    // The build number of this copy: the last number of the version.
    static int localBuild();

    // Where the version page is fetched from, and how long the server may stay silent.
    void setVersionPageUrl(const QUrl& url) { versionPage_ = url; }
    QUrl versionPageUrl() const { return versionPage_; }
    void setCheckTimeout(int milliseconds) { timeoutMs_ = milliseconds; }

    // "Получить сведенья о новой версии": starts the check; a click while one runs is ignored.
    void checkNewVersion();
    bool checking() const { return checking_; }

  signals:
    // The check has shown its message and removed its file.
    void versionCheckFinished();

  protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QWidget* buildAboutPage();
    QWidget* buildNewsPage();
    // The captions, labels, hints and the change history in the current language.
    void retranslate();
    void onPageData();
    void onPageFinished();
    void finishCheck(const MessageBox& box);
    bool openVersionFile();

    MessageService& messages_;
    UrlOpener& urls_;
    QTabWidget* pages_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;
    QFile versionFile_;
    QUrl versionPage_{QString::fromLatin1(kVersionPageAddress)};
    int timeoutMs_ = 10000;
    bool checking_ = false;
};

}  // namespace orlan
