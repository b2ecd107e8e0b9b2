// Level file behaviour that rests on POSIX facilities: named pipes, the file mode creation
// mask, file size limits, permissions, signals and a kill.

#include "model/level_file.hpp"

#include "console/program_io.hpp"
#include "console/terminal.hpp"
#include "level_file_helpers.hpp"
#include "scratch_dir.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <iterator>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#if defined(__linux__)
#include <cstddef>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/syscall.h>
#include <sys/user.h>
#endif

namespace zk {
namespace {

namespace fs = std::filesystem;
using test::answer_of;
using test::editor_layout;
using test::files_in;
using test::read_file;
using test::target_row;
using test::write_file;

using LevelFilePosixTest = test::ScratchDirTest;

// A file of `size` bytes, sparse where nothing is written, with `head` at its start and
// `tail` at its end.
void write_sparse_file(const char* path, off_t size, std::string_view head, std::string_view tail) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);
    ASSERT_EQ(pwrite(fd, head.data(), head.size(), 0), static_cast<ssize_t>(head.size()));
    const off_t at_end = size - static_cast<off_t>(tail.size());
    ASSERT_EQ(pwrite(fd, tail.data(), tail.size(), at_end), static_cast<ssize_t>(tail.size()));
    close(fd);
}

TEST_F(LevelFilePosixTest, OnlyTheFirstBytesUpToTheReadBoundAreRead) {
    const auto bound = static_cast<off_t>(MAX_LEVEL_READ_BYTES);
    // The n line's last byte is the last byte read, or the first one not read.
    write_sparse_file("inside.txt", bound, "EE\r\nBB\r\n", "\nnab");
    write_sparse_file("beyond.txt", bound + 1, "EE\r\nBB\r\n", "\nnab");
    // Far beyond the bound, and loaded as quickly as a small file: reading it to its end
    // would take minutes.
    write_sparse_file("huge.txt", off_t{1} << 36, "EE\r\nBB\r\n", "\nnfar");

    PuzzleState p;
    ASSERT_TRUE(load_level(p, "inside.txt"));
    EXPECT_EQ(answer_of(p), "ab");
    ASSERT_TRUE(load_level(p, "beyond.txt"));
    EXPECT_EQ(answer_of(p), "a");
    ASSERT_TRUE(load_level(p, "huge.txt"));
    EXPECT_EQ(answer_of(p), "");
    EXPECT_EQ(target_row(p, 0, 3), std::string("EE\0", 3));
    EXPECT_EQ(target_row(p, 1, 3), std::string("BB\0", 3));
}

TEST_F(LevelFilePosixTest, WhatCannotBeOpenedAsAFileReadsNothing) {
    fs::create_directory("dir.txt");
    ASSERT_EQ(mkfifo("fifo.txt", 0600), 0);
    PuzzleState p;
    at(p.target, 0, 0) = 'G';
    p.answer = {'o', 'l', 'd'};
    const PuzzleState before = p;

    for (const char* path : {"missing.txt", "dir.txt", "fifo.txt", "plansze/none.txt"}) {
        EXPECT_FALSE(load_level(p, path)) << path;
        EXPECT_EQ(p.target, before.target) << path;
        EXPECT_EQ(p.answer, before.answer) << path;
    }
}

TEST_F(LevelFilePosixTest, SaveCreatesTheLevelDirectoryAndReplacesAnOldFile) {
    ASSERT_FALSE(fs::exists("plansze"));
    const mode_t old_mask = umask(022);
    ASSERT_TRUE(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab"));
    umask(old_mask);
    EXPECT_TRUE(fs::is_directory("plansze"));
    struct stat info {};
    ASSERT_EQ(stat("plansze/lvl.txt", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    write_file("plansze/lvl.txt", "a much longer old level file that must vanish entirely");
    ASSERT_TRUE(save_level(editor_layout({"EE", "EE"}), level_path("lvl"), "nx"));
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnx");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

// The mode bits and group of the file at `path`.
std::pair<mode_t, gid_t> protection_of(const char* path) {
    struct stat info {};
    EXPECT_EQ(stat(path, &info), 0) << path;
    return {info.st_mode & 07777, info.st_gid};
}

TEST_F(LevelFilePosixTest, ReplacedFileKeepsItsPermissionsAndGroup) {
    // A group other than the one new files get, where the user may choose one.
    gid_t other = getegid() + 4321;
    if (geteuid() != 0) {
        std::vector<gid_t> groups(static_cast<std::size_t>(getgroups(0, nullptr)));
        getgroups(static_cast<int>(groups.size()), groups.data());
        other = groups.empty() ? getegid() : groups.back();
    }
    const mode_t old_mask = umask(022);
    for (auto [path, mode, group] : {std::tuple{"plansze/private.txt", 0600, getegid()},
                                     std::tuple{"plansze/shared.txt", 0664, other}}) {
        write_file(path, "EE\r\nEE\r\nnold");
        ASSERT_EQ(chmod(path, static_cast<mode_t>(mode)), 0);
        ASSERT_EQ(chown(path, static_cast<uid_t>(-1), group), 0);
        EXPECT_TRUE(save_level(editor_layout({"pp", "pp"}), path, "nab")) << path;
        EXPECT_EQ(read_file(path), "pp\r\npp\r\nnab");
        EXPECT_EQ(protection_of(path), std::pair(static_cast<mode_t>(mode), group));
    }
    umask(old_mask);
}

TEST_F(LevelFilePosixTest, ReadOnlyFileIsNotReplaced) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    ASSERT_EQ(chmod("plansze/lvl.txt", 0444), 0);
    // Saved by a user who may not write the file: root may write any, so it gives up its
    // privileges in a child, handing the directory to nobody.
    const pid_t child = fork();
    if (child == 0) {
        constexpr uid_t NOBODY = 65534;
        if (geteuid() == 0) {
            for (const char* path : {".", "plansze", "plansze/lvl.txt"})
                if (chown(path, NOBODY, NOBODY) != 0) _exit(90);
            if (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0) _exit(91);
        }
        _exit(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab") ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not fail";
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(protection_of("plansze/lvl.txt").first, mode_t{0444});
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

// A file size limit makes the writes fail part way, as a full disk would.
TEST_F(LevelFilePosixTest, SaveThatFailsWhileWritingKeepsTheOldFile) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);

    const bool saved_ok = save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab");

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

// Ends the process by SIGTERM at the moment a write passes the file size limit: a signal
// that arrives while a save is writing its temporary file.
void terminate_now(int) {
    std::raise(SIGTERM);
}

#if defined(__linux__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
// Makes this process's opens of unnamed files fail, as on a file system that has none, so that
// a save takes the way that names its temporary file from the start.
bool refuse_unnamed_files() {
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])), // the flags
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW)};
    const sock_fprog program{std::size(filter), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0 &&
           open(".", O_TMPFILE | O_WRONLY, 0600) < 0 && errno == EOPNOTSUPP;
}
#else
bool refuse_unnamed_files() {
    return true; // no unnamed files: a save names its temporary file anyway
}
#endif

TEST_F(LevelFilePosixTest, ASignalDuringASaveRemovesItsTemporaryFile) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    const pid_t child = fork();
    if (child == 0) {
        if (!refuse_unnamed_files()) _exit(2);
        const int null = open("/dev/null", O_RDWR);
        Terminal terminal(null, null);
        std::signal(SIGXFSZ, terminate_now);
        rlimit tiny{};
        getrlimit(RLIMIT_FSIZE, &tiny);
        tiny.rlim_cur = 4;
        setrlimit(RLIMIT_FSIZE, &tiny);
        _exit(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab") ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}

#if defined(__linux__) && defined(PTRACE_GET_SYSCALL_INFO)
// Runs the traced, stopped child `pid` until it enters the system call `call`; false when it
// ends or fails first.
bool run_to_system_call(pid_t pid, long call) {
    int status = 0;
    while (ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr) == 0 && waitpid(pid, &status, 0) == pid &&
           WIFSTOPPED(status)) {
        __ptrace_syscall_info info{};
        if (ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) > 0 &&
            info.op == PTRACE_SYSCALL_INFO_ENTRY && info.entry.nr == static_cast<__u64>(call))
            return true;
    }
    return false;
}

// The save is stopped as it flushes what it wrote, and killed there.
TEST_F(LevelFilePosixTest, ASaveKilledWhileWritingLeavesNoFileBehind) {
    write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
    const pid_t child = fork();
    if (child == 0) {
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(1);
        raise(SIGSTOP);
        _exit(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab") ? 0 : 1);
    }
    waitpid(child, nullptr, 0);
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    const bool stopped = run_to_system_call(child, SYS_fsync);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(read_file("plansze/lvl.txt"), "EE\r\nEE\r\nnold");
    EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"});
}
#if defined(__x86_64__)
// A system call a traced save made: its number, first and third arguments, and result.
struct Call {
    __u64 nr, fd, flags;
    long long result;
};

// A call a traced save is refused: its `nth` call `nr` (from 1) fails with `error` unrun.
struct Refusal {
    __u64 nr;
    long nth;
    int error;
};

// Saves a level over plansze/lvl.txt in a traced child that first runs `setup`, refusing the
// calls in `refusals` and sending SIGTERM as it enters the call `terminate_at`. Its calls, and
// its wait status.
std::pair<std::vector<Call>, int> traced_save(const std::vector<Refusal>& refusals,
                                              const std::function<void()>& setup = {},
                                              __u64 terminate_at = ~0ull) {
    const pid_t child = fork();
    if (child == 0) {
        if (setup) setup();
        if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(3);
        raise(SIGSTOP);
        _exit(save_level(editor_layout({"pp", "pp"}), level_path("lvl"), "nab") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    std::vector<Call> calls;
    std::map<__u64, long> made; // calls made of each number
    int refused = 0;
    for (int deliver = 0; ptrace(PTRACE_SYSCALL, child, nullptr, deliver) == 0 &&
                          waitpid(child, &status, 0) == child && WIFSTOPPED(status);) {
        deliver = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
        __ptrace_syscall_info info{};
        ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
        user_regs_struct regs{};
        ptrace(PTRACE_GETREGS, child, nullptr, &regs);
        if (info.op == PTRACE_SYSCALL_INFO_ENTRY) {
            const __u64 nr = regs.orig_rax;
            calls.push_back({nr, regs.rdi, regs.rdx, 0});
            if (nr == terminate_at) kill(child, SIGTERM);
            const long nth = ++made[nr];
            refused = 0;
            for (const Refusal& refusal : refusals)
                if (refusal.nr == nr && refusal.nth == nth) refused = refusal.error;
            if (refused != 0) regs.orig_rax = ~0ull; // no such call: it does not run
        } else if (info.op == PTRACE_SYSCALL_INFO_EXIT && !calls.empty()) {
            if (refused != 0) regs.rax = static_cast<unsigned long long>(-refused);
            calls.back().result = static_cast<long long>(regs.rax);
        }
        ptrace(PTRACE_SETREGS, child, nullptr, &regs);
    }
    return {calls, status};
}

// The save's steps in order: the file opened unnamed (u) or named (n), written (w) and
// flushed (f); a link (l), the rename (r); the folder opened (o) and flushed (F). A refused
// step is followed by '!'.
std::string steps_of(const std::vector<Call>& calls) {
    long long file = -2, folder = -2;
    std::string steps;
    for (const Call& call : calls) {
        const auto fd = static_cast<long long>(call.fd);
        const std::size_t before = steps.size();
        if (call.nr == SYS_openat && (call.flags & O_TMPFILE) == O_TMPFILE)
            file = call.result, steps += 'u';
        else if (call.nr == SYS_openat && (call.flags & O_CREAT) != 0)
            file = call.result, steps += 'n';
        else if (call.nr == SYS_openat && (call.flags & O_DIRECTORY) != 0)
            folder = call.result, file = -2, steps += 'o';
        else if (call.nr == SYS_write && fd == file)
            steps += 'w';
        else if (call.nr == SYS_fsync && (fd == file || fd == folder))
            steps += fd == file ? 'f' : 'F';
        else if (call.nr == SYS_linkat || call.nr == SYS_rename)
            steps += call.nr == SYS_linkat ? 'l' : 'r';
        if (steps.size() > before && call.result < 0) steps += '!';
    }
    return steps;
}

TEST_F(LevelFilePosixTest, TheSavesSystemCallsOnBothRoutes) {
    const std::string old_level = "EE\r\nEE\r\nnold";
    const Refusal no_unnamed{SYS_openat, 1, EOPNOTSUPP};
    const Refusal rename_fails{SYS_rename, 1, EIO};
    const std::vector<std::tuple<std::vector<Refusal>, bool, std::string>> cases{
        {{}, true, "uwflroF"},
        {{{SYS_fsync, 2, EINVAL}}, true, "uwflroF!"}, // a file system without folder flushes
        {{{SYS_fsync, 2, EIO}}, false, "uwflroF!"},   // the new level in place, maybe not kept
        {{{SYS_openat, 2, EACCES}}, true, "uwflro!"}, // a folder the user may not read
        {{rename_fails}, false, "uwflr!"},
        {{{SYS_linkat, 1, EPERM}, {SYS_linkat, 2, EPERM}}, true, "uwfl!l!nwfroF"},
        {{no_unnamed}, true, "u!nwfroF"},
        {{no_unnamed, rename_fails}, false, "u!nwfr!"},
    };
    for (const auto& [refusals, succeeds, steps] : cases) {
        write_file("plansze/lvl.txt", old_level);
        const auto [calls, status] = traced_save(refusals);
        EXPECT_EQ(steps_of(calls), steps);
        EXPECT_EQ(WIFEXITED(status) && WEXITSTATUS(status) == 0, succeeds) << steps;
        const bool renamed = steps.find("r!") == std::string::npos;
        EXPECT_EQ(read_file("plansze/lvl.txt"), renamed ? "pp\r\npp\r\nnab" : old_level) << steps;
        EXPECT_EQ(files_in("plansze"), std::vector<std::string>{"lvl.txt"}) << steps;
    }
}

// Started with standard output closed, a save that SIGTERM interrupts while its temporary name
// exists: the terminal's restore bytes must not reach the level, whether the program opened
// its standard descriptors first or not.
TEST_F(LevelFilePosixTest, ClosedStandardOutputAndASignalDuringTheSave) {
    for (const bool opened_first : {true, false}) {
        write_file("plansze/lvl.txt", "EE\r\nEE\r\nnold");
        auto setup = [opened_first] {
            const int input = open("/dev/null", O_RDONLY);
            if (opened_first) {
                close(STDOUT_FILENO);
                open_standard_descriptors();
                if (fcntl(STDOUT_FILENO, F_GETFD) < 0) _exit(4);
            }
            new Terminal(input, STDOUT_FILENO);      // held to the end
            if (!opened_first) close(STDOUT_FILENO); // the save's file takes its number
        };
        const auto [calls, status] = traced_save({}, setup, SYS_linkat);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
        EXPECT_EQ(read_file("plansze/lvl.txt"), "pp\r\npp\r\nnab") << opened_first;
    }
}
#endif
#endif

} // namespace
} // namespace zk
