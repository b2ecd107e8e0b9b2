#pragma once

// The file a signal that ends the program removes first: the temporary file of a save.

namespace zk {

/// Names a file that a signal ending the program removes before the program ends, for as long
/// as the terminal is held: the temporary file of a save in progress, which would otherwise be
/// left behind half written. `path` is copied. Returns false, naming nothing, when the path
/// is too long to copy (4095 bytes at most).
[[nodiscard]] bool set_file_to_remove_on_signal(const char* path);

/// Names no file any more: the save is over.
void clear_file_to_remove_on_signal();

/// Removes the file named by set_file_to_remove_on_signal, if one is named. Async-signal-safe:
/// the terminal's handler of an ending signal calls it.
void remove_file_named_for_signal();

} // namespace zk
