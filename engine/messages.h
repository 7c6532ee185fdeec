// Every message box the program shows: title, text, icon and buttons in one table, so the window,
// the runner and the tests share the exact words.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

struct MessageBox {
    MessageId id;
    std::string title;
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
};

const MessageTemplate& messageTemplate(MessageId id);
// Fills "%1" and "%2" in the text of the template.
MessageBox makeMessage(MessageId id, std::string_view arg1 = {}, std::string_view arg2 = {});

// A device failure that stopped the program's run: the box ends with a line saying so.
MessageBox withRunStopped(MessageBox box);

}  // namespace orlan
