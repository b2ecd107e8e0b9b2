#include "model/level_file.hpp"

#include "model/level_file_os.hpp"

#include <cstdio>
#include <string>

namespace zk {

namespace {

constexpr int ANSWER_CAPACITY = 31; // answer bytes kept before the terminating zero

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

} // namespace

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

bool is_safe_level_name(std::string_view name) {
    if (name.empty() || name.size() > MAX_NAME_LENGTH || name.front() == '.') return false;
    // A zero byte would cut the path short and open a different file.
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string_view::npos) return false;
    return platform_name_refusal(name) == nullptr;
}

std::string level_path(std::string_view name) {
    std::string path(LEVEL_DIR);
    path += PATH_SEPARATOR;
    path += name;
    path += ".txt";
    return path;
}

std::string find_level_file(std::string_view name, const std::string& install_dir) {
    std::string local = level_path(name);
    if (is_regular_file(local) || install_dir.empty()) return local;
    std::string installed = install_dir + PATH_SEPARATOR + std::string(name) + ".txt";
    return is_regular_file(installed) ? installed : local;
}

std::string find_level_file(std::string_view name) {
    return find_level_file(name, installed_level_dir());
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

} // namespace zk
