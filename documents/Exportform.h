// TExportFrm: the export dialog. Three tabs, one per target (spreadsheet, word processor, text
// file), each with its own list of pages (named memory ranges with their columns) and register
// boxes; "Экспорт" checks and writes every switched-on target in that order, each on its own, and
// opens what it wrote with the desktop. Created once at start-up and only shown, so the pages last
// as long as the program runs.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "ExportFiles.h"
#include "ExportPages.h"
#include "MessageService.h"

class QPushButton;
class QTabWidget;

namespace orlan {

class Machine;

class TExportFrm : public QDialog {
    Q_OBJECT
  public:
    static const QString kFileBaseName;  // "ORLAN_Export"

    TExportFrm(MessageService& messages, const Machine& machine, QWidget* parent = nullptr);
    ~TExportFrm() override;

    // How written files are opened (the desktop unless replaced).
    void setFileOpener(FileOpener* opener) { opener_ = opener ? opener : &desktop_; }
    // Where the files go (the per-user export folder unless replaced).
    void setOutputFolder(const QString& folder) { folder_ = folder; }
    QString filePath(ExportTarget target) const;

    // OK_BTN.
    void exportAll();

    const ExportPageList& pages(ExportTarget target) const;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    struct Tab;
    Tab& tab(ExportTarget target) const { return *tabs_[static_cast<size_t>(target)]; }

    void retranslate();
    void buildTab(ExportTarget target);
    void setSwitch(Tab& t, bool on);
    void onRangeEdited(Tab& t, bool from);
    void selectPage(Tab& t, int index);
    void renamePage(Tab& t, const QString& name);
    void addPage(Tab& t);
    void deletePage(Tab& t);
    void loadPage(Tab& t);
    void writeTarget(ExportTarget target, const ExportContent& content);

    MessageService& messages_;
    const Machine& machine_;
    DesktopFileOpener desktop_;
    FileOpener* opener_ = &desktop_;
    QString folder_;
    QTabWidget* tabWidget_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::array<std::unique_ptr<Tab>, 3> tabs_;
};

}  // namespace orlan
