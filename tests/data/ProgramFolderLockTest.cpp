#include "data/ProgramFolderLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

// A child process that takes the lock of `folder`, says so through a pipe and
// keeps it until it is killed.
class HolderProcess {
 public:
  explicit HolderProcess(const std::string& folder) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      const qv::ProgramFolderLock lock(folder);
      const char held = lock.Held() ? 'y' : 'n';
      if (::write(ready[1], &held, 1) != 1) ::_exit(1);
      for (;;)
        ::pause();
    }
    ::close(ready[1]);
    char held = 'n';
    holding_ = ::read(ready[0], &held, 1) == 1 && held == 'y';
    ::close(ready[0]);
  }
  ~HolderProcess() { Kill(); }
  bool Holding() const { return holding_; }
  pid_t Pid() const { return pid_; }
  // Gone without a word, as a killed program goes.
  void Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool holding_ = false;
};

TEST(ProgramFolderLockTest, OneHolderAtATimeAndTheNextOneTakesOverAfterIt) {
  qvtest::TempDir dir;
  {
    const qv::ProgramFolderLock first(dir.Folder());
    ASSERT_TRUE(first.Held()) << first.Problem();
    EXPECT_EQ(dir.Read("QVMap.lock"), std::to_string(::getpid()) + "\n");
    const qv::ProgramFolderLock second(dir.Folder());  // in the same process too
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.HeldElsewhere());
    EXPECT_EQ(second.Problem(), "the universe in " + dir.Folder() +
                                    " is open in another program (process " +
                                    std::to_string(::getpid()) + ")");
  }
  EXPECT_FALSE(dir.Exists("QVMap.lock")) << "released on exit";
  EXPECT_TRUE(qv::ProgramFolderLock(dir.Folder()).Held());

  // A file that names a process but is locked by none is taken over.
  dir.Write("QVMap.lock", "1\n");
  EXPECT_TRUE(qv::ProgramFolderLock(dir.Folder()).Held());

  const qv::ProgramFolderLock nowhere(dir.File("no such folder"));
  EXPECT_FALSE(nowhere.Held());
  EXPECT_FALSE(nowhere.HeldElsewhere());
  EXPECT_TRUE(nowhere.Problem().starts_with("cannot lock the program folder")) << nowhere.Problem();
}

// A killed holder leaves its lock file and the temporary file of the save it
// was killed in; the next holder takes the lock over and clears the file away.
TEST(ProgramFolderLockTest, KilledHoldersLockIsTakenOverAndItsTemporaryFilesRemoved) {
  qvtest::TempDir dir;
  HolderProcess holder(dir.Folder());
  ASSERT_TRUE(holder.Holding());
  {
    const qv::ProgramFolderLock refused(dir.Folder());
    EXPECT_TRUE(refused.HeldElsewhere());
    EXPECT_NE(refused.Problem().find("(process " + std::to_string(holder.Pid()) + ")"),
              std::string::npos)
        << refused.Problem();
  }
  const std::string leftover = "Data/sectors.cds." + std::to_string(holder.Pid()) + "-x1y2z3.qvtmp";
  dir.Write(leftover, "half a table");
  holder.Kill();
  ASSERT_TRUE(dir.Exists("QVMap.lock"));

  const qv::ProgramFolderLock next(dir.Folder());
  EXPECT_TRUE(next.Held()) << next.Problem();
  EXPECT_FALSE(dir.Exists(leftover));
}

}  // namespace
