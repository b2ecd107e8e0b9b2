// The standard streams and arguments of a Windows program: UTF-8 text shown whole on a
// console, the command line read as UTF-16. Part of the Windows console back end.

#include "console/program_io.hpp"

#include "windows/console_handle.hpp"
#include "windows/utf16.hpp"

#include <array>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <iostream>
#include <optional>
#include <streambuf>
#include <string_view>
#include <windows.h>

#include <shellapi.h> // after windows.h, which it needs

namespace zk {

namespace {

// How many bytes at the start of `bytes` end on a whole UTF-8 character: the bytes of an
// unfinished last character wait for the rest of it.
std::size_t whole_characters(std::string_view bytes) {
    const std::size_t size = bytes.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(bytes[size - back]);
        if ((byte & 0xC0) == 0x80) continue; // a continuation byte: look further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

// A stream buffer that writes UTF-8 text to a console as UTF-16 characters. The console then
// shows every character, whatever code page it would read bytes in.
class ConsoleTextBuffer : public std::streambuf {
  public:
    explicit ConsoleTextBuffer(HANDLE console) : console_(console) {
        setp(bytes_.data(), bytes_.data() + bytes_.size());
    }

  protected:
    int_type overflow(int_type ch) override {
        if (!write_out(false)) return traits_type::eof();
        if (!traits_type::eq_int_type(ch, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(ch);
            pbump(1);
        }
        return traits_type::not_eof(ch);
    }

    int sync() override { return write_out(true) ? 0 : -1; }

  private:
    // Writes the held bytes: all of them, or up to the last whole character (at most three
    // bytes stay held).
    bool write_out(bool all) {
        const std::string_view held(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        const std::size_t count = all ? held.size() : whole_characters(held);
        std::wstring wide;
        to_utf16(held.substr(0, count), wide, false);
        bool written = true;
        for (std::size_t done = 0; written && done < wide.size();) {
            DWORD chunk = 0;
            written = WriteConsoleW(console_, wide.data() + done,
                                    static_cast<DWORD>(wide.size() - done), &chunk, nullptr) != 0 &&
                      chunk > 0;
            done += chunk;
        }
        const std::size_t rest = held.size() - count;
        std::memmove(bytes_.data(), bytes_.data() + count, rest);
        setp(bytes_.data(), bytes_.data() + bytes_.size());
        pbump(static_cast<int>(rest));
        return written;
    }

    HANDLE console_;
    std::array<char, 4096> bytes_{};
};

// The stream for the standard stream `fd`: `standard` itself, or one writing to the console
// through ConsoleTextBuffer when `fd` is a console. Made on first use and flushed at exit.
class TextStream {
  public:
    TextStream(std::ostream& standard, int fd) : stream_(&standard) {
        const HANDLE handle = console_behind(fd);
        if (handle == nullptr) return;
        buffer_.emplace(handle);
        console_stream_.emplace(&*buffer_);
        stream_ = &*console_stream_;
    }
    ~TextStream() { stream_->flush(); }
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;

    std::ostream& stream() { return *stream_; }

  private:
    std::optional<ConsoleTextBuffer> buffer_;
    std::optional<std::ostream> console_stream_;
    std::ostream* stream_;
};

} // namespace

void open_standard_descriptors() {}

std::vector<std::string> program_arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) // out of memory: the C runtime's arguments are better than none
        return argc < 1 ? std::vector<std::string>()
                        : std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(to_utf8(wide[i]));
    LocalFree(wide);
    return args;
}

std::ostream& text_output() {
    static TextStream out(std::cout, 1);
    return out.stream();
}

std::ostream& text_errors() {
    static TextStream err(std::cerr, 2);
    err.stream().setf(std::ios::unitbuf);
    return err.stream();
}

bool write_output_bytes(std::string_view bytes) {
    std::cout.flush();
    std::fflush(stdout);
    ::_setmode(::_fileno(stdout), _O_BINARY); // CR LF stays CR LF
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    return std::fflush(stdout) == 0 && written;
}

} // namespace zk
