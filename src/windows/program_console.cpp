// The program's console on Windows: a console shown through its own cell and key-event
// interfaces, a pipe or file through the ANSI presenter and the byte decoder. The top of the
// Windows console back end.

#include "console/program_console.hpp"

#include "console/console_cells.hpp"
#include "console/enlarge_request.hpp"
#include "console/fd_sink.hpp"
#include "console/key_decoder.hpp"
#include "console/key_queue.hpp"
#include "console/presenter.hpp"
#include "console/terminal.hpp"
#include "windows/console_hold.hpp"
#include "windows/key_event.hpp"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <io.h>
#include <optional>
#include <vector>

namespace zk {

namespace {

// How long a wait for console input lasts before the window is looked at again, so that a
// resize or a scroll that sends no event is still repainted.
constexpr DWORD WINDOW_CHECK_MS = 250;

// What the window is cleared in: the console's own colours, without the grid and underline
// bits an attribute byte of the screen cannot hold.
std::uint8_t clear_attribute() {
    return static_cast<std::uint8_t>(original_console_attribute() & 0xFF);
}

bool operator==(const SMALL_RECT& a, const SMALL_RECT& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// Shows the screen model in the visible window of the console (its top-left is screen cell
// 0, 0, whatever the buffer's scroll position) through the console's cell interface: the
// attribute byte is the console attribute, the glyph byte goes through code page 852 to
// UTF-16, and only the changed span of each row is written.
class ConsoleCellOutput {
  public:
    ConsoleCellOutput(HANDLE output, const EnlargeRequest& enlarge)
        : output_(output), enlarge_(enlarge) {}

    void invalidate() { repaint_all_ = true; }

    // The caller holds console_lock().
    void present(const Screen& screen) {
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(output_, &info) == 0) return;
        if (!(info.srWindow == window_)) {
            window_ = info.srWindow;
            repaint_all_ = true;
        }
        const int columns = window_.Right - window_.Left + 1;
        const int rows = window_.Bottom - window_.Top + 1;
        if (repaint_all_) clear_window();
        if (is_window_too_small({columns, rows})) {
            if (repaint_all_) show_enlarge_request(columns);
            repaint_all_ = false;
            small_ = true;
            return;
        }
        if (small_ || repaint_all_) {
            // Everything was cleared: the shown cells are blanks in the clearing attribute.
            shown_.fill(Cell{' ', clear_attribute()});
            small_ = false;
        }
        repaint_all_ = false;
        for (const CellSpan& span : changed_spans(shown_, screen)) write_span(screen, span);
    }

    bool window_is_small() const { return small_; }

  private:
    void clear_window() const {
        const DWORD width = static_cast<DWORD>(window_.Right - window_.Left + 1);
        for (SHORT row = window_.Top; row <= window_.Bottom; ++row) {
            DWORD done = 0;
            FillConsoleOutputCharacterW(output_, L' ', width, COORD{window_.Left, row}, &done);
            FillConsoleOutputAttribute(output_, clear_attribute(), width, COORD{window_.Left, row},
                                       &done);
        }
    }

    void show_enlarge_request(int columns) const {
        const std::string request = fit_enlarge_request(enlarge_, columns);
        std::vector<CHAR_INFO> cells(request.size());
        for (std::size_t i = 0; i < request.size(); ++i) {
            cells[i].Char.UnicodeChar = static_cast<WCHAR>(request[i]);
            cells[i].Attributes = clear_attribute();
        }
        if (cells.empty()) return;
        SMALL_RECT area{window_.Left, window_.Top,
                        static_cast<SHORT>(window_.Left + static_cast<SHORT>(cells.size()) - 1),
                        window_.Top};
        WriteConsoleOutputW(output_, cells.data(), COORD{static_cast<SHORT>(cells.size()), 1},
                            COORD{0, 0}, &area);
    }

    void write_span(const Screen& screen, const CellSpan& span) {
        std::array<CHAR_INFO, SCREEN_COLUMNS> cells{};
        const int length = span.end - span.first;
        for (int i = 0; i < length; ++i) {
            const Cell& cell = screen.cell(span.row, span.first + i);
            cells[static_cast<std::size_t>(i)].Char.UnicodeChar =
                static_cast<WCHAR>(console_char(cell.glyph));
            cells[static_cast<std::size_t>(i)].Attributes = cell.attr;
            shown_[static_cast<std::size_t>(span.row * SCREEN_COLUMNS + span.first + i)] = cell;
        }
        const auto row = static_cast<SHORT>(window_.Top + span.row);
        SMALL_RECT area{static_cast<SHORT>(window_.Left + span.first), row,
                        static_cast<SHORT>(window_.Left + span.end - 1), row};
        WriteConsoleOutputW(output_, cells.data(), COORD{static_cast<SHORT>(length), 1},
                            COORD{0, 0}, &area);
    }

    HANDLE output_;
    EnlargeRequest enlarge_;
    SMALL_RECT window_{-1, -1, -1, -1};
    bool repaint_all_ = true;
    bool small_ = false;
    ShownCells shown_{};
};

} // namespace

struct ProgramConsole::Parts {
    explicit Parts(const EnlargeRequest& enlarge) {
        // Bytes pass through the C runtime unchanged: no LF to CR LF, no end at Ctrl-Z.
        ::_setmode(0, _O_BINARY);
        ::_setmode(1, _O_BINARY);
        if (HANDLE output = held_console_output(); output != nullptr) {
            cells.emplace(output, enlarge);
        } else {
            sink.emplace(1);
            presenter.emplace(*sink, enlarge, PresenterOptions{true, ColourMode::basic16});
        }
        const TerminalSize size = terminal.size();
        if (presenter) presenter->set_terminal_size(size.columns, size.rows);
    }

    void present() {
        if (terminal.take_repaint_request()) {
            if (cells) cells->invalidate();
            if (presenter) presenter->invalidate();
        }
        if (screen == nullptr) return;
        if (presenter) {
            presenter->present(*screen);
            return;
        }
        const std::lock_guard<std::mutex> guard(console_lock());
        if (console_held()) cells->present(*screen);
    }

    void read_more() {
        present();
        if (terminal.input_is_tty()) {
            read_console_events();
        } else {
            read_bytes();
        }
    }

    // Key events of the console input; the window is looked at again every WINDOW_CHECK_MS.
    void read_console_events() {
        HANDLE input = held_console_input();
        const DWORD ready = WaitForSingleObject(input, WINDOW_CHECK_MS);
        if (ready == WAIT_TIMEOUT) return;
        std::array<INPUT_RECORD, 64> records{};
        DWORD count = 0;
        if (ready != WAIT_OBJECT_0 ||
            ReadConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &count) ==
                0) {
            keys.ended = true;
            return;
        }
        for (DWORD i = 0; i < count; ++i) {
            const INPUT_RECORD& record = records[i];
            if (record.EventType == WINDOW_BUFFER_SIZE_EVENT) request_console_repaint();
            if (record.EventType != KEY_EVENT) continue; // mouse, focus and menu events
            const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
            translate_key_event({key.bKeyDown != 0, key.wRepeatCount, key.wVirtualKeyCode,
                                 static_cast<char16_t>(key.uChar.UnicodeChar),
                                 key.dwControlKeyState},
                                keys.codes);
        }
        // While the window is too small to show the screen, keys are dropped rather than acted on
        // unseen.
        if (cells && cells->window_is_small()) drop_waiting_codes(keys);
    }

    // Bytes of a pipe or file, decoded as on POSIX in a UTF-8 locale.
    void read_bytes() {
        std::array<std::uint8_t, 256> bytes{};
        const int count =
            ::_read(terminal.input_fd(), bytes.data(), static_cast<unsigned>(bytes.size()));
        if (count <= 0) {
            decoder.end_of_input(keys.codes);
            keys.ended = true;
            return;
        }
        for (int i = 0; i < count; ++i)
            decoder.feed(bytes[static_cast<std::size_t>(i)], keys.codes);
    }

    Terminal terminal{0, 1};
    std::optional<ConsoleCellOutput> cells;
    std::optional<FdSink> sink;
    std::optional<Presenter> presenter;
    Screen* screen = nullptr;
    KeyDecoder decoder{true}; // typed characters come as UTF-8
    KeyQueue keys;
    bool released = false;
};

bool console_can_draw() {
    return true;
}

// The console's own palette decides the colours of a Windows console, and the presenter for an
// output that is not a console sends 16 colours.
bool console_shows_palette(Palette palette) {
    return palette == Palette::classic;
}

ProgramConsole::ProgramConsole(const EnlargeRequest& enlarge, Palette)
    : parts_(std::make_unique<Parts>(enlarge)) {}

ProgramConsole::~ProgramConsole() {
    release();
}

void ProgramConsole::show(Screen& screen) {
    parts_->screen = &screen;
}

int ProgramConsole::read_code() {
    parts_->present();
    return take_code(parts_->keys, [this] { parts_->read_more(); });
}

void ProgramConsole::present() {
    parts_->present();
}

void ProgramConsole::release() {
    if (parts_->released) return;
    parts_->released = true;
    parts_->terminal.restore();
    // An output that is no console got the ANSI presenter's bytes, and gets their ending too.
    // An output that takes no more bytes is let go all the same.
    if (parts_->presenter)
        static_cast<void>(write_all(
            1, std::string_view(TERMINAL_RESTORE_SEQUENCE, sizeof TERMINAL_RESTORE_SEQUENCE - 1)));
}

} // namespace zk
