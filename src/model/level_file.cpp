#include "model/level_file.hpp"

#include <cerrno>
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

// Gives the bytes of a file with every CR LF turned into one LF, as text-mode input does.
class TextReader {
  public:
    explicit TextReader(std::FILE* f) : file_(f) {}

    int next() {
        if (held_ != EOF) {
            const int ch = held_;
            held_ = EOF;
            return ch;
        }
        const int ch = std::getc(file_);
        if (ch != '\r') return ch;
        const int after = std::getc(file_);
        if (after == '\n') return '\n';
        held_ = after; // a lone CR is an ordinary byte
        return '\r';
    }

  private:
    std::FILE* file_;
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

} // namespace

NameFault level_name_fault(std::string_view name) {
    if (name.empty()) return NameFault::empty;
    if (name.size() > MAX_NAME_LENGTH) return NameFault::too_long;
    if (name.find_first_of("/\\") != std::string_view::npos) return NameFault::separator;
    if (name.front() == '.') return NameFault::leading_dot;
    if (name.find('\0') != std::string_view::npos) return NameFault::zero_byte;
    return NameFault::none;
}

bool is_safe_level_name(std::string_view name) {
    return level_name_fault(name) == NameFault::none;
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

    std::string temp = path + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const bool written = ::fchmod(fd, default_file_mode()) == 0 &&
                         write_all(fd, level_bytes(canvas, tail)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace zk
