// What an export writes: the pages of a target (named memory ranges with their columns) and the
// registers added after them, the page list's rules as the export dialog applies them, and the
// checks a target must pass before its writer runs. No widgets: the dialog and orlan-cli share
// them.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "Messages.h"

namespace orlan {

enum class ExportTarget : uint8_t { Spreadsheet, WordProcessor, Text };

struct ExportPage {
    QString name;
    uint16_t from = 0x0000, to = 0xFFFF;
    bool address = true, value = true, mnemonic = true;
    bool comments = false;  // the spreadsheet's empty column
    bool operator==(const ExportPage&) const = default;
};

// The registers a target adds after its pages.
enum class ExportRegister : uint8_t { A, B, C, D, E, H, L, W, Z, PC, SP };
inline constexpr int kExportRegisterCount = 11;

class ExportRegisters {
  public:
    bool has(ExportRegister r) const { return bits_ & bit(r); }
    void set(ExportRegister r, bool on) { bits_ = on ? (bits_ | bit(r)) : (bits_ & ~bit(r)); }
    bool any() const { return bits_ != 0; }
    bool operator==(const ExportRegisters&) const = default;

  private:
    static uint16_t bit(ExportRegister r) { return uint16_t(1u << static_cast<int>(r)); }
    uint16_t bits_ = 0;
};

struct ExportContent {
    std::vector<ExportPage> pages;
    ExportRegisters registers;
};

// A target's ordered pages and the one the list box last selected.
class ExportPageList {
  public:
    static QString defaultName(int number);  // "Подпрограмма " + number

    ExportPageList();  // one default page, selected

    const std::vector<ExportPage>& pages() const { return pages_; }
    int selected() const { return selected_; }
    ExportPage& current() { return pages_[static_cast<size_t>(selected_)]; }
    const ExportPage& current() const { return pages_[static_cast<size_t>(selected_)]; }

    void select(int index);  // ignored outside the list
    void renameCurrent(const QString& name);
    // Appends a default page named after the count of pages before it plus one, and selects it.
    void add();
    // Removes the selected page and selects the first one; the last page stays (returns false).
    bool removeCurrent();

  private:
    std::vector<ExportPage> pages_;
    int selected_ = 0;
};

// Whether a spreadsheet can carry the name on a worksheet tab.
bool isValidSheetName(const QString& name);
// The worksheet of the registers, after the pages.
extern const QString kRegistersSheetName;

// The first reason the target refuses its pages, in list order: a range that ends before it
// starts, no column, a later page with the same name; for the spreadsheet also a name no
// worksheet can carry and names a worksheet would confuse. Nothing when the writer may run.
std::optional<MessageBox> checkExport(ExportTarget target, const ExportContent& content);

}  // namespace orlan
