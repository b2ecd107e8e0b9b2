// The checker's wildcards on Windows, where the shell leaves them to the program: each pattern
// expanded to the long names it matches, in the system's order.

#include "checker/file_patterns.hpp"

#include "windows/utf16.hpp"

#include <algorithm>
#include <string_view>
#include <windows.h>

namespace zk {

namespace {

// The order of `a` and `b` ignoring case, as the file system compares names (Polish letters
// included): below, at or above zero.
int compare_ignoring_case(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) -
           CSTR_EQUAL;
}

// True when the long name `name` matches `pattern`: '*' any run of characters, '?' any one
// character, every other character itself ignoring case. The system's search matches 8.3
// short names as well (b.txtold is B~1.TXT), which the user never sees.
bool long_name_matches(std::wstring_view pattern, std::wstring_view name) {
    std::size_t in_pattern = 0;
    std::size_t in_name = 0;
    std::size_t star = std::wstring_view::npos; // the last '*' seen, and where its run ends
    std::size_t star_end = 0;
    while (in_name < name.size()) {
        if (in_pattern < pattern.size() && pattern[in_pattern] == L'*') {
            star = in_pattern++;
            star_end = in_name;
        } else if (in_pattern < pattern.size() &&
                   (pattern[in_pattern] == L'?' ||
                    compare_ignoring_case(pattern.substr(in_pattern, 1), name.substr(in_name, 1)) ==
                        0)) {
            ++in_pattern;
            ++in_name;
        } else if (star != std::wstring_view::npos) {
            in_pattern = star + 1; // the '*' takes one character more
            in_name = ++star_end;
        } else {
            return false;
        }
    }
    while (in_pattern < pattern.size() && pattern[in_pattern] == L'*') ++in_pattern;
    return in_pattern == pattern.size();
}

// The paths that `pattern` matches: its folder part followed by each matching long name (but
// . and ..), in order ignoring case; none when nothing matches.
std::vector<std::string> matching_paths(const std::string& pattern) {
    std::wstring wide;
    if (!to_utf16(pattern, wide, true)) return {};
    // npos + 1 is 0: a pattern without a folder part.
    const std::wstring_view name_pattern =
        std::wstring_view(wide).substr(wide.find_last_of(L"\\/:") + 1);
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    std::vector<std::wstring> names;
    do {
        const std::wstring_view name(found.cFileName);
        if (name != L"." && name != L".." && long_name_matches(name_pattern, name))
            names.emplace_back(name);
    } while (FindNextFileW(search, &found) != 0);
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const int order = compare_ignoring_case(a, b);
        return order != 0 ? order < 0 : a < b;
    });
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
