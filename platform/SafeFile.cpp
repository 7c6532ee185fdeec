#include "SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#define ORLAN_POSIX_FILES 1
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace orlan {

namespace {

SaveError kindOf(int error) {
    switch (error) {
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return SaveError::NoSpace;
        case EACCES:
        case EPERM:
        case EROFS:
        case ETXTBSY:
            return SaveError::ReadOnly;
        case ENOENT:
        case ENOTDIR:
            return SaveError::NoFolder;
        case EISDIR:
            return SaveError::IsFolder;
        default:
            return SaveError::Failed;
    }
}

SaveResult failure(int error) {
    return {kindOf(error), error};
}

// Short, so it fits beside a target whose own name is as long as the system allows, and random,
// so two saves of one file never meet at the same temporary name.
std::string temporaryName() {
    static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string name = ".orlan-";
    for (int i = 0; i < 8; ++i) name += kChars[pick(random)];
    return name + ".tmp";
}

// A folder never sees that many temporary files at once; the bound only ends a hopeless loop.
constexpr int kNameAttempts = 100;

}  // namespace

#ifdef ORLAN_POSIX_FILES

namespace {

// The folder of a path: "a/b" gives "a", "b" gives ".".
std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::string(".");
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Follows symbolic links to the name they finally stand for, which need not exist yet (saving
// through a dangling link creates the file it names).
int resolveLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::vector<char> buffer(static_cast<size_t>(std::max<off_t>(st.st_size, 255)) + 1);
        ssize_t n = 0;
        while ((n = ::readlink(path.c_str(), buffer.data(), buffer.size())) >= 0 &&
               static_cast<size_t>(n) == buffer.size())
            buffer.resize(buffer.size() * 2);
        if (n < 0) return errno;
        const std::string target(buffer.data(), static_cast<size_t>(n));
        if (target.starts_with('/')) {
            path = target;
        } else {
            path = folderOf(path) + '/' + target;
        }
    }
    return ELOOP;
}

// Writable for this user, and carrying a write permission bit at all: a file or folder protected
// for everyone stays protected for the administrator too.
bool writable(const std::string& path, const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(path.c_str(), W_OK) == 0;
}

struct Target {
    std::string path;    // the real file, links resolved
    std::string folder;  // its folder
    bool exists = false;
    bool special = false;  // a device or a pipe: it can only be written where it is
    bool folderWritable = false;
    struct stat st {};
};

// Where and how the bytes would go, or why they cannot.
SaveResult examine(const std::string& given, Target& t) {
    if (given.empty()) return {SaveError::NoFolder, ENOENT};
    struct stat st;
    if (::stat(given.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return {SaveError::IsFolder, EISDIR};
        if (!S_ISREG(st.st_mode)) {
            t.path = given;
            t.exists = t.special = true;
            t.st = st;
            return writable(given, st) ? SaveResult{} : SaveResult{SaveError::ReadOnly, EACCES};
        }
    } else if (errno != ENOENT) {
        return failure(errno);
    }
    if (given.back() == '/') return {SaveError::NoFolder, ENOENT};

    t.path = given;
    if (int error = resolveLinks(t.path); error != 0) return failure(error);
    t.folder = folderOf(t.path);
    struct stat folder;
    if (::stat(t.folder.c_str(), &folder) != 0) return failure(errno);
    if (!S_ISDIR(folder.st_mode)) return {SaveError::NoFolder, ENOTDIR};
    t.folderWritable = writable(t.folder, folder);

    if (::lstat(t.path.c_str(), &t.st) == 0) {
        t.exists = true;
        if (S_ISDIR(t.st.st_mode)) return {SaveError::IsFolder, EISDIR};
        if (!S_ISREG(t.st.st_mode) || !writable(t.path, t.st)) return {SaveError::ReadOnly, EACCES};
    } else if (errno != ENOENT) {
        return failure(errno);
    } else if (!t.folderWritable) {
        return {SaveError::ReadOnly, EACCES};
    }
    return {};
}

// written: how many bytes went out, also when it fails.
int writeAll(int fd, std::span<const uint8_t> bytes, size_t* written = nullptr) {
    size_t done = 0;
    int error = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : EIO;
            break;
        }
        done += static_cast<size_t>(n);
    }
    if (written) *written = done;
    return error;
}

int readAll(int fd, std::vector<uint8_t>& into) {
    size_t done = 0;
    while (done < into.size()) {
        const ssize_t n = ::read(fd, into.data() + done, into.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n < 0 ? errno : EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// Down to the disk. A file system that cannot do that (some network or user-space ones say
// EINVAL) is taken as it is rather than refusing every save.
int syncFile(int fd) {
    if (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP) return 0;
    return errno;
}

// The rename is only as durable as the folder entry that records it.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool mayRewriteInPlace(int error, const Target& t) {
    return t.exists && (error == EACCES || error == EPERM || error == EROFS);
}

// The temporary file beside the target, renamed over it. tryInPlace is set when the folder
// refused the new file or the rename (a folder shared with the sticky bit) but the file itself
// may still be rewritten.
SaveResult replace(const Target& t, std::span<const uint8_t> bytes, bool& tryInPlace) {
    std::string temp;
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0 && error == EEXIST; ++attempt) {
        temp = t.folder + '/' + temporaryName();
        // Exclusive and never through a link planted at that name. Private until it carries the
        // target's permissions; a new file gets what the user's umask allows.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    t.exists ? 0600 : 0666);
        if (fd < 0) error = errno;
    }
    if (fd < 0) {
        tryInPlace = mayRewriteInPlace(error, t);
        return failure(error);
    }
    auto fail = [&](int why) {
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(why);
    };
    if (t.exists) {
        // Owner first, since changing it clears set-id bits that the mode then puts back. Either
        // may be refused (another user's file, a medium without permissions): the save goes on.
        [[maybe_unused]] const int owner = ::fchown(fd, t.st.st_uid, t.st.st_gid);
        [[maybe_unused]] const int mode = ::fchmod(fd, t.st.st_mode & 07777);
    }
    if (int why = writeAll(fd, bytes); why != 0) return fail(why);
    if (int why = syncFile(fd); why != 0) return fail(why);
    if (::close(fd) != 0) {
        error = errno;
        ::unlink(temp.c_str());
        return failure(error);
    }
    if (::rename(temp.c_str(), t.path.c_str()) != 0) {
        error = errno;
        ::unlink(temp.c_str());
        tryInPlace = mayRewriteInPlace(error, t);
        return failure(error);
    }
    syncFolder(t.folder);
    return {};
}

// The existing file rewritten where it is. Room for the new length is taken first, so a full
// medium is found before a byte changes; if writing fails later, the old bytes go back.
SaveResult rewriteInPlace(const Target& t, std::span<const uint8_t> bytes) {
    bool canRestore = true;
    int fd = ::open(t.path.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        canRestore = false;  // writable but not readable: nothing to keep a copy from
        fd = ::open(t.path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd < 0) return failure(errno);
    auto fail = [&](int why) {
        ::close(fd);
        return failure(why);
    };
    // Another save of the same file, in this program or another, waits until this one is done.
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }

    struct stat st;
    if (::fstat(fd, &st) != 0) return fail(errno);
    if (!S_ISREG(st.st_mode)) return fail(EINVAL);
    const auto oldSize = static_cast<size_t>(st.st_size);
    std::vector<uint8_t> old(canRestore ? std::min(oldSize, bytes.size()) : 0);
    if (int why = readAll(fd, old); why != 0) return fail(why);

#ifdef __linux__
    if (bytes.size() > oldSize) {
        const int why = ::posix_fallocate(fd, static_cast<off_t>(oldSize),
                                          static_cast<off_t>(bytes.size() - oldSize));
        if (kindOf(why) == SaveError::NoSpace) {
            // Whatever the attempt added goes again.
            [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(oldSize));
            return fail(why);
        }
    }
#endif

    // The tail is cut only after the new bytes are safely down, so until then a failure leaves
    // the tail as it was, and the part of the head already overwritten is all that must go back.
    size_t written = 0;
    int why = ::lseek(fd, 0, SEEK_SET) == 0 ? writeAll(fd, bytes, &written) : errno;
    if (why == 0) why = syncFile(fd);
    if (why == 0 && bytes.size() < oldSize &&
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        why = errno;
    if (why == 0) why = syncFile(fd);
    if (why != 0) {
        const auto overwritten = std::span<const uint8_t>(old).first(std::min(written, old.size()));
        if (canRestore && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, overwritten) == 0 &&
            ::ftruncate(fd, static_cast<off_t>(oldSize)) == 0)
            ::fsync(fd);
        return fail(why);
    }
    if (::close(fd) != 0) return failure(errno);
    return {};
}

// A device or a pipe named as the target (/dev/stdout in a script) takes the bytes as they come.
SaveResult writeSpecial(const Target& t, std::span<const uint8_t> bytes) {
    const int fd = ::open(t.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failure(errno);
    int why = writeAll(fd, bytes);
    if (::close(fd) != 0 && why == 0) why = errno;
    return why == 0 ? SaveResult{} : failure(why);
}

}  // namespace

SaveResult writeFileSafely(const std::string& path, std::span<const uint8_t> bytes) {
    Target t;
    if (SaveResult r = examine(path, t); !r.ok()) return r;
    if (t.special) return writeSpecial(t, bytes);
    // A folder that takes no new file (examine saw the file itself writable), and a file with
    // other hard links, which a rename would leave holding the old content.
    if (!t.folderWritable || (t.exists && t.st.st_nlink > 1)) return rewriteInPlace(t, bytes);
    bool tryInPlace = false;
    SaveResult r = replace(t, bytes, tryInPlace);
    if (!r.ok() && tryInPlace) return rewriteInPlace(t, bytes);
    return r;
}

SaveResult checkWritable(const std::string& path) {
    Target t;
    return examine(path, t);
}

#else  // Without POSIX: the standard library's files, with the same temporary file and rename.

namespace {

namespace fs = std::filesystem;

SaveResult examine(const std::string& given, fs::path& target, fs::file_status& st) {
    std::error_code ec;
    target = fs::weakly_canonical(fs::path(given), ec);
    if (ec) target = given;
    st = fs::status(target, ec);
    if (fs::is_directory(st)) return {SaveError::IsFolder, EISDIR};
    const fs::perms anyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(st) && (st.permissions() & anyWrite) == fs::perms::none)
        return {SaveError::ReadOnly, EACCES};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) return {SaveError::NoFolder, ENOENT};
    return {};
}

}  // namespace

SaveResult writeFileSafely(const std::string& path, std::span<const uint8_t> bytes) {
    fs::path target;
    fs::file_status st;
    if (SaveResult r = examine(path, target, st); !r.ok()) return r;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; attempt < kNameAttempts && !f; ++attempt) {
        temp = folder / temporaryName();
        f = std::fopen(temp.string().c_str(), "wbx");  // exclusive
        if (!f && errno != EEXIST) return failure(errno);
    }
    if (!f) return failure(EEXIST);
    std::error_code ec;
    const bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    const int error = errno;
    if (std::fclose(f) != 0 || !written) {
        fs::remove(temp, ec);
        return failure(written ? EIO : error);
    }
    if (fs::exists(st)) fs::permissions(temp, st.permissions(), ec);
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return {SaveError::Failed, 0};
    }
    return {};
}

SaveResult checkWritable(const std::string& path) {
    fs::path target;
    fs::file_status st;
    return examine(path, target, st);
}

#endif

std::string_view describe(SaveError error) {
    switch (error) {
        case SaveError::None:
            return "written";
        case SaveError::IsFolder:
            return "it is a folder";
        case SaveError::NoFolder:
            return "no such folder";
        case SaveError::ReadOnly:
            return "write-protected";
        case SaveError::NoSpace:
            return "no space left on the device";
        case SaveError::Failed:
            break;
    }
    return "the system refused to write it";
}

}  // namespace orlan
