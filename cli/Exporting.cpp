#include "Exporting.h"

#include <QFile>
#include <string>

#include "ExportFiles.h"
#include "ExportPages.h"
#include "ExportWriters.h"
#include "Runner.h"

namespace orlan::cli {

namespace {

ExportRegister exportRegisterOf(PanelRegister r) {
    switch (r) {
        case PanelRegister::A:
            return ExportRegister::A;
        case PanelRegister::B:
            return ExportRegister::B;
        case PanelRegister::C:
            return ExportRegister::C;
        case PanelRegister::D:
            return ExportRegister::D;
        case PanelRegister::E:
            return ExportRegister::E;
        case PanelRegister::H:
            return ExportRegister::H;
        case PanelRegister::L:
            return ExportRegister::L;
        case PanelRegister::W:
            return ExportRegister::W;
        case PanelRegister::Z:
            return ExportRegister::Z;
        case PanelRegister::SP:
            return ExportRegister::SP;
        case PanelRegister::PC:
            break;
    }
    return ExportRegister::PC;
}

ExportContent contentOf(const Options& options) {
    ExportContent content;
    for (const ExportPageOption& p : options.pages)
        content.pages.push_back({QString::fromStdString(p.name), p.from, p.to, p.address, p.value,
                                 p.mnemonic, p.comments});
    if (content.pages.empty()) content.pages.push_back({ExportPageList::defaultName(1)});
    for (PanelRegister r : options.exportRegisters)
        content.registers.set(exportRegisterOf(r), true);
    return content;
}

// The box as one line: title, then the text with its line breaks folded.
std::string oneLine(const MessageBox& box) {
    std::string line = box.title + ": ";
    bool gap = false;
    for (char ch : box.text) {
        if (ch == '\n') {
            gap = true;
            continue;
        }
        if (gap && !line.ends_with(' ')) line += ' ';
        gap = false;
        line += ch;
    }
    return line;
}

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

}  // namespace

bool writeExports(const MachineState& s, const Options& options) {
    const ExportContent content = contentOf(options);
    bool ok = true;
    for (ExportFormat format : {ExportFormat::Xlsx, ExportFormat::Odt, ExportFormat::Txt}) {
        const ExportFile* file = nullptr;
        for (const ExportFile& e : options.exports)
            if (e.format == format) file = &e;
        if (!file) continue;

        const ExportTarget target = format == ExportFormat::Xlsx  ? ExportTarget::Spreadsheet
                                    : format == ExportFormat::Odt ? ExportTarget::WordProcessor
                                                                  : ExportTarget::Text;
        if (const auto refusal = checkExport(target, content)) {
            reportError(oneLine(*refusal));
            ok = false;
            continue;
        }
        const QString path = QFile::decodeName(file->path.c_str());
        QString why;
        bool written = false;
        switch (format) {
            case ExportFormat::Xlsx: {
                const QString scratch = exportFolderPath();
                written = prepareExportFolder(scratch, &why) &&
                          writeExportSpreadsheet(path, scratch, s, content, &why);
                break;
            }
            case ExportFormat::Odt:
                written = writeExportDocument(path, s, content, &why);
                break;
            case ExportFormat::Txt:
                written = writeExportText(path, s, content, &why);
                break;
        }
        if (!written) {
            static const char* const kNames[] = {"xlsx", "odt", "txt"};
            reportError(std::string("--export ") + kNames[static_cast<int>(format)] +
                        ": cannot write " + quoted(file->path) + ": " + why.toStdString());
            ok = false;
        }
    }
    return ok;
}

}  // namespace orlan::cli
