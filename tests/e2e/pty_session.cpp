// A session of the real program in a pseudo-terminal, its screen kept by libvterm, for the
// end-to-end tests.

#include "pty_session.hpp"

#include "terminal_colours.hpp"
#include "text/utf8.hpp"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <pty.h>
#include <sstream>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utmp.h>
#include <vterm.h>

extern char** environ;

namespace zk::e2e {

namespace {

using Clock = std::chrono::steady_clock;

// The console colour of a libvterm colour, or -1.
int console_colour(const VTermColor& colour) {
    if (VTERM_COLOR_IS_DEFAULT_FG(&colour) || VTERM_COLOR_IS_DEFAULT_BG(&colour)) return -1;
    if (VTERM_COLOR_IS_INDEXED(&colour)) {
        const int index = colour.indexed.idx;
        return index < 16 ? test::console_colour_of_terminal_index(index)
                          : test::console_colour_of_fixed_index(index);
    }
    const std::uint32_t rgb = (std::uint32_t{colour.rgb.red} << 16) |
                              (std::uint32_t{colour.rgb.green} << 8) | colour.rgb.blue;
    return test::console_colour_of_rgb(rgb);
}

void write_fully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        } else {
            throw std::runtime_error("cannot write to the terminal");
        }
    }
}

// The environment of the program: ours, with the session's changes.
std::vector<std::string> child_environment(const SessionOptions& options) {
    std::vector<std::pair<std::string, std::optional<std::string>>> changes{
        {"TERM", "xterm-256color"},
        {"LANG", "C.UTF-8"},
        {"LC_ALL", std::nullopt},
        {"LC_CTYPE", std::nullopt},
        {"COLORTERM", std::nullopt}};
    changes.insert(changes.end(), options.environment.begin(), options.environment.end());
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const auto& [name, value] : changes) {
        std::erase_if(env, [&](const std::string& v) { return v.rfind(name + "=", 0) == 0; });
        if (value) env.push_back(name + "=" + *value);
    }
    return env;
}

// The program's name followed by the game's arguments, as execve wants them.
std::vector<std::string> command_line(const std::string& program,
                                      const std::vector<std::string>& arguments) {
    std::vector<std::string> line{program};
    line.insert(line.end(), arguments.begin(), arguments.end());
    return line;
}

std::vector<char*> pointers_to(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

int on_terminal_property(VTermProp prop, VTermValue* value, void* user) {
    if (prop == VTERM_PROP_CURSORVISIBLE) *static_cast<bool*>(user) = value->boolean != 0;
    return 1;
}

ExitStatus status_of(int wait_status) {
    ExitStatus s;
    if (WIFEXITED(wait_status)) {
        s.exited = true;
        s.code = WEXITSTATUS(wait_status);
    } else if (WIFSIGNALED(wait_status)) {
        s.signal = WTERMSIG(wait_status);
    }
    return s;
}

} // namespace

const char* game_binary() {
    return ZK_GAME_BINARY;
}

std::vector<std::string> game_arguments() {
#ifdef ZK_GAME_ARGUMENT
    return {ZK_GAME_ARGUMENT};
#else
    return {};
#endif
}

// ---- TempWorkDir ----------------------------------------------------------------------------

TempWorkDir::TempWorkDir() : scratch_("zk-e2e"), path_(scratch_.path().string()) {
    std::filesystem::create_directory(scratch_.path() / "plansze");
}

void TempWorkDir::write_level(const std::string& name, const std::string& content) const {
    std::ofstream file(std::filesystem::path(path_) / "plansze" / (name + ".txt"),
                       std::ios::binary);
    file << content;
}

std::optional<std::string> TempWorkDir::read_file(const std::string& relative_path) const {
    std::ifstream file(std::filesystem::path(path_) / relative_path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// ---- PtySession -----------------------------------------------------------------------------

PtySession::PtySession(const SessionOptions& options) {
    winsize size{};
    size.ws_row = static_cast<unsigned short>(options.rows);
    size.ws_col = static_cast<unsigned short>(options.columns);
    int slave = -1;
    if (openpty(&master_, &slave, nullptr, nullptr, &size) != 0)
        throw std::runtime_error("openpty failed");
    tcgetattr(slave, &initial_mode_);

    std::vector<std::string> env = child_environment(options);
    std::vector<char*> envp = pointers_to(env);
    std::string program = options.program;
    std::vector<std::string> line = command_line(program, options.arguments);
    std::vector<char*> argv = pointers_to(line);
    default_attr_ = options.default_attr;

    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        ::close(master_);
        if (login_tty(slave) != 0) _exit(126);
        for (int sig = 1; sig < NSIG; ++sig) std::signal(sig, SIG_DFL);
        sigset_t none{};
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        for (const auto& [resource, soft] : options.limits) {
            rlimit limit{};
            getrlimit(resource, &limit);
            limit.rlim_cur = soft;
            if (setrlimit(resource, &limit) != 0) _exit(124);
        }
        if (!options.working_dir.empty() && chdir(options.working_dir.c_str()) != 0) _exit(125);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    ::close(slave);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

    vt_ = vterm_new(options.rows, options.columns);
    vterm_set_utf8(vt_, 1);
    vterm_output_set_callback(
        vt_,
        [](const char* s, size_t len, void* user) {
            // The emulator's answers to queries go back to the program, as a terminal's do.
            write_fully(*static_cast<int*>(user), std::string_view(s, len));
        },
        &master_);
    screen_ = vterm_obtain_screen(vt_);
    static const VTermScreenCallbacks callbacks = [] {
        VTermScreenCallbacks c{};
        c.settermprop = on_terminal_property;
        return c;
    }();
    vterm_screen_set_callbacks(screen_, &callbacks, &cursor_visible_);
    vterm_screen_reset(screen_, 1);
}

PtySession::~PtySession() {
    if (!reaped_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) ::close(master_);
    if (vt_ != nullptr) vterm_free(vt_);
}

void PtySession::send(std::string_view bytes) {
    write_fully(master_, bytes);
}

bool PtySession::read_output(int timeout_ms) {
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0) return true;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n > 0) {
            output_.append(buffer.data(), static_cast<std::size_t>(n));
            vterm_input_write(vt_, buffer.data(), static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) return true;
        return false; // EIO: every process holding the terminal has closed it
    }
}

bool PtySession::wait_for(const std::function<bool()>& done, int timeout_ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (done()) return true;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        const int slice = static_cast<int>(std::min<long long>(left, 20));
        if (closed_)
            ::poll(nullptr, 0, slice); // nothing more to read; the program may be ending
        else if (!read_output(slice))
            closed_ = true;
    }
}

bool PtySession::wait_for_text(int row, int col, std::string_view text, int timeout_ms) {
    return wait_for([&] { return text_at(row, col, static_cast<int>(text.size())) == text; },
                    timeout_ms);
}

bool PtySession::wait_for_output(std::string_view bytes, int timeout_ms) {
    return wait_for([&] { return output_.find(bytes) != std::string::npos; }, timeout_ms);
}

void PtySession::settle(int ms) {
    wait_for([] { return false; }, ms);
}

std::string PtySession::text_at(int row, int col, int length) const {
    std::string text;
    for (int i = 0; i < length; ++i) append_utf8(text, char_at(row, col + i));
    return text;
}

std::string PtySession::row_text(int row) const {
    int columns = 0;
    int rows = 0;
    vterm_get_size(vt_, &rows, &columns);
    std::string text = text_at(row, 0, columns);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string PtySession::screen_text() const {
    int columns = 0;
    int rows = 0;
    vterm_get_size(vt_, &rows, &columns);
    std::string text;
    for (int r = 0; r < rows; ++r) text += row_text(r) + "\n";
    return text;
}

char32_t PtySession::char_at(int row, int col) const {
    VTermScreenCell cell{};
    if (vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell) == 0) return U'\0';
    return cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]);
}

int PtySession::attr_at(int row, int col) const {
    VTermScreenCell cell{};
    if (vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell) == 0) return -1;
    int foreground = console_colour(cell.fg);
    int background = console_colour(cell.bg);
    if (default_attr_ >= 0 && VTERM_COLOR_IS_DEFAULT_FG(&cell.fg)) foreground = default_attr_ & 15;
    if (default_attr_ >= 0 && VTERM_COLOR_IS_DEFAULT_BG(&cell.bg)) background = default_attr_ >> 4;
    if (foreground < 0 || background < 0) return -1;
    return background << 4 | foreground;
}

bool PtySession::rgb_at(int row, int col) const {
    VTermScreenCell cell{};
    if (vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell) == 0) return false;
    return VTERM_COLOR_IS_RGB(&cell.fg) && VTERM_COLOR_IS_RGB(&cell.bg);
}

int PtySession::background_index_at(int row, int col) const {
    VTermScreenCell cell{};
    if (vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell) == 0) return -1;
    if (!VTERM_COLOR_IS_INDEXED(&cell.bg) || VTERM_COLOR_IS_DEFAULT_BG(&cell.bg)) return -1;
    return cell.bg.indexed.idx;
}

int PtySession::foreground_index_at(int row, int col) const {
    VTermScreenCell cell{};
    if (vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell) == 0) return -1;
    if (!VTERM_COLOR_IS_INDEXED(&cell.fg) || VTERM_COLOR_IS_DEFAULT_FG(&cell.fg)) return -1;
    return cell.fg.indexed.idx;
}

int PtySession::cursor_row() const {
    VTermPos pos{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
    return pos.row;
}

int PtySession::cursor_col() const {
    VTermPos pos{};
    vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
    return pos.col;
}

void PtySession::resize(int rows, int columns) {
    vterm_set_size(vt_, rows, columns);
    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(columns);
    ioctl(master_, TIOCSWINSZ, &size); // the kernel signals the program
}

void PtySession::signal(int sig) {
    if (!reaped_) kill(pid_, sig);
}

ExitStatus PtySession::wait_exit(int timeout_ms) {
    const bool ended = wait_for(
        [&] {
            if (!reaped_ && waitpid(pid_, &wait_status_, WNOHANG) == pid_) reaped_ = true;
            return reaped_;
        },
        timeout_ms);
    if (!ended) {
        ExitStatus s;
        s.timed_out = true;
        return s;
    }
    while (!closed_ && read_output(20)) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0) break;
    }
    return status_of(wait_status_);
}

termios PtySession::current_mode() const {
    termios mode{};
    tcgetattr(master_, &mode);
    return mode;
}

bool same_terminal_mode(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_lflag == b.c_lflag &&
           a.c_cflag == b.c_cflag && a.c_cc[VMIN] == b.c_cc[VMIN] &&
           a.c_cc[VTIME] == b.c_cc[VTIME] && a.c_cc[VEOF] == b.c_cc[VEOF] &&
           a.c_cc[VINTR] == b.c_cc[VINTR];
}

// ---- piped runs -----------------------------------------------------------------------------

PipedRun run_piped(const std::string& working_dir, const std::string& input, int timeout_ms,
                   const Environment& environment) {
    int to_child[2];
    int from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) throw std::runtime_error("pipe failed");
    SessionOptions options;
    options.environment = environment;
    std::vector<std::string> env = child_environment(options);
    std::vector<char*> envp = pointers_to(env);
    std::string program = game_binary();
    std::vector<std::string> line = command_line(program, options.arguments);
    std::vector<char*> argv = pointers_to(line);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        dup2(to_child[0], 0);
        dup2(from_child[1], 1);
        ::close(to_child[0]);
        ::close(to_child[1]);
        ::close(from_child[0]);
        ::close(from_child[1]);
        if (chdir(working_dir.c_str()) != 0) _exit(125);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    ::close(to_child[0]);
    ::close(from_child[1]);
    // The input is small enough for the pipe's buffer; closing it ends the program's input.
    write_fully(to_child[1], input);
    ::close(to_child[1]);

    PipedRun run;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    std::array<char, 4096> buffer{};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            kill(pid, SIGKILL);
            run.status.timed_out = true;
            break;
        }
        pollfd p{from_child[0], POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        const ssize_t n = ::read(from_child[0], buffer.data(), buffer.size());
        if (n > 0)
            run.output.append(buffer.data(), static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(from_child[0]);
    int wait_status = 0;
    waitpid(pid, &wait_status, 0);
    if (!run.status.timed_out) run.status = status_of(wait_status);
    return run;
}

} // namespace zk::e2e
