#pragma once

// What the Windows console back end needs of the Windows console hold beyond the shared
// Terminal. Included by the Windows back end only.

#include <mutex>
#include <windows.h>

namespace zk {

/// The console screen buffer the game draws in while a Terminal holds the console (one of the
/// game's own, or where none can be made the output's own), or nullptr when the output is not
/// a console (a pipe or a file).
HANDLE held_console_output();

/// The console input while a Terminal holds it, or nullptr when the input is not a console.
HANDLE held_console_input();

/// The attribute the console output had when the Terminal took it.
WORD original_console_attribute();

/// Taken around every screen update and around the restore, which the console control
/// handler may run on its own thread at any moment.
std::mutex& console_lock();

/// True while the console is held; false once it has been given back (by restore() or the
/// control handler), after which nothing may be drawn. Read under console_lock().
bool console_held();

/// Asks for a repaint at the next Terminal::take_repaint_request() (a window size event).
void request_console_repaint();

} // namespace zk
