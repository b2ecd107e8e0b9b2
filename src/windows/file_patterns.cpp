#include "checker/file_patterns.hpp"

#include "windows/utf16.hpp"

#include <algorithm>
#include <cwchar>
#include <windows.h>

namespace zk {

namespace {

// The paths that `pattern` matches: its folder part followed by each matching name (but . and
// ..), in order ignoring case; none when nothing matches.
std::vector<std::string> matching_paths(const std::string& pattern) {
    std::wstring wide;
    if (!to_utf16(pattern, wide, true)) return {};
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::vector<std::wstring> names;
    do {
        const std::wstring_view name(found.cFileName);
        if (name != L"." && name != L"..") names.emplace_back(name);
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const int order = _wcsicmp(a.c_str(), b.c_str());
        return order != 0 ? order < 0 : a < b;
    });
    // npos + 1 is 0: a pattern without a folder part.
    const std::string folder = pattern.substr(0, pattern.find_last_of("\\/:") + 1);
    std::vector<std::string> paths;
    for (const std::wstring& name : names) paths.push_back(folder + to_utf8(name));
    return paths;
}

} // namespace

std::vector<std::string> expand_file_patterns(std::vector<std::string> files) {
    std::vector<std::string> expanded;
    for (std::string& file : files) {
        std::vector<std::string> paths;
        if (file.find_first_of("*?") != std::string::npos) paths = matching_paths(file);
        if (paths.empty()) {
            expanded.push_back(std::move(file));
        } else {
            for (std::string& path : paths) expanded.push_back(std::move(path));
        }
    }
    return expanded;
}

} // namespace zk
