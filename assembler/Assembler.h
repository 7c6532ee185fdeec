// Intel 8080 assembler: the source of the classic Intel and CP/M-era assemblers (labels, EQU/SET,
// IF, macros) to a memory image, a symbol table, a listing and the address -> line map.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlan::asm8080 {

// Everything the assembler says about a source: one template each, "%1" standing for the symbol,
// number or command it names. The templates are marked for translation (context "Assembler").
enum class DiagnosticId : uint8_t {
    UndefinedSymbol,
    DoubleSymbol,
    NotByte,
    BadOperand,
    UnknownOp,
    BadNumber,
    UserError,      // ERROR with no text
    UserErrorText,  // ERROR 'text'
    Expression,
    Paren,
    String,
    DivZero,
    Extra,
    Wrap,
    Overlap,
    IfNoEndif,
    ElseNoIf,
    EndifNoIf,
    MacroNoEndm,
    EndmNoMacro,
    NeedName,
    RedefineEqu,
    TooDeep,
    TooLong,
    Exitm,
    Local,
    TooManyErrors,
    NoConverge,
    BadArgs,
    LineTooLong,
};
inline constexpr int kDiagnosticCount = 30;

std::string_view diagnosticTemplate(DiagnosticId id);
// Around a message raised while a macro is expanded: "%1" the message, "%2" the macro's name.
extern const std::string_view kInMacroTemplate;

// A problem found in the source. Line and column are 1-based; the message is Russian, plain words.
struct Diagnostic {
    std::string file;
    int line = 0;
    int column = 0;
    std::string message;
    // What the message is made of, for a window that shows it in another language.
    DiagnosticId id = DiagnosticId::Expression;
    std::string arg;    // for "%1"
    std::string macro;  // the macro being expanded; empty outside one
};

// The words of a diagnostic, every template passed through `translate` first (the window's
// language); without one, the Russian of Diagnostic::message.
using TranslateTemplate = std::function<std::string(std::string_view)>;
std::string diagnosticMessage(DiagnosticId id, std::string_view arg, std::string_view macro,
                              const TranslateTemplate& translate = {});
inline std::string diagnosticMessage(const Diagnostic& d, const TranslateTemplate& translate = {}) {
    return diagnosticMessage(d.id, d.arg, d.macro, translate);
}

// Where a byte came from.
struct SourceSpan {
    std::string file;
    int line = 0;
};

struct AssemblyResult {
    std::vector<Diagnostic> errors;      // empty = success
    std::vector<Diagnostic> warnings;    // e.g. two pieces of code over the same bytes
    std::array<uint8_t, 65536> image{};  // bytes
    std::vector<bool> written;           // 65536 entries: cell written by the source
    uint16_t start = 0;                  // END operand, else the first ORG, else 0
    std::vector<std::pair<std::string, uint16_t>> symbols;  // sorted by name
    std::string listing;  // classic listing text (address, bytes, line number, source)
    // 65536 entries: 1-based source line (main file) of the instruction/data that wrote the cell,
    // 0 = none.
    std::vector<int> lineOfAddress;
    std::vector<uint16_t> instructionStarts;  // addresses where an instruction begins, ascending
    bool ok() const { return errors.empty(); }
};

AssemblyResult assemble(std::string_view source, const std::string& fileName);

// "FILE:LINE:COLUMN: error: MESSAGE" (or "warning:"), the form compilers print, so editors and
// build tools find the place; the message itself is Russian.
std::string formatDiagnostic(const Diagnostic& d, bool warning = false);

}  // namespace orlan::asm8080
