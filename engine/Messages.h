// Every message box the program shows: title, text, icon and buttons in one table, so the window,
// the runner and the tests share the exact words. Titles and texts are marked for translation
// (context "Messages"); the window translates the template, then fills in the arguments.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "TrNoop.h"

namespace orlan {

enum class MessageIcon : uint8_t { None, Stop, Warning, Error, Exclamation };
enum class MessageButtons : uint8_t { Ok, YesNo };

enum class MessageId : uint8_t {
    HaltQuestion,
    HaltStop,
    UndefinedOpcode,
    FileNotFound,
    WrongStateFile,
    CannotWriteFile,
    SubprogramRange,
    SubprogramTooLarge,
    CannotReadFile,
    HelpFileMissing,
    VersionCheckFailed,
    NewVersionAvailable,
    NoNewVersion,
    FloppyWriteFailure,
    FloppyClearFailure,
    HardDiskWriteFailure,
    HardDiskClearFailure,
    PrintFailed,
    NetSocketError,
    NetPortNotNumber,
    NetSendOverflow,
    NetAddressInvalid,
    PrintRange,
    PdfSaveFailed,
    FolderNotFound,
    DiskFull,
    // The export dialog's checks, one set per target: %1 the page's name.
    ExcelRange,
    ExcelNoColumns,
    ExcelDuplicateName,
    ExcelSheetName,
    WordRange,
    WordNoColumns,
    WordDuplicateName,
    TextRange,
    TextNoColumns,
    TextDuplicateName,
    // The export's files: %1 the file's path.
    ExcelNotWritten,
    ExcelNotOpened,
    WordNotWritten,
    WordNotOpened,
    TextNotWritten,
    TextNotOpened,
    // A file handed over from the desktop (command line, second copy): %1 the file's path.
    UnknownFileKind,
    // The assembler window: %1 the source's name.
    AsmUnsavedChanges,
    AsmDisassemblyRange,
};
inline constexpr int kMessageCount = 45;

struct MessageTemplate {
    std::string_view title;
    std::string_view text;  // "%1", "%2" stand for the arguments
    MessageIcon icon;
    MessageButtons buttons;
};

// A box ready to show: the Russian title and text, and what made them, so that a window can show
// the same box in another language.
struct MessageBox {
    MessageId id;
    std::string title;
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
    std::string arg1, arg2;   // what stands for "%1" and "%2"
    bool runStopped = false;  // the text ends with kRunStoppedLine
};

// The last line of a box whose device failure stopped the program's run.
inline constexpr std::string_view kRunStoppedLine =
    ORLAN_TR_NOOP("Messages", "Выполнение программы остановлено.");

const MessageTemplate& messageTemplate(MessageId id);
// Fills "%1" and "%2" in the text of the template.
MessageBox makeMessage(MessageId id, std::string_view arg1 = {}, std::string_view arg2 = {});

// Puts arg1 for each "%1" and arg2 for each "%2" of text in one pass (the arguments themselves
// are not searched).
std::string fillArguments(std::string_view text, std::string_view arg1, std::string_view arg2 = {});

// A device failure that stopped the program's run: the box ends with a line saying so.
MessageBox withRunStopped(MessageBox box);

}  // namespace orlan
