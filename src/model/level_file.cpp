#include "model/level_file.hpp"

#include "console/signal_cleanup.hpp"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#ifndef ZK_LEVEL_INSTALL_DIR
#define ZK_LEVEL_INSTALL_DIR "" // a build without installed levels
#endif

namespace zk {

namespace {

constexpr int ANSWER_CAPACITY = 31; // answer bytes kept before the terminating zero

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

// Gives the first MAX_LEVEL_READ_BYTES bytes of a file with every CR LF turned into one LF,
// as text-mode input does.
class TextReader {
  public:
    explicit TextReader(std::FILE* f) : file_(f) {}

    int next() {
        if (held_ != EOF) {
            const int ch = held_;
            held_ = EOF;
            return ch;
        }
        const int ch = raw();
        if (ch != '\r') return ch;
        const int after = raw();
        if (after == '\n') return '\n';
        held_ = after; // a lone CR is an ordinary byte
        return '\r';
    }

  private:
    // The next byte of the file, or EOF once the read bound is reached.
    int raw() {
        if (left_ == 0) return EOF;
        --left_;
        return std::getc(file_);
    }

    std::FILE* file_;
    std::size_t left_ = MAX_LEVEL_READ_BYTES;
    int held_ = EOF;
};

// Stores the rest of the file as the answer: at most ANSWER_CAPACITY bytes, and one line end
// that closes the file is left out.
void read_answer(TextReader& in, PuzzleState& p) {
    int stored = 0;
    bool line_end_held = false;
    auto store = [&](int ch) {
        if (stored < ANSWER_CAPACITY) p.answer[stored++] = static_cast<char>(ch);
    };
    for (int ch = in.next(); ch != EOF; ch = in.next()) {
        if (line_end_held) store('\n');
        line_end_held = ch == '\n';
        if (!line_end_held) store(ch);
    }
}

// Writes all of `bytes` to `fd`, resuming after partial writes and interruptions.
bool write_all(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file contents for `canvas`: every non-zero byte in row order, line ends as CR LF, and
// `tail` (up to a zero byte, if it holds one) in place of each 'x'.
std::string level_bytes(const Grid& canvas, std::string_view tail) {
    tail = tail.substr(0, tail.find('\0'));
    std::string bytes;
    for (std::uint8_t ch : canvas) {
        if (ch == 0) continue;
        if (ch == 'x') {
            bytes += tail;
        } else if (ch == '\n') {
            bytes += "\r\n";
        } else {
            bytes += static_cast<char>(ch);
        }
    }
    return bytes;
}

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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

bool is_safe_level_name(std::string_view name) {
    if (name.empty() || name.size() > MAX_NAME_LENGTH || name.front() == '.') return false;
    // A zero byte would cut the path short and open a different file.
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string level_path(std::string_view name) {
    std::string path(LEVEL_DIR);
    path += '/';
    path += name;
    path += ".txt";
    return path;
}

std::string find_level_file(std::string_view name, const std::string& install_dir) {
    std::string local = level_path(name);
    if (is_regular_file(local) || install_dir.empty()) return local;
    std::string installed = install_dir + "/" + std::string(name) + ".txt";
    return is_regular_file(installed) ? installed : local;
}

std::string find_level_file(std::string_view name) {
    return find_level_file(name, ZK_LEVEL_INSTALL_DIR);
}

bool load_level(PuzzleState& p, const std::string& path) {
    std::FILE* f = open_level_for_reading(path);
    if (f == nullptr) return false;
    reset_puzzle(p);
    TextReader in(f);
    int r = 0;
    int c = 0;
    for (int ch = in.next(); ch != EOF; ch = in.next()) {
        if (ch == '\n') {
            if (r < MAX_BOARD) ++r; // rows from 15 on are never stored, so r need not grow
            c = 0;
        } else if (ch == 'n') {
            read_answer(in, p);
            break;
        } else {
            if (r < MAX_BOARD && c < MAX_BOARD) at(p.target, r, c) = static_cast<std::uint8_t>(ch);
            if (c < MAX_BOARD) ++c;
        }
    }
    std::fclose(f);
    return true;
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
