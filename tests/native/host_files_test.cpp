#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <random>

#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;
using HostFilesTest = TempDriveTest;

TEST_F(HostFilesTest, MapsWindowsPathsOntoHostFolders) {
    files_.MapDrive('q', "/srv/stick/");
    EXPECT_EQ(files_.HostPath("E:\\a\\b.dat"), root_ + "/a/b.dat");
    EXPECT_EQ(files_.HostPath("e:\\\\quopa_apps.dat"), root_ + "/quopa_apps.dat");
    EXPECT_EQ(files_.HostPath("E:\\"), root_ + "/");
    EXPECT_EQ(files_.HostPath("Q:\\x\\\\y/z"), "/srv/stick/x/y/z");
    EXPECT_EQ(files_.HostPath("Z:\\x\\y"), "Z:/x/y");
}

TEST_F(HostFilesTest, ReplaceAtomicallyKeepsModeAndLeavesNoTemporary) {
    Put("f", "old");
    chmod(Host("f").c_str(), 0640);
    ASSERT_TRUE(files_.ReplaceAtomically("E:\\f", "new\0x"s));
    std::string bytes;
    ASSERT_TRUE(files_.ReadAll("E:\\f", bytes));
    EXPECT_EQ(bytes, "new\0x"s);
    EXPECT_EQ(std::filesystem::status(Host("f")).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

// Some file systems (FAT through FUSE) cannot keep a mode at all.
TEST_F(HostFilesTest, ReplaceAtomicallyWritesWhereTheModeCannotBeCopied) {
    Put("f", "old");
    const pid_t child = fork();  // the filter stays with the process that sets it
    if (child == 0) {
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fchmod, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        sock_fprog program{sizeof filter / sizeof filter[0], filter};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
            _exit(2);
        _exit(files_.ReplaceAtomically("E:\\f", "new") ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Get("f"), "new");
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(HostFilesTest, ReplaceAtomicallyRefusesWhatCannotBeReplaced) {
    Put("ro", "keep");
    chmod(Host("ro").c_str(), 0444);
    std::filesystem::create_directory(Host("d"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\ro", "x"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\d", "x"));
    EXPECT_FALSE(files_.ReplaceAtomically("E:\\none\\f", "x"));
    EXPECT_EQ(Get("ro"), "keep");
    EXPECT_EQ(EntriesInFolder(), 2u);
}

// Leftovers of killed writers go at the next write; one that a live writer holds stays,
// and its name, though it is ours, is no obstacle.
TEST_F(HostFilesTest, StaleTemporariesAreClearedAndTakenNamesSkipped) {
    const std::string ours = "f.~" + std::to_string(getpid()) + "-";
    Put("f", "old");
    Put(ours + "1.tmp", "being written");
    Put("f.~99999-3.tmp", "killed elsewhere");
    Put(ours + "2.tmp", "killed");
    Put("g.~1-1.tmp", "another file's");
    Put("f.~x-1.tmp", "not our naming");
    const int held = open(Host(ours + "1.tmp").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);

    EXPECT_TRUE(files_.ReplaceAtomically("E:\\f", "new"));
    EXPECT_EQ(Get("f"), "new");
    EXPECT_FALSE(Exists(ours + "2.tmp"));
    EXPECT_FALSE(Exists("f.~99999-3.tmp"));
    EXPECT_TRUE(Exists(ours + "1.tmp"));
    EXPECT_TRUE(Exists("g.~1-1.tmp"));
    EXPECT_TRUE(Exists("f.~x-1.tmp"));
    close(held);
}

TEST_F(HostFilesTest, KilledWritersLeaveNoTemporaryAfterTheNextWrite) {
    const std::string oldBytes(1 << 20, 'o'), newBytes(1 << 20, 'n');
    Put("f", oldBytes);
    std::mt19937 random(11);
    for (int kill = 0; kill < 20; ++kill) {
        const pid_t child = fork();
        if (child == 0) {
            platform::HostFiles own;
            own.MapDrive('E', root_);
            for (;;) own.ReplaceAtomically("E:\\f", newBytes);
        }
        usleep(random() % 4000);
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    EXPECT_TRUE(Get("f") == oldBytes || Get("f") == newBytes);
    platform::HostFiles next;
    next.MapDrive('E', root_);
    ASSERT_TRUE(next.ReplaceAtomically("E:\\f", oldBytes));
    EXPECT_EQ(EntriesInFolder(), 1u) << "temporaries left";
    EXPECT_TRUE(Get("f") == oldBytes);
}

}  // namespace
}  // namespace quopa::testing
