// The file-system side of level files on Windows: the names Windows refuses, reading regular
// disk files only, and saves that replace the old level whole. The model's Windows twin.

#include "model/level_file.hpp"
#include "model/level_file_os.hpp"

#include "text/cp852.hpp"
#include "console/write_all.hpp"
#include "windows/utf16.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace zk {

namespace {

// Paths are UTF-8 in the program and UTF-16 for the file system. False for a path that is
// not UTF-8: such a file is never opened or written.
bool wide_path(const std::string& path, std::wstring& wide) {
    return !path.empty() && to_utf16(path, wide, true);
}

std::wstring directory_of(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return L".";
    return path.substr(0, slash);
}

// True when `file_name`, the file system's form of a name (before any extension, trailing
// blanks and dots ignored), is a device name that Windows reserves in every directory: CON,
// PRN, AUX, NUL, CONIN$, CONOUT$, and COM or LPT followed by one digit or by a superscript
// one, two or three.
bool is_reserved_device_name(std::string_view file_name) {
    std::string base(file_name.substr(0, file_name.find('.')));
    while (!base.empty() && (base.back() == ' ' || base.back() == '.')) base.pop_back();
    for (char& ch : base) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    static constexpr std::array<std::string_view, 6> WHOLE{"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view reserved : WHOLE)
        if (base == reserved) return true;
    if (!base.starts_with("COM") && !base.starts_with("LPT")) return false;
    const std::string_view number = std::string_view(base).substr(3);
    static constexpr std::array<std::string_view, 3> SUPERSCRIPTS{"\xC2\xB9", "\xC2\xB2",
                                                                  "\xC2\xB3"}; // UTF-8
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
           std::find(SUPERSCRIPTS.begin(), SUPERSCRIPTS.end(), number) != SUPERSCRIPTS.end();
}

// A handle to a regular disk file, opened for reading, or INVALID_HANDLE_VALUE.
HANDLE open_regular_file(const std::string& path) {
    std::wstring wide;
    if (!wide_path(path, wide)) return INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || GetFileInformationByHandle(file, &info) == 0 ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

} // namespace

const char PATH_SEPARATOR = '\\';

NameFault platform_name_fault(std::string_view name) {
    for (const char ch : name) {
        if (is_control_byte(static_cast<std::uint8_t>(ch))) return NameFault::control_character;
        if (std::string_view(":*?\"<>|").find(ch) != std::string_view::npos)
            return NameFault::reserved_character;
    }
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return NameFault::trailing_dot_or_blank;
    if (is_reserved_device_name(file_name_of(name))) return NameFault::device_name;
    return NameFault::none;
}

bool is_regular_file(const std::string& path) {
    HANDLE file = open_regular_file(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

std::FILE* open_level_for_reading(const std::string& path) {
    HANDLE file = open_regular_file(path);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = ::_fdopen(fd, "rb");
    if (stream == nullptr) ::_close(fd);
    return stream;
}

std::string program_folder(const char*) {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (length == 0) return {};
        if (length < exe.size()) {
            exe.resize(length);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return to_utf8(directory_of(exe));
}

bool save_level(const Grid& canvas, const std::string& path, std::string_view tail) {
    std::wstring target;
    if (!wide_path(path, target)) return false;
    const std::wstring dir = directory_of(target);
    if (CreateDirectoryW(dir.c_str(), nullptr) == 0 && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;

    // A temporary file of this process beside the target, created anew.
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE; ++attempt) {
        if (attempt == TEMPORARY_NAME_ATTEMPTS ||
            !wide_path(temporary_save_name(path, GetCurrentProcessId(), attempt), temp))
            return false;
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        DeleteFileW(temp.c_str());
        return false;
    }
    const bool written = write_all(fd, level_bytes(canvas, tail)) && ::_commit(fd) == 0;
    const bool closed = ::_close(fd) == 0;
    if (written && closed &&
        MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

} // namespace zk
