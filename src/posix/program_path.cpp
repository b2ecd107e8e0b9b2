// Where the running program's file is, asked of the system where it can tell.

#include "posix/program_path.hpp"

#include "model/level_file_os.hpp"

#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#if defined(__APPLE__)
#include <cstdint>
#include <mach-o/dyld.h>
#elif defined(__FreeBSD__) || defined(__DragonFly__)
#include <sys/sysctl.h>
#include <sys/types.h>
#endif

namespace zk {

namespace {

// The absolute, symbolic-link-free form of `path`; empty when it names nothing.
std::string real_path(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string result(real);
    std::free(real);
    return result;
}

// The running program's file as the system reports it, possibly through symbolic links; empty
// where the system cannot tell.
std::string program_from_system() {
#if defined(__APPLE__)
    std::uint32_t size = 0;
    ::_NSGetExecutablePath(nullptr, &size); // fails, giving the size it needs
    std::string buffer(size, '\0');
    if (size == 0 || ::_NSGetExecutablePath(buffer.data(), &size) != 0) return {};
    buffer.resize(buffer.find('\0'));
    return buffer;
#elif defined(__FreeBSD__) || defined(__DragonFly__)
    int query[] = {CTL_KERN, KERN_PROC, KERN_PROC_PATHNAME, -1};
    std::size_t size = 0;
    if (::sysctl(query, 4, nullptr, &size, nullptr, 0) != 0 || size == 0) return {};
    std::string buffer(size, '\0');
    if (::sysctl(query, 4, buffer.data(), &size, nullptr, 0) != 0) return {};
    buffer.resize(buffer.find('\0'));
    return buffer;
#elif defined(__linux__)
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
#else
    return {};
#endif
}

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace

std::string program_file_from_argv0(const char* argv0) {
    if (argv0 == nullptr || *argv0 == '\0') return {};
    const std::string name(argv0);
    if (name.find('/') != std::string::npos) return real_path(name);
    const char* search = std::getenv("PATH");
    std::string_view rest = search != nullptr ? search : "";
    for (;;) {
        const std::size_t colon = rest.find(':');
        const std::string_view dir = rest.substr(0, colon);
        // An empty PATH entry is the working directory.
        std::string candidate(dir.empty() ? std::string_view(".") : dir);
        candidate += '/';
        candidate += name;
        if (is_regular_file(candidate) && ::access(candidate.c_str(), X_OK) == 0)
            return real_path(candidate);
        if (colon == std::string_view::npos) return {};
        rest.remove_prefix(colon + 1);
    }
}

std::string program_file(const char* argv0) {
    const std::string reported = program_from_system();
    if (!reported.empty()) {
        std::string program = real_path(reported);
        if (!program.empty()) return program;
        if (reported.front() == '/') return reported; // a replaced or removed file's old path
    }
    return program_file_from_argv0(argv0);
}

std::string program_folder(const char* argv0) {
    const std::string program = program_file(argv0);
    return program.empty() ? std::string() : directory_of(program);
}

} // namespace zk
