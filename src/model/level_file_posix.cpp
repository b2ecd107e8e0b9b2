#include "model/level_file.hpp"
#include "model/level_file_os.hpp"

#include "console/fd_sink.hpp"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#ifndef ZK_LEVEL_INSTALL_DIR
#define ZK_LEVEL_INSTALL_DIR "" // a build without installed levels
#endif

namespace zk {

namespace {

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

mode_t default_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

const char PATH_SEPARATOR = '/';

bool is_regular_file(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Opens `path` for reading only when it is a regular file. The open does not block, so a
// FIFO or device placed in the level directory cannot hang the game.
std::FILE* open_level_for_reading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (f == nullptr) ::close(fd);
    return f;
}

std::string installed_level_dir() {
    return ZK_LEVEL_INSTALL_DIR;
}

const char* platform_name_refusal(std::string_view) {
    return nullptr; // the shared rules are all a POSIX file system needs
}

bool save_level(const Grid& canvas, const std::string& path, std::string_view tail) {
    const std::string dir = directory_of(path);
    if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) return false;

    std::string temp = path + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const bool written = ::fchmod(fd, default_file_mode()) == 0 &&
                         write_all(fd, level_bytes(canvas, tail)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(temp.c_str(), path.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

} // namespace zk
