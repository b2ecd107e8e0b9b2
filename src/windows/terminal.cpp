// The hold on a Windows console: its input mode, a screen buffer of the program's own, and the
// control handler that gives the console back. Part of the Windows console back end.

#include "console/terminal.hpp"
#include "console/screen.hpp"
#include "windows/console_handle.hpp"
#include "windows/console_hold.hpp"

#include <atomic>
#include <cstdlib>
#include <exception>
#include <stdexcept>

namespace zk {

namespace {

// The control handler runs on a thread of its own and can reach only static data; one
// Terminal exists at a time.
std::mutex lock;
bool held = false;
HANDLE console_input = nullptr;
HANDLE console_output = nullptr;
// While the game draws in a screen buffer of its own (console_output), the buffer the console
// showed before; nullptr when the game draws in that buffer itself.
HANDLE user_output = nullptr;
DWORD original_input_mode = 0;
DWORD original_output_mode = 0;
CONSOLE_CURSOR_INFO original_cursor{};
bool cursor_known = false;
WORD original_attribute = DEFAULT_ATTR;
std::atomic<bool> repaint_requested{false};

constexpr DWORD VIRTUAL_TERMINAL_INPUT = 0x0200; // ENABLE_VIRTUAL_TERMINAL_INPUT

// Gives the console back as it was found: the user's buffer shown again when the game drew in
// its own; else the user's buffer with the cursor on the line below the drawn rows (the buffer
// scrolls when it has no such line), so the last screen stays visible above the shell's
// prompt. The caller holds the lock.
void release_console() {
    if (!held) return;
    held = false;
    if (console_input != nullptr) SetConsoleMode(console_input, original_input_mode);
    if (console_output == nullptr) return;
    if (user_output != nullptr) {
        // The user's buffer is shown again as it was. Its cursor is set once more to what it
        // is: Wine's console in a terminal shows the cursor of the buffer made active only then.
        SetConsoleActiveScreenBuffer(user_output);
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(user_output, &info) != 0)
            SetConsoleCursorPosition(user_output, info.dwCursorPosition);
        if (cursor_known) SetConsoleCursorInfo(user_output, &original_cursor);
        return;
    }
    SetConsoleMode(console_output, original_output_mode);
    SetConsoleTextAttribute(console_output, original_attribute);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(console_output, &info) != 0) {
        const int window_rows = info.srWindow.Bottom - info.srWindow.Top + 1;
        int below = info.srWindow.Top + (window_rows < SCREEN_ROWS ? window_rows : SCREEN_ROWS);
        const int last_row = info.dwSize.Y - 1;
        if (below > last_row) {
            // No line below the screen: the buffer moves up by one line, as a line end written
            // on its last row would move it (Wine's console does not, so it is done here).
            const SMALL_RECT moved{0, 1, static_cast<SHORT>(info.dwSize.X - 1),
                                   static_cast<SHORT>(last_row)};
            CHAR_INFO blank{};
            blank.Char.UnicodeChar = L' ';
            blank.Attributes = original_attribute;
            ScrollConsoleScreenBufferW(console_output, &moved, nullptr, COORD{0, 0}, &blank);
            below = last_row;
        }
        SetConsoleCursorPosition(console_output, COORD{0, static_cast<SHORT>(below)});
    }
    if (cursor_known) SetConsoleCursorInfo(console_output, &original_cursor);
}

// Ctrl-C, Ctrl-Break, closing the window, logoff and shutdown: give the console back first.
// Ctrl-C and Ctrl-Break then end the program with the status that says it was interrupted,
// as the default handling means to (under Wine that would be 0, which reads as success); for
// the others the system ends it once this returns.
BOOL WINAPI on_console_control(DWORD event) {
    {
        const std::lock_guard<std::mutex> guard(lock);
        release_console();
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) ExitProcess(STATUS_CONTROL_C_EXIT);
    return FALSE;
}

// A program that ends through std::terminate gives the console back first, without the lock,
// which the code that failed may hold.
[[noreturn]] void on_terminate() {
    release_console();
    std::abort();
}

// Makes a screen buffer of the game's own the one the console shows, as large as the window,
// so that the user's buffer and its scrollback are never drawn over. Returns it, or nullptr
// when none can be made (the game then draws in `shown`).
HANDLE show_own_buffer(HANDLE shown) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(shown, &info) == 0) return nullptr;
    HANDLE own =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (own == INVALID_HANDLE_VALUE) return nullptr;
    SetConsoleTextAttribute(own, info.wAttributes);
    // A buffer no larger than the window has nothing to scroll to.
    SetConsoleScreenBufferSize(
        own, COORD{static_cast<SHORT>(info.srWindow.Right - info.srWindow.Left + 1),
                   static_cast<SHORT>(info.srWindow.Bottom - info.srWindow.Top + 1)});
    if (SetConsoleActiveScreenBuffer(own) == 0) {
        CloseHandle(own);
        return nullptr;
    }
    return own;
}

} // namespace

HANDLE held_console_output() {
    return console_output;
}

HANDLE held_console_input() {
    return console_input;
}

WORD original_console_attribute() {
    return original_attribute;
}

std::mutex& console_lock() {
    return lock;
}

bool console_held() {
    return held;
}

void request_console_repaint() {
    repaint_requested = true;
}

Terminal::Terminal(int input_fd, int output_fd) : input_fd_(input_fd), output_fd_(output_fd) {
    const std::lock_guard<std::mutex> guard(lock);
    if (held) throw std::logic_error("the console is already held");
    console_input = console_behind(input_fd);
    console_output = console_behind(output_fd);
    input_is_tty_ = console_input != nullptr;
    if (console_input != nullptr) {
        GetConsoleMode(console_input, &original_input_mode);
        // Key events one at a time, unechoed; Ctrl-C stays a signal; window size events
        // report resizes; no mouse events and no terminal sequences in place of keys.
        DWORD mode = original_input_mode;
        mode &= ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_MOUSE_INPUT |
                                    VIRTUAL_TERMINAL_INPUT);
        mode |= ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT;
        SetConsoleMode(console_input, mode);
    }
    if (console_output != nullptr) {
        GetConsoleMode(console_output, &original_output_mode);
        cursor_known = GetConsoleCursorInfo(console_output, &original_cursor) != 0;
        CONSOLE_SCREEN_BUFFER_INFO info{};
        if (GetConsoleScreenBufferInfo(console_output, &info) != 0)
            original_attribute = info.wAttributes;
        if (HANDLE own = show_own_buffer(console_output); own != nullptr) {
            user_output = console_output;
            console_output = own;
        }
        // Wine's console window still draws a hidden cursor of size 1 as a block; at the
        // usual size a hidden cursor is hidden there too.
        const CONSOLE_CURSOR_INFO hidden{25, FALSE};
        SetConsoleCursorInfo(console_output, &hidden);
    }
    repaint_requested = false;
    held = true;
    held_ = true;
    SetConsoleCtrlHandler(on_console_control, TRUE);
    std::set_terminate(on_terminate);
}

Terminal::~Terminal() {
    restore();
}

TerminalSize Terminal::size() const {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (console_output == nullptr || GetConsoleScreenBufferInfo(console_output, &info) == 0)
        return {SCREEN_COLUMNS, SCREEN_ROWS};
    return {info.srWindow.Right - info.srWindow.Left + 1,
            info.srWindow.Bottom - info.srWindow.Top + 1};
}

bool Terminal::take_repaint_request() {
    return repaint_requested.exchange(false);
}

void Terminal::restore() {
    if (!held_) return;
    held_ = false;
    {
        const std::lock_guard<std::mutex> guard(lock);
        release_console();
        if (user_output != nullptr) {
            CloseHandle(console_output);
            console_output = user_output;
            user_output = nullptr;
        }
    }
    SetConsoleCtrlHandler(on_console_control, FALSE);
}

} // namespace zk
