// The two files a user keeps work in: the state file (".vst", exactly 65549 bytes: memory,
// A B C D E H L W Z, PC and SP low byte first) and the subprogram file (".vsp", the raw bytes of
// a memory range). Reading checks everything before the machine is touched; writing goes through
// the one safe writer (platform/SafeFile.h): the file ends up with the new bytes or, on failure,
// exactly the old ones. Used by the window's file menu, the monitor's picture and the runner.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Machine.h"
#include "Messages.h"

namespace orlan {

inline constexpr size_t kStateFileSize = 65549;

enum class FileError : uint8_t {
    None,
    NotFound,      // no such file (or a folder where a file was expected)
    CannotRead,    // exists but cannot be opened or read
    WrongSize,     // a state file that is not 65549 bytes
    CannotWrite,   // cannot be created, written or renamed into place
    NoSpace,       // the medium (or the user's quota) is full; the old file is unchanged
    BadRange,      // subprogram save with end < start
    TooLarge,      // subprogram that does not fit between its start cell and FFFF
};

// Reads a whole state file into image (exactly kStateFileSize bytes on success).
FileError readStateFile(const std::string& path, std::vector<uint8_t>& image);
// The bytes of the state file for the machine as it stands.
std::vector<uint8_t> stateImage(const Machine& m);
// Memory cells firstCell..lastCell of the image into the machine (value and mnemonic).
void applyStateMemory(const std::vector<uint8_t>& image, Machine& m, uint32_t firstCell = 0,
                      uint32_t lastCell = 0xFFFF);
// A..L, W, Z, then PC and SP through their set operations.
void applyStateRegisters(const std::vector<uint8_t>& image, Machine& m);
// Both of the above.
FileError loadStateFile(const std::string& path, Machine& m);
FileError saveStateFile(const std::string& path, const Machine& m);

// Reads a subprogram file that is to be loaded at start; refuses one that does not fit.
FileError readSubprogram(const std::string& path, uint16_t start, std::vector<uint8_t>& bytes);
void applySubprogram(const std::vector<uint8_t>& bytes, uint16_t start, Machine& m);
FileError loadSubprogram(const std::string& path, uint16_t start, Machine& m);
FileError saveSubprogram(const std::string& path, const Machine& m, uint16_t from, uint16_t to);

// Replaces the file at path with bytes through the safe writer: CannotWrite or NoSpace on failure,
// the old file left as it was.
FileError writeFileReplacing(const std::string& path, std::span<const uint8_t> bytes);

// The message box that reports a failed write of the file: CannotWriteFile, or DiskFull when the
// medium is full.
MessageId writeFailureMessage(FileError error);

}  // namespace orlan
