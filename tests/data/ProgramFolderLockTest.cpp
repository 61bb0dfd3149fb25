#include "data/ProgramFolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/TempDir.h"

namespace {

TEST(ProgramFolderLockTest, OneHolderAtATimeAndTheNextOneTakesOverAfterIt) {
  qvtest::TempDir dir;
  {
    const qv::ProgramFolderLock first(dir.Folder());
    ASSERT_TRUE(first.Held()) << first.Problem();
    EXPECT_EQ(dir.Read("QVMap.lock"), std::to_string(::getpid()) + "\n");
    const qv::ProgramFolderLock second(dir.Folder());  // in the same process too
    EXPECT_TRUE(second.HeldElsewhere());
    EXPECT_EQ(second.Problem(), "the universe in " + dir.Folder() +
                                    " is open in another program (process " +
                                    std::to_string(::getpid()) + ")");
  }
  EXPECT_FALSE(dir.Exists("QVMap.lock")) << "released on exit";
  // A file that names a process but is locked by none is taken over.
  dir.Write("QVMap.lock", "1\n");
  EXPECT_TRUE(qv::ProgramFolderLock(dir.Folder()).Held());

  const qv::ProgramFolderLock nowhere(dir.File("no such folder"));
  EXPECT_FALSE(nowhere.Held() || nowhere.HeldElsewhere());
  EXPECT_TRUE(nowhere.Problem().starts_with("cannot lock the program folder")) << nowhere.Problem();
}

// A holder killed in the middle of a save leaves its lock file and its
// temporary file; the next holder takes the lock over and clears the file away.
TEST(ProgramFolderLockTest, KilledHoldersLockIsTakenOverAndItsTemporaryFilesRemoved) {
  qvtest::TempDir dir;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t holder = ::fork();
  if (holder == 0) {
    const qv::ProgramFolderLock lock(dir.Folder());
    const char held = lock.Held() ? 'y' : 'n';
    if (::write(ready[1], &held, 1) == 1)
      for (;;)
        ::pause();
    ::_exit(1);
  }
  char held = 'n';
  ASSERT_EQ(::read(ready[0], &held, 1), 1);
  ASSERT_EQ(held, 'y');
  EXPECT_NE(qv::ProgramFolderLock(dir.Folder()).Problem().find(std::to_string(holder)),
            std::string::npos);
  const std::string leftover = "Data/sectors.cds." + std::to_string(holder) + "-x1y2z3.qvtmp";
  dir.Write(leftover, "half a table");
  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);

  const qv::ProgramFolderLock next(dir.Folder());
  EXPECT_TRUE(next.Held()) << next.Problem();
  EXPECT_FALSE(dir.Exists(leftover));
}

}  // namespace
