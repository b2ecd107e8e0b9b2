#include "model/level_file.hpp"
#include "model/level_file_os.hpp"

#include "console/signal_cleanup.hpp"
#include "console/write_all.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#ifndef ZK_LEVEL_INSTALL_DIR
#define ZK_LEVEL_INSTALL_DIR "" // a build without installed levels
#endif
#ifndef ZK_LEVEL_RELATIVE_DIR
#define ZK_LEVEL_RELATIVE_DIR "" // installed levels relative to the installed program
#endif

namespace zk {

namespace {

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// The absolute, symbolic-link-free form of `path`; empty when it names nothing.
std::string real_path(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string result(real);
    std::free(real);
    return result;
}

// The running program's file as the kernel knows it (Linux), or empty.
std::string program_from_kernel() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

// The program's file found the way the shell found it from `argv0`: a name with a slash is a
// path, any other name is looked up in PATH. Empty when it cannot be found.
std::string program_from_argv0(const char* argv0) {
    if (argv0 == nullptr || *argv0 == '\0') return {};
    const std::string name(argv0);
    if (name.find('/') != std::string::npos) return real_path(name);
    const char* search = std::getenv("PATH");
    std::string_view rest = search != nullptr ? search : "";
    for (;;) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        // An empty PATH entry is the working directory.
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += name;
        if (is_regular_file(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return real_path(candidate);
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

mode_t default_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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
    replaced = {true, info.st_mode & 0777, info.st_gid};
    return true;
}

// Gives the new file at `fd` the permission bits and group of the one it replaces, or the
// default bits for a new file. When the group cannot be kept, the group's rights are
// dropped, so that no other group gains access to the level.
bool set_protection(int fd, const Replaced& replaced) {
    if (!replaced.exists) return ::fchmod(fd, default_file_mode()) == 0;
    mode_t mode = replaced.mode;
    if (::fchown(fd, static_cast<uid_t>(-1), replaced.group) != 0) mode &= ~mode_t{070};
    return ::fchmod(fd, mode) == 0;
}

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
    std::FILE* f = ::fdopen(fd, "rb");
    if (f == nullptr) ::close(fd);
    return f;
}

LevelPlaces level_places(const char* argv0) {
    std::string program = program_from_kernel();
    if (program.empty()) program = program_from_argv0(argv0);
    return {program.empty() ? std::string() : directory_of(program), ZK_LEVEL_RELATIVE_DIR,
            ZK_LEVEL_INSTALL_DIR};
}

const char* platform_name_refusal(std::string_view) {
    return nullptr; // the shared rules are all a POSIX file system needs
}

bool save_level(const Grid& canvas, const std::string& path, std::string_view tail) {
    const std::string dir = directory_of(path);
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;
    Replaced replaced;
    if (!examine_replaced(path, replaced)) return false;

    std::string temp = path + ".tmpXXXXXX";
    int fd = -1;
    {
        const SignalsHeld held; // a signal between creating and naming would leave the file
        fd = ::mkstemp(temp.data());
        if (fd >= 0) set_file_to_remove_on_signal(temp.c_str());
    }
    if (fd < 0) return false;
    const bool written = set_protection(fd, replaced) && write_all(fd, level_bytes(canvas, tail)) &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    const SignalsHeld held;
    const bool replaced_file = written && closed && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!replaced_file) ::unlink(temp.c_str());
    clear_file_to_remove_on_signal();
    return replaced_file;
}

} // namespace zk
