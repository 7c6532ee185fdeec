#include "ExportPages.h"

namespace orlan {

const QString kRegistersSheetName = QStringLiteral("Регистры");

QString ExportPageList::defaultName(int number) {
    return QStringLiteral("Подпрограмма ") + QString::number(number);
}

ExportPageList::ExportPageList() {
    pages_.push_back({defaultName(1)});
}

void ExportPageList::select(int index) {
    if (index >= 0 && index < static_cast<int>(pages_.size())) selected_ = index;
}

void ExportPageList::renameCurrent(const QString& name) {
    current().name = name;
}

void ExportPageList::add() {
    pages_.push_back({defaultName(static_cast<int>(pages_.size()) + 1)});
    selected_ = static_cast<int>(pages_.size()) - 1;
}

bool ExportPageList::removeCurrent() {
    if (pages_.size() < 2) return false;
    pages_.erase(pages_.begin() + selected_);
    selected_ = 0;
    return true;
}

bool isValidSheetName(const QString& name) {
    // Counted in UTF-16 units, as the spreadsheet counts them.
    if (name.isEmpty() || name.size() > 31) return false;
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\''))) return false;
    for (QChar ch : name)
        if (QStringView(u"[]:*?/\\").contains(ch)) return false;
    return true;
}

namespace {

struct TargetMessages {
    MessageId range, noColumns, duplicate;
};

TargetMessages messagesOf(ExportTarget target) {
    switch (target) {
        case ExportTarget::Spreadsheet:
            return {MessageId::ExcelRange, MessageId::ExcelNoColumns,
                    MessageId::ExcelDuplicateName};
        case ExportTarget::WordProcessor:
            return {MessageId::WordRange, MessageId::WordNoColumns, MessageId::WordDuplicateName};
        case ExportTarget::Text:
            break;
    }
    return {MessageId::TextRange, MessageId::TextNoColumns, MessageId::TextDuplicateName};
}

MessageBox message(MessageId id, const QString& name) {
    return makeMessage(id, name.toStdString());
}

}  // namespace

std::optional<MessageBox> checkExport(ExportTarget target, const ExportContent& content) {
    const TargetMessages ids = messagesOf(target);
    const bool spreadsheet = target == ExportTarget::Spreadsheet;
    const std::vector<ExportPage>& pages = content.pages;
    for (size_t i = 0; i < pages.size(); ++i) {
        const ExportPage& page = pages[i];
        if (page.to < page.from) return message(ids.range, page.name);
        const bool columns =
            page.address || page.value || page.mnemonic || (spreadsheet && page.comments);
        if (!columns) return message(ids.noColumns, page.name);
        for (size_t later = i + 1; later < pages.size(); ++later)
            if (pages[later].name == page.name) return message(ids.duplicate, page.name);
        if (!spreadsheet) continue;

        // A workbook refuses what a worksheet tab cannot carry, and tells worksheet names apart
        // without regard to case: such names would give a file the spreadsheet cannot open.
        if (!isValidSheetName(page.name)) return message(MessageId::ExcelSheetName, page.name);
        for (size_t later = i + 1; later < pages.size(); ++later)
            if (pages[later].name.compare(page.name, Qt::CaseInsensitive) == 0)
                return message(ids.duplicate, page.name);
        if (content.registers.any() &&
            page.name.compare(kRegistersSheetName, Qt::CaseInsensitive) == 0)
            return message(ids.duplicate, page.name);
    }
    return std::nullopt;
}

}  // namespace orlan
