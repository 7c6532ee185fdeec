// The one way the program writes a file the user keeps (state and subprogram files, monitor
// pictures, the settings file): the new bytes go to a fresh temporary file beside the real target,
// are flushed to the disk and renamed over it, so the file ends up with the new content or, on
// any failure, exactly the old one. Standard C++ and the operating system only, no Qt: the engine
// uses it too.
//
// What it keeps: a name given through a symbolic link updates the file the link points to and
// the link stays; the target keeps its permission bits (and, where allowed, its owner); a file
// whose folder takes no new files but which is itself writable, or which has other hard links, is
// rewritten in place, with the old bytes put back if that fails. A file without any write
// permission bit is left alone, even for a user the system would let write it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orlan {

enum class SaveError : uint8_t {
    None,
    IsFolder,  // the name is a folder
    NoFolder,  // the folder of the name does not exist (or is no folder)
    ReadOnly,  // a write-protected file, a folder that takes no new file, a read-only medium
    NoSpace,   // the medium, the user's quota or the file size limit is full
    Failed,    // any other failure of the system
};

struct SaveResult {
    SaveError error = SaveError::None;
    int systemError = 0;  // errno (or the system's code) behind the failure, 0 when none

    bool ok() const { return error == SaveError::None; }
};

// Replaces the file at path with bytes, by the rules at the top of this file.
SaveResult writeFileSafely(const std::string& path, std::span<const uint8_t> bytes);

// Whether writeFileSafely could write there now (a writable file, or a new one in a folder that
// takes new files), without creating or changing anything. Also the test for a file that is only
// to be appended to.
SaveResult checkWritable(const std::string& path);

// A few words in English for the command-line runner ("no space left on the device").
std::string_view describe(SaveError error);

}  // namespace orlan
