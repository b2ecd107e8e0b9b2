// The program's own file found from argv[0] through a symbolic link, as a path or in PATH.

#include "posix/program_path.hpp"

#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zk {
namespace {

TEST(ProgramPath, ALinkToTheProgramLeadsToTheProgramsOwnFile) {
    namespace fs = std::filesystem;
    const test::ScratchDir dir;
    test::write_file(dir.path() / "real" / "game", "#!/bin/sh\n");
    fs::permissions(dir.path() / "real" / "game", fs::perms::owner_all);
    fs::create_symlink("real/game", dir.path() / "link");
    const std::string real = fs::canonical(dir.path() / "real" / "game").string();

    EXPECT_EQ(program_file_from_argv0((dir.path() / "link").c_str()), real);
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", ("/nonexistent:" + dir.path().string()).c_str(), 1);
    EXPECT_EQ(program_file_from_argv0("link"), real);
    EXPECT_EQ(program_file_from_argv0("absent"), "");
    setenv("PATH", path.c_str(), 1);
}

} // namespace
} // namespace zk
