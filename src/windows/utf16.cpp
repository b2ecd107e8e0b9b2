// Text between the program's UTF-8 and the UTF-16 of the Windows interfaces, through the
// system's own conversions. The base of the Windows platform folder.

#include "windows/utf16.hpp"

#include <windows.h>

namespace zk {

bool to_utf16(std::string_view utf8, std::wstring& wide, bool strict) {
    wide.clear();
    if (utf8.empty()) return true;
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const auto length = static_cast<int>(utf8.size());
    const int size = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, nullptr, 0);
    if (size <= 0) return false;
    wide.assign(static_cast<std::size_t>(size), L'\0');
    return MultiByteToWideChar(CP_UTF8, flags, utf8.data(), length, wide.data(), size) == size;
}

std::string to_utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const auto length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace zk
