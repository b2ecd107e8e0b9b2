#pragma once

// The standard streams and arguments of a command-line program, as text in UTF-8.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

/// Makes sure descriptors 0, 1 and 2 are open, on the null device where they were closed, so
/// that no file the program opens later becomes its standard input, output or error (and
/// takes in what is meant for the terminal). Call first, before anything opens a file. Nothing
/// to do on Windows, whose C runtime keeps its standard descriptors apart.
void open_standard_descriptors();

/// The program's arguments after its name, in UTF-8. On Windows they are taken from the
/// command line as the system holds it (UTF-16), so that no character is lost to the ANSI
/// code page; elsewhere they are `argv` as given.
std::vector<std::string> program_arguments(int argc, char** argv);

/// Standard output and standard error for UTF-8 text. Where such a stream is a Windows
/// console, its text reaches the console as UTF-16 characters, so every character shows
/// whatever the console's code page; to a file or a pipe, and on POSIX, the bytes go as they
/// are. The error stream is flushed after every output operation.
std::ostream& text_output();
std::ostream& text_errors();

/// Writes `bytes` to standard output exactly as they are (on Windows without the C runtime's
/// line-end translation) and flushes it; false when they could not all be written.
bool write_output_bytes(std::string_view bytes);

} // namespace zk
