#pragma once

// End-to-end harness: runs the real game binary in a pseudo-terminal and reads its output
// through libvterm, a real terminal emulator, into a screen that tests can query.

#include "scratch_dir.hpp"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/types.h>
#include <termios.h>
#include <utility>
#include <vector>

struct VTerm;
struct VTermScreen;

namespace zk::e2e {

/// Path of the program that runs the game under test: the zimvokrelt binary itself, or the
/// launcher (Wine) of a Windows build.
const char* game_binary();
/// Arguments that game_binary() needs to start the game: none for the native binary, the
/// Windows program's path for a launcher.
std::vector<std::string> game_arguments();

/// Keys as a terminal sends them.
inline constexpr std::string_view KEY_ARROW_UP = "\x1b[A";
inline constexpr std::string_view KEY_ARROW_DOWN = "\x1b[B";
inline constexpr std::string_view KEY_ARROW_RIGHT = "\x1b[C";
inline constexpr std::string_view KEY_ARROW_LEFT = "\x1b[D";
inline constexpr std::string_view KEY_PAGE_DOWN = "\x1b[6~";
inline constexpr std::string_view KEY_CTRL_C = "\x03";
inline constexpr std::string_view KEY_CTRL_D = "\x04";

/// A fresh temporary directory with an empty plansze/ folder; removed with all its contents
/// when destroyed.
class TempWorkDir {
  public:
    TempWorkDir();

    const std::string& path() const { return path_; }
    /// Writes `content` as plansze/NAME.txt.
    void write_level(const std::string& name, const std::string& content) const;
    /// The contents of a file below the directory, or nullopt when it cannot be read.
    std::optional<std::string> read_file(const std::string& relative_path) const;

  private:
    test::ScratchDir scratch_;
    std::string path_;
};

/// Changes to the environment: a value sets the variable, nullopt removes it.
using Environment = std::vector<std::pair<std::string, std::optional<std::string>>>;

/// How a session starts.
struct SessionOptions {
    std::string working_dir; ///< the game's working directory
    int rows = 25;           ///< terminal size
    int columns = 80;
    std::string program = game_binary();
    std::vector<std::string> arguments = game_arguments(); ///< after the program's name
    /// The console attribute that cells in the terminal's default colours count as, or -1 when
    /// such cells have none (a Windows console under Wine sends light grey on black that way).
    int default_attr = -1;
    /// Environment changes after the defaults TERM=xterm-256color and LANG=C.UTF-8 (LC_ALL,
    /// LC_CTYPE and COLORTERM removed): a value sets the variable, nullopt removes it.
    Environment environment;
    /// Resource limits (RLIMIT_FSIZE, say) set for the program alone, as soft limits.
    std::vector<std::pair<int, rlim_t>> limits;
};

/// How the program ended.
struct ExitStatus {
    bool exited = false; ///< ended through exit (code holds the status)
    int code = -1;       ///< exit status, when exited
    int signal = 0;      ///< the signal that killed it, when not exited
    bool timed_out = false;
};

/// The game running in a pseudo-terminal, with a terminal emulator showing its output. The
/// program starts with every signal at its default action and none blocked, whatever the
/// test runner left.
/// Rows and columns are counted from 0, as on the game's screen.
class PtySession {
  public:
    explicit PtySession(const SessionOptions& options);
    ~PtySession(); // kills the program if it is still running
    PtySession(const PtySession&) = delete;
    PtySession& operator=(const PtySession&) = delete;

    /// Types `bytes` on the terminal's keyboard.
    void send(std::string_view bytes);

    /// Reads the program's output for up to `timeout_ms`, until `text` stands at `row`, `col`.
    bool wait_for_text(int row, int col, std::string_view text, int timeout_ms = 5000);
    /// Reads the program's output until the raw bytes received contain `bytes`.
    bool wait_for_output(std::string_view bytes, int timeout_ms = 5000);
    /// Reads the program's output until `done` holds; false when it still does not after
    /// `timeout_ms` or after the terminal closed.
    bool wait_for(const std::function<bool()>& done, int timeout_ms = 5000);
    /// Reads whatever output comes within `ms` milliseconds.
    void settle(int ms);

    /// The text of `length` cells from (`row`, `col`), UTF-8, blanks for empty cells.
    std::string text_at(int row, int col, int length) const;
    /// A whole row, trailing blanks removed.
    std::string row_text(int row) const;
    /// Every row, for failure messages.
    std::string screen_text() const;
    /// The Unicode character of a cell (a blank for an empty one).
    char32_t char_at(int row, int col) const;
    /// The cell's colours as a console attribute (foreground low four bits, background high),
    /// whether the terminal got them as one of 16 colours, as fixed 256-colour palette indices
    /// near the classic console palette or as 24-bit colours of it; -1 when they are none of
    /// these (default colours, say).
    int attr_at(int row, int col) const;
    /// The palette index (0..255) the cell's background came as; -1 when it came otherwise.
    int background_index_at(int row, int col) const;
    /// The palette index (0..255) the cell's foreground came as; -1 when it came otherwise.
    int foreground_index_at(int row, int col) const;
    /// True when the cell's colours came as 24-bit colours.
    bool rgb_at(int row, int col) const;
    /// The emulator's cursor row and column, and whether the cursor is shown.
    int cursor_row() const;
    int cursor_col() const;
    bool cursor_visible() const { return cursor_visible_; }

    /// Every byte the program wrote.
    const std::string& output() const { return output_; }

    /// Changes the terminal size (the program gets SIGWINCH).
    void resize(int rows, int columns);
    /// Sends `sig` to the program.
    void signal(int sig);

    /// Waits for the program to end, reading its output meanwhile, and then reads the rest.
    ExitStatus wait_exit(int timeout_ms = 5000);

    /// The terminal mode as it was before the program started, and as it is now.
    const termios& initial_mode() const { return initial_mode_; }
    termios current_mode() const;

    pid_t pid() const { return pid_; }

  private:
    bool read_output(int timeout_ms); // false once the terminal is closed

    int master_ = -1;
    pid_t pid_ = -1;
    bool reaped_ = false;
    bool closed_ = false; // the program's side of the terminal is closed
    int wait_status_ = 0;
    VTerm* vt_ = nullptr;
    VTermScreen* screen_ = nullptr;
    termios initial_mode_{};
    int default_attr_ = -1;
    std::string output_;
    bool cursor_visible_ = true;
};

/// The terminal modes that a program must leave as it found them.
bool same_terminal_mode(const termios& a, const termios& b);

/// Runs the game with `input` as its standard input (a pipe) and its standard output a pipe.
struct PipedRun {
    ExitStatus status;
    std::string output;
};
/// `environment` changes the defaults of SessionOptions.
PipedRun run_piped(const std::string& working_dir, const std::string& input, int timeout_ms = 5000,
                   const Environment& environment = {});

} // namespace zk::e2e
