// Level files: reading and writing their text, the level names allowed, and the folders levels
// are looked for in. The file system's side is the platform folders'.

#include "model/level_file.hpp"

#include "model/level_file_os.hpp"
#include "text/cp852.hpp"
#include "text/utf8.hpp"

#include <algorithm>
#include <cstdio>
#include <string>

#ifndef ZK_LEVEL_INSTALL_DIR
#define ZK_LEVEL_INSTALL_DIR "" // a build without installed levels
#endif
#ifndef ZK_LEVEL_RELATIVE_DIR
#define ZK_LEVEL_RELATIVE_DIR "" // installed levels relative to the installed program
#endif

namespace zk {

namespace {

// Gives the bytes of a level file with every CR LF turned into one LF, as text-mode input
// does.
class TextReader {
  public:
    explicit TextReader(std::string_view bytes) : bytes_(bytes) {}

    int next() {
        if (pos_ == bytes_.size()) return EOF;
        const auto ch = static_cast<unsigned char>(bytes_[pos_++]);
        if (ch == '\r' && pos_ < bytes_.size() && bytes_[pos_] == LINE_END) {
            ++pos_;
            return LINE_END;
        }
        return ch; // a lone CR is an ordinary byte
    }

  private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Stores the rest of the file as the answer: at most ANSWER_CAPACITY bytes, and one line end
// that closes the file is left out.
void read_answer(TextReader& in, PuzzleState& p) {
    std::size_t stored = 0;
    bool line_end_held = false;
    auto store = [&](int ch) {
        if (stored < ANSWER_CAPACITY) p.answer[stored++] = static_cast<char>(ch);
    };
    for (int ch = in.next(); ch != EOF; ch = in.next()) {
        if (line_end_held) store(LINE_END);
        line_end_held = ch == LINE_END;
        if (!line_end_held) store(ch);
    }
}

} // namespace

Grid level_layout(const Grid& picture, int height, int width) {
    Grid canvas{};
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) at(canvas, r, c) = at(picture, r, c);
        at(canvas, r, width) = LINE_END;
    }
    at(canvas, height, 0) = ANSWER_PLACEHOLDER;
    return canvas;
}

std::string level_bytes(const Grid& canvas, std::string_view tail) {
    tail = tail.substr(0, tail.find('\0'));
    std::string bytes;
    for (std::uint8_t ch : canvas) {
        if (ch == 0) continue;
        if (ch == ANSWER_PLACEHOLDER) {
            bytes += tail;
        } else if (ch == LINE_END) {
            bytes += SAVED_LINE_END;
        } else {
            bytes += static_cast<char>(ch);
        }
    }
    return bytes;
}

NameFault level_name_fault(std::string_view name) {
    if (name.empty()) return NameFault::empty;
    if (name.size() > MAX_NAME_LENGTH) return NameFault::too_long;
    if (name.find_first_of("/\\") != std::string_view::npos) return NameFault::separator;
    if (name.front() == '.') return NameFault::leading_dot;
    if (name.find('\0') != std::string_view::npos) return NameFault::zero_byte;
    return platform_name_fault(name);
}

bool is_safe_level_name(std::string_view name) {
    return level_name_fault(name) == NameFault::none;
}

std::string file_name_of(std::string_view name) {
    std::string file_name;
    for (char ch : name) append_utf8(file_name, cp852_code_point(static_cast<std::uint8_t>(ch)));
    return file_name;
}

std::string level_path(std::string_view name) {
    std::string path(LEVEL_DIR);
    path += PATH_SEPARATOR;
    path += file_name_of(name);
    path += LEVEL_FILE_EXTENSION;
    return path;
}

std::string level_display_path(std::string_view name) {
    std::string path(LEVEL_DIR);
    path += '\\';
    path += name;
    return path;
}

std::vector<std::string> level_search_dirs(const LevelPlaces& places) {
    std::vector<std::string> dirs;
    auto add = [&dirs](std::string dir) {
        if (std::find(dirs.begin(), dirs.end(), dir) == dirs.end()) dirs.push_back(std::move(dir));
    };
    add(std::string(LEVEL_DIR));
    if (!places.program_dir.empty()) {
        add(places.program_dir + PATH_SEPARATOR + std::string(LEVEL_DIR));
        if (!places.installed_relative.empty())
            add(places.program_dir + PATH_SEPARATOR + places.installed_relative);
    }
    if (!places.installed_absolute.empty()) add(places.installed_absolute);
    return dirs;
}

LevelPlaces level_places(const char* argv0) {
    return {program_folder(argv0), ZK_LEVEL_RELATIVE_DIR, ZK_LEVEL_INSTALL_DIR};
}

std::string find_level_file(std::string_view name, const std::vector<std::string>& dirs) {
    const std::string file = file_name_of(name) + std::string(LEVEL_FILE_EXTENSION);
    for (const std::string& dir : dirs) {
        std::string path = dir + PATH_SEPARATOR + file;
        if (is_regular_file(path)) return path;
    }
    return level_path(name);
}

std::optional<std::string> read_level_bytes(const std::string& path, std::size_t max_bytes) {
    std::FILE* f = open_level_for_reading(path);
    if (f == nullptr) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    while (bytes.size() < max_bytes) {
        const std::size_t wanted = std::min(sizeof buffer, max_bytes - bytes.size());
        const std::size_t got = std::fread(buffer, 1, wanted, f);
        bytes.append(buffer, got);
        if (got < wanted) break;
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

void parse_level(PuzzleState& p, std::string_view bytes) {
    reset_puzzle(p);
    TextReader in(bytes.substr(0, MAX_LEVEL_READ_BYTES));
    int r = 0;
    int c = 0;
    for (int ch = in.next(); ch != EOF; ch = in.next()) {
        if (ch == LINE_END) {
            if (r < MAX_BOARD) ++r; // rows from 15 on are never stored, so r need not grow
            c = 0;
        } else if (ch == ANSWER_MARKER) {
            read_answer(in, p);
            break;
        } else {
            if (r < MAX_BOARD && c < MAX_BOARD) at(p.target, r, c) = static_cast<std::uint8_t>(ch);
            if (c < MAX_BOARD) ++c;
        }
    }
}

bool load_level(PuzzleState& p, const std::string& path) {
    const std::optional<std::string> bytes = read_level_bytes(path, MAX_LEVEL_READ_BYTES);
    if (!bytes) return false;
    parse_level(p, *bytes);
    return true;
}

} // namespace zk
