#include "Assembler.h"

namespace orlan::asm8080 {

AssemblyResult assemble(std::string_view, const std::string& fileName) {
    AssemblyResult r;
    r.written.assign(65536, false);
    r.lineOfAddress.assign(65536, 0);
    r.errors.push_back({fileName, 1, 1, "not yet"});
    return r;
}

std::string formatDiagnostic(const Diagnostic& d, bool warning) {
    return d.file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) +
           (warning ? ": предупреждение: " : ": ошибка: ") + d.message;
}

}  // namespace orlan::asm8080
