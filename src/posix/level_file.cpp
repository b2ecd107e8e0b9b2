// The file-system side of level files on POSIX systems: reading, and saves that survive a
// signal, a kill and a power cut.

#include "model/level_file.hpp"
#include "model/level_file_os.hpp"

#include "console/write_all.hpp"
#include "posix/signal_cleanup.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zk {

namespace {

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t default_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// Holds back every signal while it exists; one that arrives meanwhile is delivered at its end.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t all{};
        sigfillset(&all);
        sigprocmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t previous_{};
};

// What a save must keep of the file it replaces.
struct Replaced {
    bool exists = false;
    mode_t mode = 0; // permission bits
    gid_t group = 0;
};

// Looks at the file a save would replace. False when the save must not go ahead: the file
// exists but the user may not write it (a plain write would fail, so replacing it would
// overrule its protection), or it cannot be examined.
bool examine_replaced(const std::string& path, Replaced& replaced) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT;
    if (::access(path.c_str(), W_OK) != 0) return false;
    replaced = {true, static_cast<mode_t>(info.st_mode & 0777), info.st_gid};
    return true;
}

// Gives the new file at `fd` the permission bits and group of the one it replaces, or the
// default bits for a new file. When the group cannot be kept, the group's rights are
// dropped, so that no other group gains access to the level.
bool set_protection(int fd, const Replaced& replaced) {
    if (!replaced.exists) return ::fchmod(fd, default_file_mode()) == 0;
    mode_t mode = replaced.mode;
    if (::fchown(fd, static_cast<uid_t>(-1), replaced.group) != 0)
        mode = static_cast<mode_t>(mode & ~mode_t{070});
    return ::fchmod(fd, mode) == 0;
}

// Flushes what was written to `fd` through to the disk. On macOS fsync leaves it in the
// drive's cache and F_FULLFSYNC pushes it through; where that is refused (a file system or
// drive without it) fsync is what there is.
bool flush_to_disk(int fd) {
#ifdef F_FULLFSYNC
    if (::fcntl(fd, F_FULLFSYNC) == 0) return true;
#endif
    return ::fsync(fd) == 0;
}

// Makes the names in the directory `dir` durable: a new or renamed entry survives a power
// cut once this returns true. A directory the user may not read cannot be opened to be
// flushed, and one on a file system that cannot flush directories (EINVAL) need not be:
// both are left to the system.
bool flush_directory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno == EACCES;
    const bool flushed = flush_to_disk(fd) || errno == EINVAL;
    ::close(fd);
    return flushed;
}

// Gives the file at `fd` its protection, writes `bytes` to it and flushes them to the disk.
bool write_durably(int fd, const Replaced& replaced, const std::string& bytes) {
    return set_protection(fd, replaced) && write_all(fd, bytes) && flush_to_disk(fd);
}

// Names the file `temp` (made by mkstemp), writes it and renames it over `path`. A signal
// that ends the program meanwhile removes it; only SIGKILL leaves it behind.
bool save_through_named_file(const std::string& path, const Replaced& replaced,
                             const std::string& bytes) {
    std::string temp = path + ".tmpXXXXXX";
    int fd = -1;
    {
        const SignalsHeld held; // a signal between creating and naming would leave the file
        fd = ::mkstemp(temp.data());
        // A file that a signal could not remove is not written at all.
        if (fd >= 0 && !set_file_to_remove_on_signal(temp.c_str())) {
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (fd < 0) return false;
    const bool written = write_durably(fd, replaced, bytes);
    const bool closed = ::close(fd) == 0;
    const SignalsHeld held;
    const bool renamed = written && closed && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!renamed) ::unlink(temp.c_str());
    clear_file_to_remove_on_signal();
    return renamed;
}

#if defined(O_TMPFILE) && defined(AT_EMPTY_PATH)

// Gives the unnamed file `fd` the name `name`: through /proc, which any user may, or else
// through the descriptor itself, which needs a privilege but no /proc.
bool link_unnamed(int fd, const std::string& name) {
    const std::string proc_path = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, proc_path.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST) return false;
    return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

// Links the unnamed file `fd` in beside `path` under a temporary name that no file has, and
// names it to the clean-up of a signal. The
// name, or an empty string when no link could be made.
std::string link_under_temporary_name(int fd, const std::string& path) {
    for (int attempt = 0; attempt < TEMPORARY_NAME_ATTEMPTS; ++attempt) {
        const std::string name =
            temporary_save_name(path, static_cast<unsigned long>(::getpid()), attempt);
        if (!set_file_to_remove_on_signal(name.c_str())) break;
        if (link_unnamed(fd, name)) return name;
        clear_file_to_remove_on_signal();
        if (errno != EEXIST) break;
    }
    return {};
}

// Saves through a file that has no name until it is written and flushed: an unnamed file in
// the level directory (O_TMPFILE) is linked in as a new level, or under a temporary name that
// is at once renamed over the old level. A kill while writing leaves nothing behind; the
// temporary name exists only between the two calls that link and rename, with every signal
// held. Whether the save succeeded, or nothing when the file system or the system refuses
// unnamed files and the save must be made the usual way.
std::optional<bool> save_through_unnamed_file(const std::string& dir, const std::string& path,
                                              const Replaced& replaced, const std::string& bytes) {
    const int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return std::nullopt; // not supported here (EOPNOTSUPP, EISDIR, EINVAL...)
    if (!write_durably(fd, replaced, bytes)) {
        ::close(fd);
        return false;
    }
    std::optional<bool> saved;
    const SignalsHeld held;
    if (!replaced.exists && link_unnamed(fd, path)) {
        saved = true; // a new level, named once under its own name
    } else if (const std::string temp = link_under_temporary_name(fd, path); !temp.empty()) {
        saved = std::rename(temp.c_str(), path.c_str()) == 0;
        if (!*saved) ::unlink(temp.c_str());
        clear_file_to_remove_on_signal();
    }
    // Closed before a held signal is let through: its handler writes to the terminal's
    // descriptor, which must never be this file's.
    ::close(fd);
    return saved;
}

#else

std::optional<bool> save_through_unnamed_file(const std::string&, const std::string&,
                                              const Replaced&, const std::string&) {
    return std::nullopt; // no unnamed files on this system
}

#endif

} // namespace

const char PATH_SEPARATOR = '/';

bool is_regular_file(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Opens `path` for reading only when it is a regular file. The open does not block, so a
// FIFO or device placed in the level directory cannot hang the game.
std::FILE* open_level_for_reading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) ::close(fd);
    return stream;
}

NameFault platform_name_fault(std::string_view) {
    return NameFault::none; // the shared rules are all a POSIX file system needs
}

bool save_level(const Grid& canvas, const std::string& path, std::string_view tail) {
    const std::string dir = directory_of(path);
    if (::mkdir(dir.c_str(), 0777) == 0) {
        if (!flush_directory(directory_of(dir))) return false;
    } else if (errno != EEXIST) {
        return false;
    }
    Replaced replaced;
    if (!examine_replaced(path, replaced)) return false;
    const std::string bytes = level_bytes(canvas, tail);
    std::optional<bool> saved = save_through_unnamed_file(dir, path, replaced, bytes);
    if (!saved) saved = save_through_named_file(path, replaced, bytes);
    return *saved && flush_directory(dir);
}

} // namespace zk
