// A save past `ulimit -f` fails like a full disk instead of ending the program.
#include "platform/filesizelimit.h"

#include "platform/files.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

TEST(FileSizeLimit, ASaveBeyondItFailsAndKeepsTheOldFile) {
    ScratchFolder folder;
    // The limit applies to the child alone; what it found comes back as its exit code.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(10);
        files::FailWritesPastTheSizeLimit();
        if (!files::WriteSafely("save.dat", std::string(100, 'a'))) ::_exit(11); // up to it
        if (files::WriteSafely("save.dat", std::string(101, 'b'))) ::_exit(12);  // past it
        if (files::LastFailure() != "File too large") ::_exit(13);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadBytes("save.dat"), std::string(100, 'a'));
    EXPECT_EQ(files::List("*"), std::vector<std::string>{"save.dat"});
}
