// The program's own file found from argv[0] through a symbolic link, as a path or in PATH.

#include "posix/program_path.hpp"

#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zk {
namespace {

namespace fs = std::filesystem;

TEST(ProgramPath, ALinkToTheProgramLeadsToTheProgramsOwnFile) {
    const test::ScratchDir dir;
    test::write_file(dir.path() / "real" / "game", "#!/bin/sh\n");
    fs::permissions(dir.path() / "real" / "game", fs::perms::owner_all);
    fs::create_directory(dir.path() / "links");
    fs::create_symlink("../real/game", dir.path() / "links" / "game");
    const std::string real = fs::canonical(dir.path() / "real" / "game").string();

    EXPECT_EQ(program_file_from_argv0((dir.path() / "links" / "game").c_str()), real);
    const char* path = std::getenv("PATH");
    const std::string saved = path != nullptr ? path : "";
    setenv("PATH", ("/nonexistent:" + (dir.path() / "links").string()).c_str(), 1);
    EXPECT_EQ(program_file_from_argv0("game"), real);
    setenv("PATH", saved.c_str(), 1);
}

} // namespace
} // namespace zk
